#pragma once
// Red-green-blue to and from hue-lightness-saturation and hue-saturation-value, as plain
// functions of doubles. Hues are in degrees; a colour without saturation has UndefinedHue, a
// quiet NaN, so every test for it is a test for NaN.

#include <bit>
#include <cmath>
#include <cstdint>

inline const double UndefinedHue = std::bit_cast<double>(std::uint64_t{0x7FFFFFFFFFFFFFFF});
inline bool IsUndefinedHue(double hue) {
    return std::isnan(hue);
}

// R, G, B in 0..1.
void RgbToHsl(double r, double g, double b, double& h, double& l, double& s);
// Results in 0..1. Saturation 0 with a defined hue leaves the outputs as they were.
void HslToRgb(double h, double l, double s, double& r, double& g, double& b);
double HueToChannel(double h, double m2, double m1);

// R, G, B in any common scale; V comes out divided by 255.
void RgbToHsv(double r, double g, double b, double& h, double& s, double& v);
// Results in the scale of V. Saturation 0 with a defined hue leaves the outputs as they were.
void HsvToRgb(double h, double s, double v, double& r, double& g, double& b);
