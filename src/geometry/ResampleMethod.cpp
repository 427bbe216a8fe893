#include "geometry/ResampleMethod.h"

namespace {

struct TMethodNames {
    ResampleMethod Method;
    const char* Name;
    const char* Key;
};

constexpr TMethodNames Names[ResampleMethodCount] = {
    {ResampleMethod::NearestNeighbor, "Nearest Neighbor", "nearest"},
    {ResampleMethod::Bilinear, "Bilinear", "bilinear"},
    {ResampleMethod::Bicubic, "Bicubic", "bicubic"},
    {ResampleMethod::Mitchell, "Mitchell", "mitchell"},
    {ResampleMethod::Lagrange, "Lagrange", "lagrange"},
    {ResampleMethod::BSpline, "B-Spline", "bspline"},
};

} // namespace

const char* ResampleMethodName(ResampleMethod method) {
    return Names[static_cast<int>(method)].Name;
}

const char* ResampleMethodKey(ResampleMethod method) {
    return Names[static_cast<int>(method)].Key;
}

std::optional<ResampleMethod> ResampleMethodFromKey(const std::string& key) {
    for (const auto& entry : Names)
        if (key == entry.Key)
            return entry.Method;
    return std::nullopt;
}
