#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Where the media go: every writer saves through here, so that folders are
// made on demand and the run can report how much it wrote.
class Output {
public:
    explicit Output(std::string root);
    // Writes bytes to root/relative (folders created); false on failure.
    bool write(const std::string& relative, const std::vector<uint8_t>& bytes);
    const std::string& root() const { return rootDir; }
    uint64_t bytesWritten() const { return total; }
    int filesWritten() const { return files; }
    bool failed() const { return anyFailure; }

private:
    std::string rootDir;
    uint64_t total = 0;
    int files = 0;
    bool anyFailure = false;
};
