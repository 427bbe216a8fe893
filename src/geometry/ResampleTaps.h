#pragma once
// Where each output position of one axis reads, and with what weight. Every method is separable
// and its edge rule works per axis, so an axis is described once per column (or row) instead of
// once per output value.

#include "geometry/ResampleMethod.h"

#include <vector>

struct TAxisTaps {
    int Taps = 0;              // per output position: 1 (nearest), 2 (bilinear) or 4
    std::vector<int> Index;    // Taps source indices per position, all inside 0 .. size - 1
    std::vector<float> Weight; // the matching weights (not normalised)
    const int* IndexAt(int i) const { return Index.data() + static_cast<std::size_t>(i) * Taps; }
    const float* WeightAt(int i) const {
        return Weight.data() + static_cast<std::size_t>(i) * Taps;
    }
};

int MethodTaps(ResampleMethod method);

// The source position of output position i: i x (source / target), all in single precision and
// without a half-pixel offset, so position 0 is source 0.
float ResampleScale(int sourceSize, int targetSize);
float SamplePosition(int i, float scale);

// The taps and weights of one position s on an axis of sourceSize samples.
void PositionTaps(ResampleMethod method, float s, int sourceSize, int* index, float* weight);

TAxisTaps BuildAxisTaps(ResampleMethod method, int sourceSize, int targetSize);
