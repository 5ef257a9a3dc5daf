#pragma once
#include <cstdint>
#include <vector>
#include "Image.h"

// Encoders for the image formats the game reads.
namespace imagefile {
// 8-bit truecolour PNG: RGB when every pixel is opaque, RGBA otherwise.
std::vector<uint8_t> png(const Image& img);
// Uncompressed true-colour TGA (type 2, 32 bits, B G R A). The game's reader
// ignores the origin bit and takes rows in stored order; storeTopFirst says
// whether the picture's top row is stored first (origin bit set accordingly,
// so that ordinary viewers show the picture upright either way).
std::vector<uint8_t> tga(const Image& img, bool storeTopFirst);
// 24-bit uncompressed BMP, bottom-up as the format expects.
std::vector<uint8_t> bmp(const Image& img);
}  // namespace imagefile
