#include "GameHarness.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

extern char** environ;

namespace korvelin_test {

namespace {

using Clock = std::chrono::steady_clock;

long msSince(Clock::time_point start)
{
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

std::vector<char*> argvOf(std::vector<std::string>& words)
{
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(&w[0]);
    argv.push_back(nullptr);
    return argv;
}

// Waits for a child up to timeoutMs; true with its status when it ended.
bool waitChild(pid_t pid, int timeoutMs, int* status)
{
    Clock::time_point start = Clock::now();
    for (;;) {
        int raw = 0;
        pid_t done = ::waitpid(pid, &raw, WNOHANG);
        if (done == pid) {
            if (status != nullptr)
                *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            return true;
        }
        if (done < 0 && errno != EINTR) {
            if (status != nullptr)
                *status = -1;
            return true; // not our child any more
        }
        if (msSince(start) >= timeoutMs)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

// Ends a child: signal, bounded wait, then SIGKILL.
void endChild(pid_t pid, int signal, int graceMs)
{
    if (pid <= 0)
        return;
    ::kill(pid, signal);
    if (!waitChild(pid, graceMs, nullptr)) {
        ::kill(pid, SIGKILL);
        waitChild(pid, 5000, nullptr);
    }
}

std::string trim(std::string s)
{
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' '))
        s.pop_back();
    return s;
}

} // namespace

std::string OptionsText::str() const
{
    std::ostringstream out;
    out << 2 << '\n' << width << '\n' << height << '\n' << (fullScreen ? 1 : 0) << '\n'
        << antiAliasing << '\n' << anisotropy << '\n' << clipping << '\n' << textures << '\n'
        << language << '\n' << (gameMessages ? 1 : 0) << '\n' << (ghost ? 1 : 0) << '\n'
        << (debug ? 1 : 0) << '\n' << color1 << '\n' << color2 << '\n' << musicVolume << '\n'
        << soundVolume << '\n';
    return out.str();
}

int runCommand(const std::vector<std::string>& command, const std::vector<std::string>& environment,
               std::string* output, int timeoutMs)
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return -1;
    std::vector<std::string> words = command;
    std::vector<std::string> env = environment;
    pid_t pid = ::fork();
    if (pid < 0) {
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return -1;
    }
    if (pid == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        int devNull = ::open("/dev/null", O_RDWR);
        if (devNull >= 0) {
            ::dup2(devNull, STDIN_FILENO);
            ::dup2(devNull, STDERR_FILENO);
        }
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        for (std::string& e : env)
            ::putenv(&e[0]);
        std::vector<char*> argv = argvOf(words);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    std::string text;
    Clock::time_point start = Clock::now();
    bool open = true;
    while (open) {
        long left = timeoutMs - msSince(start);
        if (left <= 0)
            break;
        struct pollfd pfd = {pipeFds[0], POLLIN, 0};
        int ready = ::poll(&pfd, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char buffer[4096];
        ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0)
            open = false;
        else
            text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipeFds[0]);
    if (output != nullptr)
        *output = text;
    int status = -1;
    long left = timeoutMs - msSince(start);
    if (!waitChild(pid, left > 0 ? static_cast<int>(left) : 0, &status)) {
        endChild(pid, SIGKILL, 1000);
        return -1;
    }
    return status;
}

GameHarness::GameHarness()
    : install_("korvelin-e2e-install"), appData_("korvelin-e2e-appdata"), scratch_("korvelin-e2e-run")
{
    fs::copy(KORVELIN_STAGE_DIR, install_.path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    // A log left in the stage by a manual run must not be taken for ours.
    std::error_code ignored;
    fs::remove(install_.file("Debug.txt"), ignored);
}

GameHarness::~GameHarness()
{
    stop(5000);
    stopXServer();
}

std::string GameHarness::userDir() const
{
    return appData_.path() + "/Korvelin/";
}

void GameHarness::writeUserFile(const std::string& relative, const std::string& content)
{
    writeFile(userDir() + relative, content);
}

void GameHarness::writeInstallFile(const std::string& relative, const std::string& content)
{
    writeFile(install_.file(relative), content);
}

void GameHarness::removeInstallFile(const std::string& relative)
{
    std::error_code ignored;
    fs::remove(install_.file(relative), ignored);
}

void GameHarness::setOptions(const OptionsText& options)
{
    writeUserFile("Data/Options.dat", options.str());
}

std::string GameHarness::readUserFile(const std::string& relative) const
{
    return readFile(userDir() + relative);
}

bool GameHarness::userFileExists(const std::string& relative) const
{
    return fileExists(userDir() + relative);
}

bool GameHarness::startXServer()
{
    // A busy machine may start the server slowly or lose it on the way, so
    // a server that never answers is stopped and started afresh.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (launchXServer() && waitForXServer(15000))
            return true;
        stopXServer();
    }
    return false;
}

bool GameHarness::launchXServer()
{
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return false;
    pid_t pid = ::fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        ::close(pipeFds[0]);
        int devNull = ::open("/dev/null", O_RDWR);
        if (devNull >= 0) {
            ::dup2(devNull, STDIN_FILENO);
            ::dup2(devNull, STDOUT_FILENO);
            ::dup2(devNull, STDERR_FILENO);
        }
        std::string fd = std::to_string(pipeFds[1]);
        std::vector<std::string> words = {"Xvfb", "-displayfd", fd, "-screen", "0", "1280x1024x24",
                                          "-noreset", "-nolisten", "tcp"};
        std::vector<char*> argv = argvOf(words);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    xserver_ = pid;
    std::string number;
    Clock::time_point start = Clock::now();
    while (msSince(start) < 15000) {
        struct pollfd pfd = {pipeFds[0], POLLIN, 0};
        int ready = ::poll(&pfd, 1, 200);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready > 0) {
            char buffer[32];
            ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
            if (n <= 0)
                break;
            number.append(buffer, static_cast<std::size_t>(n));
            if (number.find('\n') != std::string::npos)
                break;
        }
    }
    ::close(pipeFds[0]);
    number = trim(number);
    if (number.empty())
        return false;
    display_ = ":" + number;
    return true;
}

bool GameHarness::waitForXServer(int timeoutMs)
{
    Clock::time_point start = Clock::now();
    while (msSince(start) < timeoutMs) {
        if (waitChild(xserver_, 0, nullptr)) {
            xserver_ = -1; // it died
            return false;
        }
        if (runOnDisplay({"xdotool", "getdisplaygeometry"}, nullptr, 5000) == 0)
            return true;
        pause(100);
    }
    return false;
}

void GameHarness::stopXServer()
{
    endChild(xserver_, SIGTERM, 3000);
    xserver_ = -1;
}

void GameHarness::setGameEnvironment(const std::string& name, const std::string& value)
{
    gameEnvironment_.emplace_back(name, value);
}

bool GameHarness::start(const std::vector<std::string>& arguments)
{
    if (game_ > 0 || !startXServer())
        return false;
    const std::string out = scratch_.file("stdout.txt");
    const std::string err = scratch_.file("stderr.txt");
    std::vector<std::string> words = {KORVELIN_GAME_BINARY};
    words.insert(words.end(), arguments.begin(), arguments.end());
    pid_t pid = ::fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        if (::chdir(install_.path().c_str()) != 0)
            ::_exit(126);
        int devNull = ::open("/dev/null", O_RDONLY);
        int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (devNull >= 0)
            ::dup2(devNull, STDIN_FILENO);
        if (outFd >= 0)
            ::dup2(outFd, STDOUT_FILENO);
        if (errFd >= 0)
            ::dup2(errFd, STDERR_FILENO);
        ::setenv("APPDATA", appData_.path().c_str(), 1);
        ::setenv("DISPLAY", display_.c_str(), 1);
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        ::unsetenv("XAUTHORITY");
        // A score server of the tests' own choosing, or none reachable.
        if (std::getenv("KORVELIN_SCORE_SERVER") == nullptr)
            ::setenv("KORVELIN_SCORE_SERVER", "http://127.0.0.1:9", 1);
        for (const auto& setting : gameEnvironment_)
            ::setenv(setting.first.c_str(), setting.second.c_str(), 1);
        std::vector<char*> argv = argvOf(words);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    game_ = pid;
    gameStatus_ = -1;
    return true;
}

int GameHarness::runOnDisplay(const std::vector<std::string>& command, std::string* output, int timeoutMs)
{
    return runCommand(command, {"DISPLAY=" + display_}, output, timeoutMs);
}

bool GameHarness::waitForWindow(int timeoutMs)
{
    Clock::time_point start = Clock::now();
    while (msSince(start) < timeoutMs) {
        if (!running())
            return false;
        std::string out;
        if (runOnDisplay({"xdotool", "search", "--onlyvisible", "--name", "^Korvelin$"}, &out, 5000) == 0) {
            std::istringstream ids(out);
            std::string id;
            if (ids >> id) {
                window_ = id;
                // Give the window the keyboard: there is no window manager.
                runOnDisplay({"xdotool", "windowfocus", "--sync", window_}, nullptr, 5000);
                runOnDisplay({"xdotool", "mousemove", "--window", window_, "1", "1"}, nullptr, 5000);
                return true;
            }
        }
        pause(100);
    }
    return false;
}

bool GameHarness::windowSize(int& width, int& height)
{
    if (window_.empty())
        return false;
    std::string out;
    if (runOnDisplay({"xdotool", "getwindowgeometry", "--shell", window_}, &out, 5000) != 0)
        return false;
    width = height = -1;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("WIDTH=", 0) == 0)
            width = std::atoi(line.c_str() + 6);
        if (line.rfind("HEIGHT=", 0) == 0)
            height = std::atoi(line.c_str() + 7);
    }
    return width > 0 && height > 0;
}

bool GameHarness::keyDown(const std::string& keyName)
{
    if (!window_.empty())
        runOnDisplay({"xdotool", "windowfocus", window_}, nullptr, 5000);
    return runOnDisplay({"xdotool", "keydown", keyName}, nullptr, 5000) == 0;
}

bool GameHarness::keyUp(const std::string& keyName)
{
    return runOnDisplay({"xdotool", "keyup", keyName}, nullptr, 5000) == 0;
}

bool GameHarness::pressKey(const std::string& keyName, int holdMs)
{
    bool down = keyDown(keyName);
    pause(holdMs);
    bool up = keyUp(keyName);
    return down && up;
}

void GameHarness::pause(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool GameHarness::screenshot(const std::string& pngPath)
{
    const std::string xwd = scratch_.file("screen.xwd");
    std::vector<std::string> command = {"xwd", "-silent", "-out", xwd};
    if (window_.empty())
        command.push_back("-root");
    else {
        command.push_back("-id");
        command.push_back(window_);
    }
    if (runOnDisplay(command, nullptr, 15000) != 0)
        return false;
    return runCommand({"convert", "xwd:" + xwd, "png:" + pngPath}, {}, nullptr, 30000) == 0 &&
           fileExists(pngPath);
}

bool GameHarness::pixelAt(const std::string& pngPath, int x, int y, int& r, int& g, int& b)
{
    std::string out;
    std::string crop = "1x1+" + std::to_string(x) + "+" + std::to_string(y);
    if (runCommand({"convert", pngPath, "-crop", crop, "-depth", "8", "-format",
                    "%[fx:int(255*r+.5)] %[fx:int(255*g+.5)] %[fx:int(255*b+.5)]", "info:"},
                   {}, &out, 15000) != 0)
        return false;
    std::istringstream values(out);
    return static_cast<bool>(values >> r >> g >> b);
}

bool GameHarness::running()
{
    if (game_ <= 0)
        return false;
    int status = -1;
    if (waitChild(game_, 0, &status)) {
        gameStatus_ = status;
        game_ = -1;
        return false;
    }
    return true;
}

bool GameHarness::waitForExit(int timeoutMs, int* status)
{
    if (game_ > 0) {
        int s = -1;
        if (!waitChild(game_, timeoutMs, &s))
            return false;
        gameStatus_ = s;
        game_ = -1;
    }
    if (status != nullptr)
        *status = gameStatus_;
    return true;
}

int GameHarness::stop(int timeoutMs)
{
    if (game_ <= 0)
        return gameStatus_;
    ::kill(game_, SIGTERM);
    int status = -1;
    if (waitChild(game_, timeoutMs, &status)) {
        gameStatus_ = status;
    } else {
        ::kill(game_, SIGKILL);
        waitChild(game_, 5000, nullptr);
        gameStatus_ = -1;
    }
    game_ = -1;
    return gameStatus_;
}

std::string GameHarness::log() const
{
    return readFile(install_.file("Debug.txt"));
}

std::vector<std::string> GameHarness::logLines() const
{
    std::vector<std::string> lines;
    std::istringstream in(log());
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

std::string GameHarness::stderrText() const
{
    return readFile(scratch_.file("stderr.txt"));
}

std::string GameHarness::stdoutText() const
{
    return readFile(scratch_.file("stdout.txt"));
}

} // namespace korvelin_test
