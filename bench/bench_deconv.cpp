// Lucy-Richardson: per-iteration time at 1024, 2048 and 4096 squared; a 20-iteration run on a
// 2048 x 2048 float image; the same circular iteration through FFTW's real-input transforms
// when FFTW is there; and the peak resident memory of a 4096 x 4096 colour run.
//
// Peak memory is the process's high-water mark, so run that case on its own:
//   bench_deconv --benchmark_filter=ColourRunPeakMemory

#include "core/DataContainer.h"
#include "core/fimage.h"
#include "deconv/DeconvRun.h"
#include "deconv/LucyRichardson.h"
#include "deconv/Psf.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <sys/resource.h>
#include <time.h>
#include <vector>

#ifdef ZELVANE_HAVE_FFTW
#include <fftw3.h>
#include <thread>
#endif

namespace {

// A star field: sky, a gradient and a few hundred Gaussian stars.
void FillStars(float* plane, int side) {
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            plane[static_cast<std::size_t>(y) * side + x] = 100.0f + 0.01f * x;
    unsigned seed = 12345;
    const auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    for (int s = 0; s < side / 8; ++s) {
        const int cx = static_cast<int>(next() % side), cy = static_cast<int>(next() % side);
        const float amp = 500.0f + static_cast<float>(next() % 20000);
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx) {
                const int x = cx + dx, y = cy + dy;
                if (x >= 0 && y >= 0 && x < side && y < side)
                    plane[static_cast<std::size_t>(y) * side + x] +=
                        amp * std::exp(-(dx * dx + dy * dy) / 8.0f);
            }
    }
}

// Timestamps each reported iteration, so set-up (work planes, the PSF's transform) stays out
// of the per-iteration figure.
// CPU time of every thread of the process: on a shared machine it says more than the clock.
double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

class TIterationClock : public TIterationControl {
public:
    bool TerminateRequested() override { return false; }
    void IterationDone() override {
        stamps.push_back(std::chrono::steady_clock::now());
        cpu.push_back(ProcessCpuSeconds());
    }
    std::vector<std::chrono::steady_clock::time_point> stamps;
    std::vector<double> cpu;
};

void LucyRichardson(benchmark::State& state, int iterations) {
    const int side = static_cast<int>(state.range(0));
    TDataContainer observed(side, side);
    FillStars(observed.Data(), side);
    double steady = 0, steadyCpu = 0;
    int steadyCount = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TDataContainer data(side, side);
        std::memcpy(data.Data(), observed.Data(), sizeof(float) * side * side);
        auto psf = BuildPsf(PsfKind::Gaussian, side, side, 2.0f, 2.5f);
        TIterationClock clock;
        state.ResumeTiming();
        LucyRichardsonIterate(data, *psf, iterations, true, &clock);
        benchmark::DoNotOptimize(data.Data());
        steady += std::chrono::duration<double>(clock.stamps.back() - clock.stamps.front()).count();
        steadyCpu += clock.cpu.back() - clock.cpu.front();
        steadyCount += iterations - 1;
    }
    state.counters["ms_per_iteration"] = 1000.0 * steady / steadyCount;
    state.counters["cpu_ms_per_iteration"] = 1000.0 * steadyCpu / steadyCount;
}

void BM_LucyRichardsonIteration(benchmark::State& state) {
    LucyRichardson(state, 3);
}
BENCHMARK(BM_LucyRichardsonIteration)
    ->Arg(1024)
    ->Arg(2048)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_LucyRichardson20Iterations2048(benchmark::State& state) {
    LucyRichardson(state, 20);
}
BENCHMARK(BM_LucyRichardson20Iterations2048)
    ->Arg(2048)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

#ifdef ZELVANE_HAVE_FFTW
// The same aggressive iteration with FFTW's real-input transforms on every core: the yardstick.
void BM_FftwLucyRichardsonIteration(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const std::size_t count = static_cast<std::size_t>(n) * n, half = n * (n / 2 + 1);
    fftwf_init_threads();
    fftwf_plan_with_nthreads(static_cast<int>(std::thread::hardware_concurrency()));
    float* d = fftwf_alloc_real(count);
    float* e = fftwf_alloc_real(count);
    float* t = fftwf_alloc_real(count);
    fftwf_complex* ts = fftwf_alloc_complex(half);
    fftwf_complex* ps = fftwf_alloc_complex(half);
    const fftwf_plan fwd = fftwf_plan_dft_r2c_2d(n, n, t, ts, FFTW_MEASURE);
    const fftwf_plan inv = fftwf_plan_dft_c2r_2d(n, n, ts, t, FFTW_MEASURE);
    auto psf = BuildPsf(PsfKind::Gaussian, n, n, 2.0f, 2.5f);
    std::memcpy(t, psf->Data(), sizeof(float) * count);
    fftwf_execute(fwd);
    std::memcpy(ps, ts, sizeof(fftwf_complex) * half);
    FillStars(d, n);
    std::memcpy(e, d, sizeof(float) * count);
    const float scale = 1.0f / static_cast<float>(count);
    const auto convolve = [&](bool conjugate) {
        fftwf_execute(fwd);
        for (std::size_t i = 0; i < half; ++i) {
            const float pr = ps[i][0], pi = conjugate ? -ps[i][1] : ps[i][1];
            const float tr = ts[i][0], ti = ts[i][1];
            ts[i][0] = (tr * pr - ti * pi) * scale;
            ts[i][1] = (tr * pi + ti * pr) * scale;
        }
        fftwf_execute(inv);
    };
    const double cpuStart = ProcessCpuSeconds();
    for (auto _ : state) {
        std::memcpy(t, e, sizeof(float) * count);
        convolve(false);
        for (std::size_t i = 0; i < count; ++i)
            t[i] = d[i] / (t[i] == 0.0f ? 1.0f : t[i]);
        convolve(true);
        for (std::size_t i = 0; i < count; ++i)
            d[i] = e[i] = e[i] * t[i];
    }
    state.counters["cpu_ms_per_iteration"] =
        1000.0 * (ProcessCpuSeconds() - cpuStart) / static_cast<double>(state.iterations());
    benchmark::DoNotOptimize(e);
    fftwf_destroy_plan(fwd);
    fftwf_destroy_plan(inv);
    fftwf_free(d);
    fftwf_free(e);
    fftwf_free(t);
    fftwf_free(ts);
    fftwf_free(ps);
}
BENCHMARK(BM_FftwLucyRichardsonIteration)
    ->Arg(1024)
    ->Arg(2048)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
#endif

// One whole OK on a 4096 x 4096 RGB24 image (planes, 2 iterations, write-back, display), and
// the resident high-water mark of the process afterwards.
void BM_ColourRunPeakMemory(benchmark::State& state) {
    const int side = 4096;
    TFImage image;
    image.CreateColour(side, side, 24, 0, 0);
    std::vector<float> stars(static_cast<std::size_t>(side) * side);
    FillStars(stars.data(), side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const auto v = static_cast<std::uint32_t>(
                std::fmin(255.0f, stars[static_cast<std::size_t>(y) * side + x] / 80.0f));
            image.SetRgb24(x, y, v | (v << 8) | ((255 - v) << 16));
        }
    stars = {};
    image.RefreshDisplay();
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    TDeconvParams params;
    params.Iterations = 2;
    params.Sigma = 2;
    for (auto _ : state)
        DeconvolveImage(image, TDeconvMethod::LucyRichardson, params, nullptr);
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    state.counters["peak_rss_MiB"] = static_cast<double>(after.ru_maxrss) / 1024.0;
    state.counters["rss_before_run_MiB"] = static_cast<double>(before.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_ColourRunPeakMemory)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace
