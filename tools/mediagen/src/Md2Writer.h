#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A triangle model in the MD2 layout: shared texture coordinates (pixels of
// the skin), triangles indexing vertices and texture coordinates, and frames
// that each give every vertex a position.
struct Md2Model {
    struct Triangle {
        std::array<uint16_t, 3> vertex;
        std::array<uint16_t, 3> texCoord;
    };
    struct Frame {
        std::string name;
        std::vector<std::array<float, 3>> positions;
    };
    int skinWidth = 256, skinHeight = 256;
    std::string skinName;
    std::vector<std::array<int16_t, 2>> texCoords;
    std::vector<Triangle> triangles;
    std::vector<Frame> frames;
};

// Encodes the model as an "IDP2" version 8 file; every frame is quantised
// to bytes with its own scale and translation.
std::vector<uint8_t> encodeMd2(const Md2Model& model);
