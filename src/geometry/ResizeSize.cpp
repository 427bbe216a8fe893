#include "geometry/ResizeSize.h"

#include "core/Numeric.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr TResizeSize CommonSizes[CommonDimensionCount] = {{320, 240},  {640, 480},  {800, 600},
                                                           {1024, 768}, {1280, 960}, {1600, 1200}};

constexpr const char* CommonTexts[CommonDimensionCount] = {
    "320 x 240", "640 x 480", "800 x 600", "1024 x 768", "1280 x 960", "1600 x 1200"};

} // namespace

int LimitSide(double side) {
    const double rounded = RoundEven(side);
    if (!(rounded >= ResizeMinSide))
        return ResizeMinSide;
    return static_cast<int>(std::min(rounded, static_cast<double>(ResizeMaxSide)));
}

TResizeSize PercentTargetSize(double percent, int width, int height) {
    return {LimitSide(percent / 100 * width), LimitSide(percent / 100 * height)};
}

TResizeSize AbsoluteTargetSize(double width, double height) {
    return {LimitSide(width), LimitSide(height)};
}

TResizeSize CommonDimension(int index) {
    return CommonSizes[std::clamp(index, 0, CommonDimensionCount - 1)];
}

const char* CommonDimensionText(int index) {
    return CommonTexts[std::clamp(index, 0, CommonDimensionCount - 1)];
}

double AspectHeightForWidth(double width, int imageWidth, int imageHeight) {
    const float ratio = static_cast<float>(static_cast<double>(imageHeight) / imageWidth);
    return RoundEven(width * ratio);
}

double AspectWidthForHeight(double height, int imageWidth, int imageHeight) {
    const float ratio = static_cast<float>(static_cast<double>(imageWidth) / imageHeight);
    return RoundEven(height * ratio);
}
