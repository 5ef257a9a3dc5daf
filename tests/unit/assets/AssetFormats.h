#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Readers for the headers of the installation's media, as the game's
// loaders see them. Each returns false with a reason when a file would not
// load or breaks a rule of the installation.
namespace assetcheck {
std::vector<uint8_t> readFile(const std::string& path);
bool isPowerOfTwo(int v);

struct ImageInfo {
    int width = 0, height = 0;
};
bool checkPng(const std::string& path, ImageInfo& info, std::string& why);
bool checkTga(const std::string& path, ImageInfo& info, std::string& why);
bool checkBmp(const std::string& path, ImageInfo& info, std::string& why);

struct SoundInfo {
    double seconds = 0;
    int firstSample = 0, lastSample = 0;  // largest magnitude of the first and last frames
    int seamJump = 0;  // largest step from the last frame back to the first (for loops)
};
bool checkWav(const std::string& path, SoundInfo& info, std::string& why);

struct ModelInfo {
    int frames = 0, skinWidth = 0, skinHeight = 0, triangles = 0;
};
bool checkMd2(const std::string& path, ModelInfo& info, std::string& why);

// The level files' header: background name (KZ2) and every block number.
struct LevelInfo {
    std::string background = "blueSky";
    std::vector<int> cells;
};
bool readLevel(const std::string& path, LevelInfo& info);
}  // namespace assetcheck
