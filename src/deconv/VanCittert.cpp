#include "deconv/VanCittert.h"

#include "core/DataContainer.h"
#include "deconv/SpectrumOps.h"

#include <algorithm>
#include <cstring>
#include <mutex>

namespace {

// Largest sample, starting from 0 (NaN never wins).
float PlaneMax(const float* v, std::size_t n) {
    std::mutex lock;
    float best = 0.0f;
    ForSamples(n, [&](std::size_t begin, std::size_t end) {
        float m = 0.0f;
        for (std::size_t i = begin; i < end; ++i)
            m = v[i] > m ? v[i] : m;
        std::lock_guard guard(lock);
        best = std::max(best, m);
    });
    return best;
}

} // namespace

TIterationResult VanCittertIterate(TDataContainer& data, TDataContainer& psf, int iterations,
                                   TIterationControl* control) {
    try {
        const std::size_t n = Samples(data);
        TDataContainer estimate(data.Width(), data.Height());
        TDataContainer t(data.Width(), data.Height());
        Forward(psf);
        const float* d = data.Data();
        float* e = estimate.Data();
        float* tv = t.Data();
        std::memcpy(e, d, n * sizeof(float));
        std::memcpy(tv, d, n * sizeof(float));
        const float dmax = PlaneMax(d, n);
        for (int k = 0; k < iterations; ++k) {
            Forward(t);
            MultiplySpectrum(t, psf, false);
            Inverse(t);
            const float tmax = PlaneMax(tv, n);
            if (tmax == 0.0f)
                return TIterationResult::Failed;
            const float s = dmax / tmax;
            ForSamples(n, [&](std::size_t begin, std::size_t end) {
                for (std::size_t i = begin; i < end; ++i) {
                    float c = d[i] - tv[i] * s + e[i];
                    if (!(c >= 0.0f))
                        c = 0.0f;
                    if (c > dmax)
                        c = dmax;
                    e[i] = c;
                    tv[i] = c;
                }
            });
            if (control && control->TerminateRequested())
                return TIterationResult::Terminated;
            if (control)
                control->IterationDone();
        }
        std::memcpy(data.Data(), e, n * sizeof(float));
        return TIterationResult::Completed;
    } catch (...) {
        return TIterationResult::Failed;
    }
}
