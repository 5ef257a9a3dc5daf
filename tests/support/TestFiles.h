#pragma once

#include <string>

namespace korvelin_test {

// A fresh folder under the system's temporary folder, removed with its
// content when the object goes (unless KORVELIN_KEEP_TEMP is set).
class TempDir {
public:
    explicit TempDir(const std::string& prefix = "korvelin");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "/" + relative
    std::string file(const std::string& relative) const;

private:
    std::string path_;
};

// Makes a folder the working directory for the object's life.
class ScopedWorkingDir {
public:
    explicit ScopedWorkingDir(const std::string& path);
    ~ScopedWorkingDir();

private:
    std::string previous_;
};

// Sets an environment variable for the object's life (restores the old one).
class ScopedEnv {
public:
    ScopedEnv(const std::string& name, const std::string& value);
    ~ScopedEnv();

private:
    std::string name_;
    bool hadValue_;
    std::string previous_;
};

// Writes a whole file, creating its folders. False on failure.
bool writeFile(const std::string& path, const std::string& content);
// The whole file, or "" when it cannot be read.
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
bool isDirectory(const std::string& path);

// A test environment for one process: a temporary installation folder made
// the working directory and APPDATA pointing at a temporary user folder.
class SandboxedGameFolders {
public:
    SandboxedGameFolders();

    const std::string& installDir() const { return install_.path(); }
    const std::string& appData() const { return appData_.path(); }
    // The player's folder: appData() + "/Korvelin/".
    std::string userDir() const;

    void writeInstallFile(const std::string& relative, const std::string& content) const;
    void writeUserFile(const std::string& relative, const std::string& content) const;
    std::string readUserFile(const std::string& relative) const;

private:
    TempDir install_;
    TempDir appData_;
    ScopedWorkingDir cwd_;
    ScopedEnv env_;
};

} // namespace korvelin_test
