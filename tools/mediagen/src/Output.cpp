#include "Output.h"
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>

namespace {
std::mutex outputMutex;
}

Output::Output(std::string root) : rootDir(std::move(root)) {}

bool Output::write(const std::string& relative, const std::vector<uint8_t>& bytes) {
    std::filesystem::path path = std::filesystem::path(rootDir) / relative;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    // Write to a temporary name and rename, so an interrupted build never
    // leaves a half-written picture that looks complete.
    std::filesystem::path tmp = path;
    tmp += ".part";
    bool ok = false;
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
            ok = static_cast<bool>(out);
        }
    }
    if (ok) {
        std::filesystem::rename(tmp, path, ec);
        ok = !ec;
    }
    std::lock_guard<std::mutex> lock(outputMutex);
    if (!ok) {
        std::fprintf(stderr, "mediagen: cannot write %s\n", path.string().c_str());
        anyFailure = true;
        return false;
    }
    total += bytes.size();
    ++files;
    return true;
}
