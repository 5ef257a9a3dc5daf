#pragma once

#include <string>

// A game installation in a temporary folder: the working directory for the
// test, with APPDATA pointing at a second temporary folder. Both are removed
// when the test ends.
class TemporaryGame {
public:
    TemporaryGame();
    ~TemporaryGame();

    const std::string& installDir() const { return install; }
    const std::string& userDir() const { return user; }
    // The player's folder the game uses ("<APPDATA>/Korvelin/").
    std::string userRoot() const { return user + "/Korvelin/"; }

private:
    std::string previousDir;
    std::string install;
    std::string user;
};

// Writes a file, creating its folders (relative paths from the working
// directory).
void writeFile(const std::string& path, const std::string& content);

// An uncompressed 32-bit TGA of one colour.
void writeTGA(const std::string& path, int width, int height, unsigned char r, unsigned char g,
              unsigned char b, unsigned char a);

// Opens a small OpenGL window (under Xvfb in the test runs) and makes the
// texture store ready, as the game's start-up does.
void openGLWindow();

// Opens the audio device (the dummy driver in the test runs).
void openAudio();

// A sound of silence, distinct per call, for telling plays apart.
struct Mix_Chunk* makeSilentChunk();
