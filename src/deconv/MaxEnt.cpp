#include "deconv/MaxEnt.h"

#include "core/DataContainer.h"
#include "core/Fft.h"
#include "deconv/SpectrumOps.h"

#include <cmath>

// Sums are taken in double: a single-precision running sum over millions of samples loses most
// of the small terms and would put the flux scale off.

TIterationResult MaxEntIterate(TDataContainer& data, TDataContainer& psf, int iterations,
                               TIterationControl* control) {
    try {
        const int w = data.Width(), h = data.Height();
        const std::size_t n = Samples(data);
        float* d = data.Data();
        ForSamples(n, [&](std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i)
                if (d[i] == 0.0f)
                    d[i] = 1.0f;
        });
        float* p = psf.Data();
        const double psfSum = SumSamples(n, [&](std::size_t begin, std::size_t end) {
            double s = 0.0;
            for (std::size_t i = begin; i < end; ++i)
                s += p[i];
            return s;
        });
        const float pSum = static_cast<float>(psfSum);
        ForSamples(n, [&](std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i)
                p[i] /= pSum;
        });
        Forward(psf);
        // Correlating with p is multiplying by the conjugate of its spectrum, so no mirrored
        // plane is kept. The model's spectrum carries both products; m only needs values.
        TDataContainer lambda(w, h), f(w, h), m(w, h);
        TFftWork work(w, h);
        float* l = lambda.Data();
        float* fv = f.Data();
        float* mv = m.Data();
        float scale = 1.0f;
        for (int k = 0; k < iterations; ++k) {
            if (control && control->TerminateRequested())
                return TIterationResult::Terminated;
            Forward(lambda);
            MultiplySpectra(f.Spectrum(), psf.Spectrum(), lambda.Spectrum(), n, true);
            Inverse(f);
            const double z = SumSamples(n, [&](std::size_t begin, std::size_t end) {
                double s = 0.0;
                for (std::size_t i = begin; i < end; ++i) {
                    fv[i] = std::exp(fv[i]);
                    s += fv[i];
                }
                return s;
            });
            if (!std::isfinite(z) || z == 0.0)
                return TIterationResult::Failed; // exp overflowed
            const float zf = static_cast<float>(z);
            ForSamples(n, [&](std::size_t begin, std::size_t end) {
                for (std::size_t i = begin; i < end; ++i)
                    fv[i] /= zf;
            });
            Forward(f);
            MultiplySpectrum(f, psf, false);
            FftInverse2D(f.Spectrum(), mv, w, h, work, 0);
            const double sumM = SumSamples(n, [&](std::size_t begin, std::size_t end) {
                double s = 0.0;
                for (std::size_t i = begin; i < end; ++i)
                    s += mv[i];
                return s;
            });
            const double sumD = SumSamples(n, [&](std::size_t begin, std::size_t end) {
                double s = 0.0;
                for (std::size_t i = begin; i < end; ++i)
                    s += d[i];
                return s;
            });
            scale = static_cast<float>(sumD / sumM);
            ForSamples(n, [&](std::size_t begin, std::size_t end) {
                for (std::size_t i = begin; i < end; ++i) {
                    const float a = mv[i] > 0.0f ? std::log(mv[i]) : 0.0f;
                    const float b = d[i] >= 0.0f ? std::log(d[i] / scale) : 0.0f;
                    l[i] = l[i] + b - a;
                }
            });
            if (control)
                control->IterationDone();
        }
        // With no iteration there is no model, and writing the empty one would wipe the image.
        if (iterations > 0)
            ForSamples(n, [&](std::size_t begin, std::size_t end) {
                for (std::size_t i = begin; i < end; ++i) {
                    const float v = fv[i] * scale;
                    d[i] = v >= 0.0f ? v : 0.0f;
                }
            });
        return TIterationResult::Completed;
    } catch (...) {
        return TIterationResult::Failed;
    }
}
