// placeholder until the platform layer lands
