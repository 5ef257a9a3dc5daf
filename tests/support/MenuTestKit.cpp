#include "MenuTestKit.h"

#include <vector>

namespace korvelin_test {

OptionsText wideOptions()
{
    OptionsText options;
    options.width = 1280;
    options.height = 800;
    return options;
}

OptionsText narrowOptions()
{
    OptionsText options;
    options.width = 640;
    options.height = 480;
    return options;
}

Mix_Chunk* silentChunk()
{
    static std::vector<std::vector<Uint8>> buffers;
    buffers.emplace_back(22050 * 4 * 30, 0);
    return Mix_QuickLoad_RAW(buffers.back().data(), static_cast<Uint32>(buffers.back().size()));
}

int playsOf(Mix_Chunk* chunk)
{
    int plays = 0;
    const int channels = Mix_AllocateChannels(-1);
    for (int c = 0; c < channels; ++c)
        if (Mix_Playing(c) && Mix_GetChunk(c) == chunk)
            ++plays;
    return plays;
}

} // namespace korvelin_test
