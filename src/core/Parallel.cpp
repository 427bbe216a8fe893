#include "core/Parallel.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// An exception must not leave a slice thread (that ends the process); the first one is kept and
// rethrown on the calling thread once every slice has finished.
class TFirstFailure {
public:
    template <class Fn> void Run(Fn&& fn) {
        try {
            fn();
        } catch (...) {
            std::lock_guard lock(mutex_);
            if (!failure_)
                failure_ = std::current_exception();
        }
    }
    void Rethrow() const {
        if (failure_)
            std::rethrow_exception(failure_);
    }

private:
    std::mutex mutex_;
    std::exception_ptr failure_;
};

} // namespace

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
    TFirstFailure failure;
    std::vector<std::thread> threads;
    threads.reserve(slices - 1);
    for (int s = 1; s < slices; ++s)
        threads.emplace_back(
            [&, s] { failure.Run([&] { fn(count * s / slices, count * (s + 1) / slices); }); });
    failure.Run([&] { fn(0, count / slices); });
    for (auto& t : threads)
        t.join();
    failure.Rethrow();
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
    TFirstFailure failure;
    std::vector<std::thread> threads;
    int started = 1;
    try {
        threads.reserve(slices - 1);
        for (; started < slices; ++started)
            threads.emplace_back(
                [&, s = started] { failure.Run([&] { fn(s, bound(s), bound(s + 1)); }); });
    } catch (...) {
        // No thread to be had: the calling thread does the rest, one slice after the other.
    }
    failure.Run([&] {
        fn(0, 0, bound(1));
        for (int s = started; s < slices; ++s)
            fn(0, bound(s), bound(s + 1));
    });
    for (auto& t : threads)
        t.join();
    failure.Rethrow();
}
