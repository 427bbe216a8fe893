#pragma once
// The six interpolation methods of the Resize dialog, in the order of its list.

#include <optional>
#include <string>

enum class ResampleMethod { NearestNeighbor, Bilinear, Bicubic, Mitchell, Lagrange, BSpline };

constexpr int ResampleMethodCount = 6;

// The dialog's text ("Nearest Neighbor", ..., "B-Spline").
const char* ResampleMethodName(ResampleMethod method);
// The command-line key ("nearest", "bilinear", "bicubic", "mitchell", "lagrange", "bspline").
const char* ResampleMethodKey(ResampleMethod method);
std::optional<ResampleMethod> ResampleMethodFromKey(const std::string& key);
