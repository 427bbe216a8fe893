#include "adjust/BriCon.h"

#include "adjust/AdjustPass.h"
#include "adjust/Statistics.h"
#include "core/Numeric.h"
#include "core/Parallel.h"
#include "core/fimage.h"

#include <algorithm>
#include <cmath>
#include <functional>

float ContrastFactor(int contrast) {
    if (contrast >= 0)
        return static_cast<float>(1.0 + contrast / 10.0);
    return static_cast<float>(1.0 - std::sqrt(static_cast<double>(-contrast)) / 10.0);
}

namespace {

std::uint16_t Limit(double v, double ceiling) {
    if (!(v >= 0))
        return 0;
    return static_cast<std::uint16_t>(v > ceiling ? ceiling : v);
}

} // namespace

TBriConMapping::TBriConMapping(const TFImage& image, double mean, const TBriConParams& params)
    : kind_(image.Kind()), mean_(mean), k_(ContrastFactor(params.Contrast)) {
    const double m = mean, k = k_;
    const int b = params.Brightness;
    const double dataMin = image.DataMin, dataMax = image.DataMax;
    switch (kind_) {
    case TImageKind::RGB24:
    case TImageKind::RGB48: {
        const bool sixteen = kind_ == TImageKind::RGB48;
        const int top = sixteen ? 65535 : 255;
        const double shift = RoundEven(b * (sixteen ? 655.35 : 2.55));
        table_.assign(65536, 0);
        for (int v = 0; v <= top; ++v)
            table_[v] = Limit(RoundEven(m + (v - m) * k) + shift, top);
        break;
    }
    case TImageKind::Grey16: {
        if (!(dataMax > dataMin)) {
            valid_ = false;
            break;
        }
        table_.assign(65536, 0);
        const int top = static_cast<int>(std::min(RoundEven(dataMax), 65535.0));
        const double stretch = 65535.0 / (dataMax - dataMin);
        for (int v = 0; v <= top; ++v) {
            const double u = RoundEven(dataMax / 100.0 * b + RoundEven(m + (v - m) * k));
            table_[v] = Limit(RoundEven(stretch * (u - dataMin)), 65535);
        }
        break;
    }
    case TImageKind::GreyFloat:
        if (!(dataMax > dataMin)) {
            valid_ = false;
            break;
        }
        offset_ = dataMax / 100.0 * b;
        previewScale_ = 255.0 / (dataMax - dataMin);
        low_ = image.DisplayLow;
        applyScale_ = dataMax / (dataMax - dataMin);
        min_ = dataMin;
        max_ = dataMax;
        break;
    default:
        valid_ = false;
        break;
    }
}

void TBriConMapping::PreviewRow(const TFImage& image, int y, std::uint8_t* display) const {
    const int width = image.Width;
    switch (kind_) {
    case TImageKind::RGB24: {
        const std::uint8_t* p = image.Row(y);
        for (int i = 0; i < 3 * width; ++i)
            display[i] = static_cast<std::uint8_t>(table_[p[i]] & 0xFF);
        break;
    }
    case TImageKind::RGB48: {
        const auto* p = reinterpret_cast<const std::uint16_t*>(image.Row(y));
        for (int x = 0; x < width; ++x, p += 3, display += 3) {
            display[0] = static_cast<std::uint8_t>(table_[p[2]] >> 8);
            display[1] = static_cast<std::uint8_t>(table_[p[1]] >> 8);
            display[2] = static_cast<std::uint8_t>(table_[p[0]] >> 8);
        }
        break;
    }
    case TImageKind::Grey16: {
        const auto* p = reinterpret_cast<const std::uint16_t*>(image.Row(y));
        for (int x = 0; x < width; ++x, display += 3)
            display[0] = display[1] = display[2] = static_cast<std::uint8_t>(table_[p[x]] >> 8);
        break;
    }
    case TImageKind::GreyFloat: {
        const auto* p = reinterpret_cast<const float*>(image.Row(y));
        for (int x = 0; x < width; ++x, display += 3) {
            double d = previewScale_ * (FloatValue(p[x]) - low_);
            if (!(d >= 0))
                d = 0;
            if (d > 255)
                d = 255;
            display[0] = display[1] = display[2] = static_cast<std::uint8_t>(RoundEvenSmall(d));
        }
        break;
    }
    default:
        break;
    }
}

void TBriConMapping::ApplyRow(TFImage& image, int y) const {
    const int width = image.Width;
    switch (kind_) {
    case TImageKind::RGB24: {
        std::uint8_t* p = image.Row(y);
        for (int i = 0; i < 3 * width; ++i)
            p[i] = static_cast<std::uint8_t>(table_[p[i]] & 0xFF);
        break;
    }
    case TImageKind::RGB48:
    case TImageKind::Grey16: {
        auto* p = reinterpret_cast<std::uint16_t*>(image.Row(y));
        const int count = kind_ == TImageKind::RGB48 ? 3 * width : width;
        for (int i = 0; i < count; ++i)
            p[i] = table_[p[i]];
        break;
    }
    case TImageKind::GreyFloat: {
        auto* p = reinterpret_cast<float*>(image.Row(y));
        for (int x = 0; x < width; ++x) {
            double t = applyScale_ * (FloatValue(p[x]) - min_);
            if (!(t >= 0))
                t = 0;
            if (t > max_)
                t = max_;
            p[x] = static_cast<float>(t);
        }
        break;
    }
    default:
        break;
    }
}

void ApplyBriConRows(const TBriConMapping& mapping, TFImage& image, int first, int last,
                     const std::function<bool(int)>& afterRow) {
    if (!mapping.Valid())
        return;
    const int count = last - first + 1;
    const int block = std::max(16, count / 40);
    for (int row = first; row <= last;) {
        const int end = std::min(last + 1, row + block);
        ParallelFor(
            end - row,
            [&](int a, int b) {
                for (int y = row + a; y < row + b; ++y)
                    mapping.ApplyRow(image, y);
            },
            32);
        row = end;
        if (afterRow && !afterRow(end - 1))
            break;
    }
}

int ApplyBriCon(TFImage& image, const TBriConParams& params) {
    const TImageKind kind = image.Kind();
    if (image.Empty() || (kind != TImageKind::RGB24 && kind != TImageKind::RGB48 &&
                          kind != TImageKind::Grey16 && kind != TImageKind::GreyFloat))
        return -1;
    const TBriConMapping mapping(image, ImageMean(image), params);
    ApplyBriConRows(mapping, image, 0, image.Height - 1);
    if (image.IsHighPrecisionGrey)
        image.ComputeDataRange();
    image.RefreshDisplay();
    return 0;
}
