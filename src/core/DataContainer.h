#pragma once
// Grey plane of floats with a complex spectrum of the same size and the 2-D FFT between them.

#include "core/Fft.h"
#include "core/platform/PageBuffer.h"

#include <cstddef>

class TDataContainer {
public:
    // All zero. Memory comes from the page allocator; std::bad_alloc when there is none.
    TDataContainer(int width, int height);
    TDataContainer(const TDataContainer&) = delete;
    TDataContainer& operator=(const TDataContainer&) = delete;

    // No bounds checks: these run per pixel.
    float Value(int x, int y) const { return data_[Index(x, y)]; }
    void SetValue(int x, int y, float value) { data_[Index(x, y)] = value; }
    void SpectrumAt(int x, int y, float& re, float& im) const {
        const float* p = spectrum_ + 2 * Index(x, y);
        re = p[0];
        im = p[1];
    }
    void SetSpectrum(int x, int y, float re, float im) {
        float* p = spectrum_ + 2 * Index(x, y);
        p[0] = re;
        p[1] = im;
    }

    // Natural-order spectrum of the plane, unscaled. 0, or -1 when the sides are not powers of
    // two up to 4096 (nothing is touched then) or the transform failed.
    int ForwardTransform();
    // Back to the plane, scaled by 1/(width x height). The spectrum is left holding the
    // row-transformed intermediate, not the transform.
    int InverseTransform();
    // Caps the cores a transform uses; 0 (the default) uses all of them.
    void SetTransformWorkers(int count) { workers_ = count; }

    float* Data() { return data_; }
    const float* Data() const { return data_; }
    // Interleaved real and imaginary parts, row-major.
    float* Spectrum() { return spectrum_; }
    const float* Spectrum() const { return spectrum_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_;
    int height_;
    int workers_ = 0;
    TPageBuffer dataBuffer_;
    TPageBuffer spectrumBuffer_;
    TFftWork work_;
    float* data_ = nullptr;
    float* spectrum_ = nullptr;
};
