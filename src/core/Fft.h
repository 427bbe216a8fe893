#pragma once
// Separable 2-D FFT between a real plane and its natural-order complex spectrum (interleaved real
// and imaginary floats, row-major like the plane). Both sides must be powers of two up to 4096.

#include "core/platform/PageBuffer.h"

#include <cstddef>

constexpr int kFftMaxSide = 4096;

bool FftSizeSupported(int width, int height);

// Scratch space for one plane's transforms, one slot per worker thread. Each plane owns its own,
// so different planes can transform at the same time.
class TFftWork {
public:
    TFftWork() = default;
    TFftWork(int width, int height);
    float* Slot(int index) const { return buffer_.As<float>() + slotFloats_ * index; }
    int Slots() const { return slots_; }

private:
    TPageBuffer buffer_;
    std::size_t slotFloats_ = 0;
    int slots_ = 0;
};

// No scaling. maxWorkers 0 uses every core.
void FftForward2D(const float* plane, float* spectrum, int width, int height, TFftWork& work,
                  int maxWorkers);
// Scales by 1/n per 1-D pass. Rows first, leaving the row results in the spectrum, then columns,
// of which only the real parts are written to the plane.
void FftInverse2D(float* spectrum, float* plane, int width, int height, TFftWork& work,
                  int maxWorkers);

// Switches the kernels to vectors of 4 (SSE2), 8 (AVX2) or 16 (AVX-512) floats; false when the
// processor lacks them. The widest one available is used by default. For tests and benchmarks.
bool FftUseVectorWidth(int floats);
