#pragma once
#include <string>
#include "Image.h"
#include "Lettering.h"
#include "Output.h"

// What every piece of the art needs: where to write and the game's font.
struct ArtContext {
    Output& out;
    Lettering& font;

    void png(const std::string& path, const Image& img);
    void tga(const std::string& path, const Image& img, bool storeTopFirst);
    void bmp(const std::string& path, const Image& img);
};

// The two texture qualities: "High" pictures are drawn, "Low" ones are the
// same pictures at a quarter of the size.
constexpr int lowQualityFactor = 4;
