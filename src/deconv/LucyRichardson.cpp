#include "deconv/LucyRichardson.h"

#include "core/DataContainer.h"
#include "deconv/SpectrumOps.h"

#include <cstring>
#include <memory>

TIterationResult LucyRichardsonIterate(TDataContainer& data, TDataContainer& psf, int iterations,
                                       bool aggressive, TIterationControl* control) {
    try {
        const std::size_t n = Samples(data);
        // T carries every transform. With aggressive the observed plane follows the estimate
        // after each iteration, so the two share one plane; otherwise the estimate gets its own.
        TDataContainer t(data.Width(), data.Height());
        std::unique_ptr<TDataContainer> estimate;
        float* d = data.Data();
        float* e = d;
        if (!aggressive) {
            estimate = std::make_unique<TDataContainer>(data.Width(), data.Height());
            e = estimate->Data();
            std::memcpy(e, d, n * sizeof(float));
        }
        Forward(psf);
        float* tv = t.Data();
        std::memcpy(tv, e, n * sizeof(float));
        for (int k = 0; k < iterations; ++k) {
            Forward(t);
            MultiplySpectrum(t, psf, false);
            Inverse(t);
            ForSamples(n, [&](std::size_t begin, std::size_t end) {
                for (std::size_t i = begin; i < end; ++i) {
                    const float blurred = tv[i];
                    tv[i] = d[i] / (blurred == 0.0f ? 1.0f : blurred);
                }
            });
            Forward(t);
            MultiplySpectrum(t, psf, true);
            Inverse(t);
            // The update, with the next iteration's T = E folded in.
            ForSamples(n, [&](std::size_t begin, std::size_t end) {
                for (std::size_t i = begin; i < end; ++i) {
                    const float v = e[i] * tv[i];
                    e[i] = v;
                    tv[i] = v;
                }
            });
            if (control && control->TerminateRequested())
                return TIterationResult::Terminated;
            if (control)
                control->IterationDone();
        }
        if (!aggressive)
            std::memcpy(d, e, n * sizeof(float));
        return TIterationResult::Completed;
    } catch (...) {
        return TIterationResult::Failed;
    }
}
