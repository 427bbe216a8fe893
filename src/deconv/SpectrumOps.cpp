#include "deconv/SpectrumOps.h"

#include "core/DataContainer.h"
#include "core/Parallel.h"

#include <stdexcept>
#include <vector>

namespace {

// Slices of at least this many samples; smaller planes stay on the calling thread.
constexpr std::size_t kMinSlice = 1 << 15;

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define ZV_DECONV_CLONES __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define ZV_DECONV_CLONES
#endif

// Products of two floats are exact in double, so each part is rounded once, when stored.
ZV_DECONV_CLONES void MultiplyRange(float* out, const float* a, const float* b, std::size_t begin,
                                    std::size_t end, double sign) {
    for (std::size_t i = 2 * begin; i < 2 * end; i += 2) {
        const double ar = a[i], ai = sign * a[i + 1];
        const double br = b[i], bi = b[i + 1];
        out[i] = static_cast<float>(ar * br - ai * bi);
        out[i + 1] = static_cast<float>(ar * bi + br * ai);
    }
}

int Slices(std::size_t count) {
    const std::size_t wanted = count / kMinSlice;
    return static_cast<int>(wanted < 1                                         ? 1
                            : wanted > static_cast<std::size_t>(WorkerCount()) ? WorkerCount()
                                                                               : wanted);
}

} // namespace

void ForSamples(std::size_t count, const std::function<void(std::size_t, std::size_t)>& fn) {
    const int slices = Slices(count);
    if (slices == 1) {
        fn(0, count);
        return;
    }
    ParallelForSlices(slices, slices, [&](int, int begin, int end) {
        for (int s = begin; s < end; ++s)
            fn(count * s / slices, count * (s + 1) / slices);
    });
}

double SumSamples(std::size_t count, const std::function<double(std::size_t, std::size_t)>& fn) {
    const int slices = Slices(count);
    std::vector<double> partial(slices, 0.0);
    ParallelForSlices(slices, slices, [&](int, int begin, int end) {
        for (int s = begin; s < end; ++s)
            partial[s] = fn(count * s / slices, count * (s + 1) / slices);
    });
    double sum = 0.0;
    for (double p : partial)
        sum += p;
    return sum;
}

void MultiplySpectra(float* out, const float* a, const float* b, std::size_t count,
                     bool conjugateA) {
    const double sign = conjugateA ? -1.0 : 1.0;
    ForSamples(count, [&](std::size_t begin, std::size_t end) {
        MultiplyRange(out, a, b, begin, end, sign);
    });
}

void MultiplySpectrum(TDataContainer& target, const TDataContainer& factor, bool conjugate) {
    MultiplySpectra(target.Spectrum(), factor.Spectrum(), target.Spectrum(), Samples(target),
                    conjugate);
}

std::size_t Samples(const TDataContainer& plane) {
    return static_cast<std::size_t>(plane.Width()) * static_cast<std::size_t>(plane.Height());
}

void Forward(TDataContainer& plane) {
    if (plane.ForwardTransform() != 0)
        throw std::runtime_error("forward transform failed");
}

void Inverse(TDataContainer& plane) {
    if (plane.InverseTransform() != 0)
        throw std::runtime_error("inverse transform failed");
}
