#include "TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

namespace fs = std::filesystem;

namespace korvelin_test {

TempDir::TempDir(const std::string& prefix)
{
    std::string pattern = (fs::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(&pattern[0]) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir()
{
    if (std::getenv("KORVELIN_KEEP_TEMP") != nullptr)
        return;
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string TempDir::file(const std::string& relative) const
{
    return path_ + "/" + relative;
}

ScopedWorkingDir::ScopedWorkingDir(const std::string& path)
{
    previous_ = fs::current_path().string();
    fs::current_path(path);
}

ScopedWorkingDir::~ScopedWorkingDir()
{
    std::error_code ignored;
    fs::current_path(previous_, ignored);
}

ScopedEnv::ScopedEnv(const std::string& name, const std::string& value) : name_(name)
{
    const char* old = std::getenv(name.c_str());
    hadValue_ = old != nullptr;
    if (hadValue_)
        previous_ = old;
    ::setenv(name.c_str(), value.c_str(), 1);
}

ScopedEnv::~ScopedEnv()
{
    if (hadValue_)
        ::setenv(name_.c_str(), previous_.c_str(), 1);
    else
        ::unsetenv(name_.c_str());
}

bool writeFile(const std::string& path, const std::string& content)
{
    std::error_code ignored;
    fs::path p(path);
    if (p.has_parent_path())
        fs::create_directories(p.parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    return static_cast<bool>(out);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool fileExists(const std::string& path)
{
    std::error_code ignored;
    return fs::is_regular_file(path, ignored);
}

bool isDirectory(const std::string& path)
{
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

SandboxedGameFolders::SandboxedGameFolders()
    : install_("korvelin-install"), appData_("korvelin-appdata"), cwd_(install_.path()),
      env_("APPDATA", appData_.path())
{
}

std::string SandboxedGameFolders::userDir() const
{
    return appData_.path() + "/Korvelin/";
}

void SandboxedGameFolders::writeInstallFile(const std::string& relative, const std::string& content) const
{
    writeFile(install_.file(relative), content);
}

void SandboxedGameFolders::writeUserFile(const std::string& relative, const std::string& content) const
{
    writeFile(userDir() + relative, content);
}

std::string SandboxedGameFolders::readUserFile(const std::string& relative) const
{
    return readFile(userDir() + relative);
}

} // namespace korvelin_test
