#pragma once

#include <string>
#include <vector>

namespace korvelin_test {

// While alive, notes every fsync of this program before letting it through:
// what was synchronised and what a watched file held at that moment. So a
// test can tell that a save made its folder durable, and when.
class FsyncSpy {
public:
    explicit FsyncSpy(const std::string& watchedFile);
    ~FsyncSpy();
    FsyncSpy(const FsyncSpy&) = delete;
    FsyncSpy& operator=(const FsyncSpy&) = delete;

    struct Call {
        std::string path;        // what the descriptor names
        bool folder;
        std::string watchedText; // the watched file's content then
    };
    const std::vector<Call>& calls() const { return calls_; }

    // Called by the fsync of this program.
    static void noteCall(int fd);

private:
    std::string watchedFile_;
    std::vector<Call> calls_;
};

} // namespace korvelin_test
