// Forward + inverse 2-D FFT of square planes: ours against FFTW single precision (complex to
// complex, in place, planned with FFTW_MEASURE) at the same thread count; and the cost of
// creating a large plane.

#include "core/DataContainer.h"
#include "core/Fft.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#ifdef ZELVANE_HAVE_FFTW
#include <fftw3.h>
#endif

namespace {

void Fill(float* p, long count) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> uniform(0.0f, 1000.0f);
    for (long i = 0; i < count; ++i)
        p[i] = uniform(rng);
}

// Args: side, threads, vector width in floats (0: the widest available).
void BM_Ours(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const int vectorFloats = static_cast<int>(state.range(2));
    if (vectorFloats && !FftUseVectorWidth(vectorFloats)) {
        state.SkipWithError("processor lacks these vectors");
        return;
    }
    TDataContainer plane(n, n);
    plane.SetTransformWorkers(static_cast<int>(state.range(1)));
    Fill(plane.Data(), long(n) * n);
    plane.ForwardTransform(); // first touch of the spectrum and scratch pages
    plane.InverseTransform();
    for (auto _ : state) {
        plane.ForwardTransform();
        plane.InverseTransform();
        benchmark::ClobberMemory();
    }
    for (int floats : {16, 8, 4})
        if (FftUseVectorWidth(floats))
            break;
}

#ifdef ZELVANE_HAVE_FFTW
void BM_FftwMeasure(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
#ifdef ZELVANE_HAVE_FFTW_THREADS
    static const bool threadsReady = fftwf_init_threads() != 0;
#else
    const bool threadsReady = false;
#endif
    if (state.range(1) > 1 && !threadsReady) {
        state.SkipWithError("no threaded FFTW");
        return;
    }
#ifdef ZELVANE_HAVE_FFTW_THREADS
    fftwf_plan_with_nthreads(static_cast<int>(state.range(1)));
#endif
    const long count = long(n) * n;
    fftwf_complex* data = fftwf_alloc_complex(count);
    fftwf_plan forward = fftwf_plan_dft_2d(n, n, data, data, FFTW_FORWARD, FFTW_MEASURE);
    fftwf_plan backward = fftwf_plan_dft_2d(n, n, data, data, FFTW_BACKWARD, FFTW_MEASURE);
    Fill(reinterpret_cast<float*>(data), 2 * count);
    const float scale = 1.0f / static_cast<float>(count);
    for (auto _ : state) {
        fftwf_execute(forward);
        fftwf_execute(backward);
        state.PauseTiming(); // keep the values finite; FFTW does not scale
        for (long i = 0; i < count; ++i) {
            data[i][0] *= scale;
            data[i][1] *= scale;
        }
        state.ResumeTiming();
    }
    fftwf_destroy_plan(forward);
    fftwf_destroy_plan(backward);
    fftwf_free(data);
}
#endif

void FftArgs(benchmark::internal::Benchmark* b, bool withWidths) {
    for (int n : {1024, 2048, 4096})
        for (int threads : {1, 2}) {
            b->Args({n, threads, 0});
            if (withWidths && threads == 1)
                for (int floats : {4, 8})
                    b->Args({n, threads, floats});
        }
    // On a shared machine the fastest repetition is the one least disturbed.
    b->ArgNames({"n", "threads", "vector"})
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->ComputeStatistics("min", [](const std::vector<double>& v) {
            return *std::min_element(v.begin(), v.end());
        });
}

// Construction and first write of a 4096 x 4096 plane (64 MiB of values, 128 MiB of spectrum
// that stays untouched), then its release.
void BM_PlaneCreate(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        TDataContainer plane(n, n);
        float* p = plane.Data();
        for (long i = 0; i < long(n) * n; ++i)
            p[i] = 1.0f;
        benchmark::DoNotOptimize(p);
    }
}

} // namespace

BENCHMARK(BM_Ours)->Apply([](benchmark::internal::Benchmark* b) { FftArgs(b, true); });
#ifdef ZELVANE_HAVE_FFTW
BENCHMARK(BM_FftwMeasure)->Apply([](benchmark::internal::Benchmark* b) { FftArgs(b, false); });
#endif
BENCHMARK(BM_PlaneCreate)->Arg(4096)->Unit(benchmark::kMillisecond);
