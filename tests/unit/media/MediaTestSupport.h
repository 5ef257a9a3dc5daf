#pragma once

// Helpers of the media tests: byte builders for TGA, PNG and MD2 files,
// an OpenGL window, and fresh services for each test.

#include "GLWindow.h"
#include "GameHarness.h"
#include "TestFiles.h"

#include <cstdint>
#include <string>
#include <vector>

namespace media_test {

using Bytes = std::vector<unsigned char>;

void putU16(Bytes& out, unsigned v);
void putU32(Bytes& out, uint32_t v);
void putFloat(Bytes& out, float v);
std::string toString(const Bytes& bytes);

// An 18-byte TGA header.
struct TgaHeader {
    unsigned idLength = 0;
    unsigned mapType = 0;
    unsigned type = 2;
    unsigned mapFirst = 0;
    int mapLength = 0;
    unsigned mapEntryBits = 0;
    int width = 1;
    int height = 1;
    unsigned depth = 24;
    unsigned descriptor = 0;
};
Bytes tga(const TgaHeader& header, const Bytes& rest);

// A PNG with the given colour type (0 grey, 2 RGB, 3 palette, 6 RGBA) and
// 8-bit samples; rows holds the raw samples, top row first.
std::string png(int width, int height, int colourType, const Bytes& samples,
                const Bytes& palette = Bytes());

// A small MD2 model; counts and offsets are computed unless overridden.
struct Md2Vertex {
    unsigned char x, y, z, normal;
};
struct Md2Frame {
    float scale[3] = {1, 1, 1};
    float translate[3] = {0, 0, 0};
    std::vector<Md2Vertex> vertices;
};
struct Md2Triangle {
    unsigned vertex[3];
    unsigned texCoord[3];
};
struct Md2 {
    std::string ident = "IDP2";
    int version = 8;
    int skinWidth = 256;
    int skinHeight = 128;
    int numSkins = 1;
    std::vector<std::pair<int, int>> texCoords;
    std::vector<Md2Triangle> triangles;
    std::vector<Md2Frame> frames;
    int numGlCommands = 2;
    // Header fields written as given when not -1 (in header order 5..16).
    int overrideNumVertices = -1;
    int overrideNumTexCoords = -1;
    int overrideNumTriangles = -1;
    int overrideNumFrames = -1;
    int overrideOffsetTriangles = -1;
    int overrideOffsetFrames = -1;
    Bytes bytes() const;
};
// One triangle over three vertices, two frames, skin 256 wide.
Md2 simpleModel();

// An OpenGL window of SDL for the test's life.
class GlWindow {
public:
    GlWindow(int width = 64, int height = 64);
    ~GlWindow();
    const ::testing::AssertionResult& ok() const { return opened; }

private:
    ::testing::AssertionResult opened;
};

// Drops every service made so far, so that the next use starts afresh in the
// current folders (tests of one program may share a process).
void resetServices();

// Sandbox with "Data/Options.dat" in the user folder holding the options.
class MediaSandbox : public korvelin_test::SandboxedGameFolders {
public:
    explicit MediaSandbox(const korvelin_test::OptionsText& options = korvelin_test::OptionsText());
    ~MediaSandbox();
    std::string log() const;
    // Lines of "Debug.txt" that contain every one of the given pieces.
    int countLogLines(const std::string& a, const std::string& b = "") const;
};

} // namespace media_test
