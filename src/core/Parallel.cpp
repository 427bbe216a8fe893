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
