#include "Jobs.h"
#include <atomic>
#include <thread>

void Jobs::run(int threads) {
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i = next++; i < jobs.size(); i = next++) jobs[i]();
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t) pool.emplace_back(worker);
    worker();
    for (auto& t : pool) t.join();
    jobs.clear();
}
