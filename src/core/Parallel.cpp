#include "core/Parallel.h"

#include <algorithm>
#include <thread>
#include <vector>

int WorkerCount() {
    static const int count =
        std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 8);
    return count;
}

void ParallelFor(int count, const std::function<void(int, int)>& fn, int minPerSlice) {
    if (count <= 0)
        return;
    const int slices = std::clamp(count / std::max(minPerSlice, 1), 1, WorkerCount());
    if (slices == 1) {
        fn(0, count);
        return;
    }
    std::vector<std::thread> threads;
    threads.reserve(slices - 1);
    for (int s = 1; s < slices; ++s)
        threads.emplace_back(fn, count * s / slices, count * (s + 1) / slices);
    fn(0, count / slices);
    for (auto& t : threads)
        t.join();
}

void ParallelForSlices(int count, int maxSlices, const std::function<void(int, int, int)>& fn) {
    if (count <= 0)
        return;
    const int slices = std::clamp(maxSlices > 0 ? maxSlices : WorkerCount(), 1, count);
    if (slices == 1) {
        fn(0, 0, count);
        return;
    }
    const auto bound = [&](int s) {
        return static_cast<int>(static_cast<long long>(count) * s / slices);
    };
    std::vector<std::thread> threads;
    int started = 1;
    try {
        threads.reserve(slices - 1);
        for (; started < slices; ++started)
            threads.emplace_back(fn, started, bound(started), bound(started + 1));
    } catch (...) {
        // No thread to be had: the calling thread does the rest, one slice after the other.
    }
    fn(0, 0, bound(1));
    for (int s = started; s < slices; ++s)
        fn(0, bound(s), bound(s + 1));
    for (auto& t : threads)
        t.join();
}
