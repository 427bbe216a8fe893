#include "geometry/ResampleTaps.h"

#include "core/Numeric.h"

#include <algorithm>
#include <cmath>

namespace {

// Cubic convolution with a = -1.
float BicubicKernel(float t) {
    if (t < 1)
        return (t * t - t - 1) * (t - 1);
    return -(t - 1) * (t - 2) * (t - 2);
}

// Mitchell-Netravali with B = C = 1/3.
float MitchellKernel(float t) {
    if (t < 1)
        return 7 * t * t * t / 6 - 2 * t * t + 8.0f / 9;
    return 2 * t * t - 10 * t / 3 - 7 * t * t * t / 18 + 16.0f / 9;
}

// Four-point Lagrange interpolation.
float LagrangeKernel(float t) {
    if (t < 1)
        return (t - 2) * 0.5f * (t + 1) * (t - 1);
    return -(t - 3) * (t - 2) * (t - 1) / 6;
}

// Trunc of a non-negative position; kept inside the axis so a position that rounds up to the
// axis length can never read past it.
int CentreOf(float s, int size) {
    return std::clamp(static_cast<int>(std::trunc(s)), 0, size - 1);
}

// A tap outside the axis reads the centre sample instead (not the edge sample); its weight still
// belongs to the tap's own distance.
int TapIndex(int tap, int centre, int size) {
    return tap < 0 || tap >= size ? centre : tap;
}

void NearestTaps(float s, int size, int* index, float* weight) {
    index[0] = std::clamp(static_cast<int>(RoundEven(s)), 0, size - 1);
    weight[0] = 1;
}

void BilinearTaps(float s, int size, int* index, float* weight) {
    const int x0 = CentreOf(s, size);
    const int x1 = std::min(x0 + 1, size - 1);
    const float f = s - static_cast<float>(x0);
    index[0] = x0;
    index[1] = x1;
    weight[0] = 1 - f;
    weight[1] = f;
}

template <float (*Kernel)(float)> void KernelTaps(float s, int size, int* index, float* weight) {
    const int centre = CentreOf(s, size);
    for (int j = 0; j < 4; ++j) {
        const int tap = centre - 1 + j;
        index[j] = TapIndex(tap, centre, size);
        weight[j] = Kernel(std::fabs(s - static_cast<float>(tap)));
    }
}

// Uniform cubic B-spline (approximating): weights by the fractional offset, in double precision.
void BSplineTaps(float s, int size, int* index, float* weight) {
    const int centre = CentreOf(s, size);
    const double f = static_cast<double>(s) - std::trunc(static_cast<double>(s));
    const double g = 1 - f;
    const double w[4] = {g * g * g / 6, (3 * f * f * f - 6 * f * f + 4) / 6,
                         (-3 * f * f * f + 3 * f * f + 3 * f + 1) / 6, f * f * f / 6};
    for (int j = 0; j < 4; ++j) {
        index[j] = TapIndex(centre - 1 + j, centre, size);
        weight[j] = static_cast<float>(w[j]);
    }
}

struct TMethodRule {
    int Taps;
    void (*Positions)(float s, int size, int* index, float* weight);
};

// A method is its tap count and its rule for one position.
constexpr TMethodRule Rules[ResampleMethodCount] = {
    {1, NearestTaps},                // NearestNeighbor
    {2, BilinearTaps},               // Bilinear
    {4, KernelTaps<BicubicKernel>},  // Bicubic
    {4, KernelTaps<MitchellKernel>}, // Mitchell
    {4, KernelTaps<LagrangeKernel>}, // Lagrange
    {4, BSplineTaps},                // BSpline
};

} // namespace

int MethodTaps(ResampleMethod method) {
    return Rules[static_cast<int>(method)].Taps;
}

float ResampleScale(int sourceSize, int targetSize) {
    return static_cast<float>(static_cast<double>(sourceSize) / targetSize);
}

float SamplePosition(int i, float scale) {
    return static_cast<float>(static_cast<double>(i) * scale);
}

void PositionTaps(ResampleMethod method, float s, int sourceSize, int* index, float* weight) {
    Rules[static_cast<int>(method)].Positions(s, sourceSize, index, weight);
}

TAxisTaps BuildAxisTaps(ResampleMethod method, int sourceSize, int targetSize) {
    TAxisTaps axis;
    axis.Taps = MethodTaps(method);
    axis.Index.resize(static_cast<std::size_t>(targetSize) * axis.Taps);
    axis.Weight.resize(axis.Index.size());
    const float scale = ResampleScale(sourceSize, targetSize);
    for (int i = 0; i < targetSize; ++i)
        PositionTaps(method, SamplePosition(i, scale), sourceSize,
                     axis.Index.data() + static_cast<std::size_t>(i) * axis.Taps,
                     axis.Weight.data() + static_cast<std::size_t>(i) * axis.Taps);
    return axis;
}
