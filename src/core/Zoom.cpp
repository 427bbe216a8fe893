#include "core/Zoom.h"

#include "core/Numeric.h"

#include <algorithm>
#include <cmath>

namespace {

const float ZoomTable[ZoomLevelCount] = {0.0625f, 0.125f, 0.25f, 0.5f, 0.67f, 0.75f, 1.0f,  2.0f,
                                         3.0f,    4.0f,   5.0f,  6.0f, 8.0f,  10.0f, 12.0f, 16.0f};

const int FixedLevels[9] = {0, 1, 2, 3, 6, 7, 9, 12, 15};

int RoundToInt(double v) {
    return static_cast<int>(RoundEven(v));
}

} // namespace

float ZoomTableFactor(int index) {
    return ZoomTable[std::clamp(index, 0, ZoomLevelCount - 1)];
}

int ZoomIndexForFactor(float factor) {
    int index = 0;
    for (int i = 0; i < ZoomLevelCount; ++i)
        if (ZoomTable[i] <= factor)
            index = i;
    return index;
}

int FixedZoomLevel(int n) {
    return FixedLevels[std::clamp(n, 1, 9) - 1];
}

void TZoom::In() {
    SetLevel(Index + 1);
}

void TZoom::Out() {
    SetLevel(Index - 1);
}

void TZoom::SetLevel(int index) {
    Index = std::clamp(index, 0, ZoomLevelCount - 1);
    Factor = ZoomTable[Index];
}

void TZoom::SetPercent(double percent) {
    Factor = static_cast<float>(percent / 100.0);
    Index = ZoomIndexForFactor(Factor);
}

int ZoomedSide(int imageSide, float factor) {
    return RoundToInt(static_cast<double>(imageSide) * factor);
}

std::optional<double> FitZoomPercent(int clientWidth, int clientHeight, int toolbarHeight,
                                     int statusHeight, int imageWidth, int imageHeight) {
    if (imageWidth <= 0 || imageHeight <= 0)
        return std::nullopt;
    const double pw = static_cast<float>(clientWidth - 20) / imageWidth * 100;
    const double ph =
        static_cast<float>(clientHeight - toolbarHeight - statusHeight - 20) / imageHeight * 100;
    // A window too small to show anything would give a zero or negative zoom: use the
    // smallest level then.
    const auto usable = [](double p) { return p > 0 ? p : ZoomTable[0] * 100.0; };
    if (pw < ph && pw < 100)
        return usable(pw);
    if (pw >= ph && ph < 100)
        return usable(ph);
    return std::nullopt;
}

TPaintRects PaintRectsFor(const TRect& visible, float factor, int imageWidth, int imageHeight) {
    TPaintRects rects;
    if (factor <= 0 || imageWidth <= 0 || imageHeight <= 0 || visible.Empty())
        return rects;
    TRect& s = rects.Source;
    s.Left = std::max(0, RoundToInt(visible.Left / factor) - 1);
    s.Top = std::max(0, RoundToInt(visible.Top / factor) - 1);
    s.Right = std::min(imageWidth, RoundToInt(visible.Right / factor) + 1);
    s.Bottom = std::min(imageHeight, RoundToInt(visible.Bottom / factor) + 1);
    TRect& d = rects.Destination;
    d.Left = RoundToInt(s.Left * static_cast<double>(factor));
    d.Top = RoundToInt(s.Top * static_cast<double>(factor));
    d.Right = RoundToInt(s.Right * static_cast<double>(factor));
    d.Bottom = RoundToInt(s.Bottom * static_cast<double>(factor));
    return rects;
}
