#pragma once

#include "TestFiles.h"

#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace korvelin_test {

// Text of a version-2 "Data/Options.dat" (16 lines).
struct OptionsText {
    int width = 640;
    int height = 480;
    bool fullScreen = false;
    int antiAliasing = 0;
    int anisotropy = 0;
    int clipping = 100;
    int textures = 1;
    int language = 0;
    bool gameMessages = true;
    bool ghost = true;
    bool debug = true;
    int color1 = 0;
    int color2 = 3;
    int musicVolume = 100;
    int soundVolume = 100;

    std::string str() const;
};

// Runs the real game binary end to end: a copy of the staged installation
// in a temporary folder, APPDATA pointing at another one, the game on an X
// server of its own (Xvfb) with the dummy audio driver. Every wait is
// bounded; the destructor always stops the game and the X server.
class GameHarness {
public:
    GameHarness();
    ~GameHarness();
    GameHarness(const GameHarness&) = delete;
    GameHarness& operator=(const GameHarness&) = delete;

    // Folders: the installation copy (the game's working directory), the
    // APPDATA folder and the player's folder (appData() + "/Korvelin/").
    const std::string& installDir() const { return install_.path(); }
    const std::string& appData() const { return appData_.path(); }
    std::string userDir() const;

    // Files to prepare before start() (folders are made as needed).
    void writeUserFile(const std::string& relative, const std::string& content);
    void writeInstallFile(const std::string& relative, const std::string& content);
    void removeInstallFile(const std::string& relative);
    void setOptions(const OptionsText& options);
    std::string readUserFile(const std::string& relative) const;
    bool userFileExists(const std::string& relative) const;

    // An environment setting for the game that overrides the harness's own
    // (DISPLAY, SDL_AUDIODRIVER, ...). Call before start().
    void setGameEnvironment(const std::string& name, const std::string& value);

    // Starts the X server and the game with the given command-line
    // arguments. False when either could not be started.
    bool start(const std::vector<std::string>& arguments = {});

    // Waits for the window captioned "Korvelin"; true when it appeared.
    bool waitForWindow(int timeoutMs = 30000);
    const std::string& windowId() const { return window_; }
    // Size of the game's window in pixels.
    bool windowSize(int& width, int& height);

    // Holds a key (an X key name such as "Return", "Escape", "w", "Up") for
    // holdMs, then releases it. Needs the window.
    bool pressKey(const std::string& keyName, int holdMs = 100);
    bool keyDown(const std::string& keyName);
    bool keyUp(const std::string& keyName);
    // Sleeps (the game keeps running).
    static void pause(int ms);

    // Saves the game's window (or the whole screen without a window) as PNG.
    bool screenshot(const std::string& pngPath);
    // Reads one pixel of a PNG (0..255 each).
    static bool pixelAt(const std::string& pngPath, int x, int y, int& r, int& g, int& b);

    bool running();
    // Waits for the game to end on its own; its exit status goes to status.
    bool waitForExit(int timeoutMs, int* status);
    // SIGTERM, then a bounded wait; returns the exit status, or -1 when the
    // game had to be killed (or was never started).
    int stop(int timeoutMs = 10000);

    // "Debug.txt" of the installation copy and its lines.
    std::string log() const;
    std::vector<std::string> logLines() const;
    // What the game wrote on its standard error and output.
    std::string stderrText() const;
    std::string stdoutText() const;

    // The X display the game runs on, such as ":12".
    const std::string& display() const { return display_; }

    // Runs a helper program on the game's display (bounded); its standard
    // output goes to output. Returns the exit status, -1 on a time-out.
    int runOnDisplay(const std::vector<std::string>& command, std::string* output = nullptr,
                     int timeoutMs = 10000);

private:
    // Starts Xvfb and waits until it answers, trying again when it does not.
    bool startXServer();
    // Starts Xvfb; true once it has told its display number.
    bool launchXServer();
    // Waits until a client can talk to the display; false when the server
    // died or did not answer in time.
    bool waitForXServer(int timeoutMs);
    void stopXServer();

    TempDir install_;
    TempDir appData_;
    TempDir scratch_;
    pid_t game_ = -1;
    pid_t xserver_ = -1;
    int gameStatus_ = -1;
    std::string display_;
    std::string window_;
    std::vector<std::pair<std::string, std::string>> gameEnvironment_;
};

// Runs a command with extra environment settings, bounded in time; standard
// output goes to output when given. Returns the exit status, -1 on time-out.
int runCommand(const std::vector<std::string>& command, const std::vector<std::string>& environment,
               std::string* output, int timeoutMs);

} // namespace korvelin_test
