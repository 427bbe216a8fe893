// A 64 MiB plane from the page allocator: creation plus first touch of every page, with and
// without huge pages, against writing into a buffer that is already mapped (reuse) and against
// a zero-initialised heap vector.

#include "core/platform/PageBuffer.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr std::size_t Bytes = std::size_t(64) << 20;
constexpr std::size_t SmallPage = 4096;

void TouchEveryPage(const TPageBuffer& buffer) {
    auto* p = buffer.As<volatile char>();
    for (std::size_t i = 0; i < buffer.Size(); i += SmallPage)
        p[i] = 1;
}

// Anonymous memory of this process that the kernel backs with huge pages, in KiB.
long AnonHugeKiB() {
    std::ifstream smaps("/proc/self/smaps_rollup");
    std::string key;
    long value = 0;
    while (smaps >> key) {
        if (key == "AnonHugePages:") {
            smaps >> value;
            return value;
        }
        smaps.ignore(1 << 20, '\n');
    }
    return 0;
}

void SetHugeCounter(benchmark::State& state, bool huge) {
    TPageBuffer probe(Bytes, huge);
    const long before = AnonHugeKiB();
    TouchEveryPage(probe);
    state.counters["huge_MiB"] = static_cast<double>(AnonHugeKiB() - before) / 1024.0;
}

void BM_CreateAndFirstTouch(benchmark::State& state) {
    const bool huge = state.range(0) != 0;
    for (auto _ : state) {
        TPageBuffer buffer(Bytes, huge);
        TouchEveryPage(buffer);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Bytes));
    SetHugeCounter(state, huge);
}
BENCHMARK(BM_CreateAndFirstTouch)
    ->ArgName("huge")
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_ReuseTouch(benchmark::State& state) {
    const bool huge = state.range(0) != 0;
    TPageBuffer buffer(Bytes, huge);
    TouchEveryPage(buffer);
    for (auto _ : state) {
        TouchEveryPage(buffer);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Bytes));
}
BENCHMARK(BM_ReuseTouch)
    ->ArgName("huge")
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The full zero-fill of a heap vector, next to a page buffer written in full once.
void BM_HeapVectorZeroed(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<char> v(Bytes);
        benchmark::DoNotOptimize(v.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Bytes));
}
BENCHMARK(BM_HeapVectorZeroed)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_PageBufferFullWrite(benchmark::State& state) {
    const bool huge = state.range(0) != 0;
    for (auto _ : state) {
        TPageBuffer buffer(Bytes, huge);
        std::memset(buffer.Data(), 1, Bytes);
        benchmark::DoNotOptimize(buffer.Data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Bytes));
}
BENCHMARK(BM_PageBufferFullWrite)
    ->ArgName("huge")
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
