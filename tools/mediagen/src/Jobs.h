#pragma once
#include <functional>
#include <vector>

// Runs independent pieces of work on a few threads. Each job writes its own
// files, so the order in which they finish does not change any output.
class Jobs {
public:
    void add(std::function<void()> job) { jobs.push_back(std::move(job)); }
    void run(int threads);

private:
    std::vector<std::function<void()>> jobs;
};
