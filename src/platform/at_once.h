// Runs independent pieces of work on a few threads: reading dozens of teachers' topics one
// after another was most of a start's time.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

// Calls work(i) for every i below count, on up to four threads; returns when all are done. The
// pieces must share nothing they change.
template <typename Work>
void forEachAtOnce(std::size_t count, Work&& work)
{
    const std::size_t threads =
        std::min<std::size_t>({std::max(1u, std::thread::hardware_concurrency()), 4, count / 8 + 1});
    std::atomic<std::size_t> next{0};
    auto worker = [&] {
        for (std::size_t i = next++; i < count; i = next++)
            work(i);
    };
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < threads; ++t)
        helpers.emplace_back(worker);
    worker();
    for (std::thread& h : helpers)
        h.join();
}
