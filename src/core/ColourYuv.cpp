#include "core/ColourYuv.h"

namespace {

constexpr double kForward[3][3] = {
    {0.299, 0.587, 0.114},
    {-0.147, -0.289, 0.436},
    {0.615, -0.515, -0.1},
};

struct TInverse {
    double m[3][3];
};

// Inverted once, by cofactors, in double.
TInverse Invert() {
    const auto& a = kForward;
    TInverse inv{};
    const double det = a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) -
                       a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
                       a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const int r0 = (j + 1) % 3, r1 = (j + 2) % 3, c0 = (i + 1) % 3, c1 = (i + 2) % 3;
            inv.m[i][j] = (a[r0][c0] * a[r1][c1] - a[r0][c1] * a[r1][c0]) / det;
        }
    return inv;
}

const TInverse& Inverse() {
    static const TInverse inverse = Invert();
    return inverse;
}

} // namespace

void RgbToYuv(float r, float g, float b, float& y, float& u, float& v) {
    const double R = r, G = g, B = b;
    y = static_cast<float>(kForward[0][0] * R + kForward[0][1] * G + kForward[0][2] * B);
    u = static_cast<float>(kForward[1][0] * R + kForward[1][1] * G + kForward[1][2] * B);
    v = static_cast<float>(kForward[2][0] * R + kForward[2][1] * G + kForward[2][2] * B);
}

void YuvToRgb(float y, float u, float v, float& r, float& g, float& b) {
    const auto& m = Inverse().m;
    const double Y = y, U = u, V = v;
    r = static_cast<float>(m[0][0] * Y + m[0][1] * U + m[0][2] * V);
    g = static_cast<float>(m[1][0] * Y + m[1][1] * U + m[1][2] * V);
    b = static_cast<float>(m[2][0] * Y + m[2][1] * U + m[2][2] * V);
}
