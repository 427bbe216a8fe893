#include "deconv/Padding.h"

#include "adjust/Statistics.h"
#include "core/ColourYuv.h"
#include "core/DataContainer.h"
#include "core/Parallel.h"
#include "core/fimage.h"
#include "deconv/Psf.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kPreviewSide = 256;

bool IsColourImage(const TFImage& image) {
    const TImageKind kind = image.Kind();
    return kind == TImageKind::RGB24 || kind == TImageKind::RGB48;
}

// Fills every plane sample outside the window with value.
void FillBorder(float* plane, const TPlaneLayout& l, float value) {
    ParallelFor(l.PlaneHeight, [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            float* row = plane + static_cast<std::size_t>(y) * l.PlaneWidth;
            if (y < l.OffsetY || y >= l.OffsetY + l.Height) {
                std::fill(row, row + l.PlaneWidth, value);
            } else {
                std::fill(row, row + l.OffsetX, value);
                std::fill(row + l.OffsetX + l.Width, row + l.PlaneWidth, value);
            }
        }
    });
}

// fn(x, y, index) for every window pixel: x, y in the image, index into the plane.
template <class Fn> void ForWindow(const TPlaneLayout& l, Fn fn) {
    ParallelFor(l.Height, [&](int begin, int end) {
        for (int j = begin; j < end; ++j) {
            const std::size_t rowStart =
                static_cast<std::size_t>(j + l.OffsetY) * l.PlaneWidth + l.OffsetX;
            for (int i = 0; i < l.Width; ++i)
                fn(l.Left + i, l.Top + j, rowStart + i);
        }
    });
}

TPaddedPlane Pad(const TFImage& image, int channel, const TPlaneLayout& layout) {
    TPaddedPlane out;
    out.Plane = std::make_unique<TDataContainer>(layout.PlaneWidth, layout.PlaneHeight);
    FillPlane(image, channel, layout, *out.Plane);
    out.OffsetX = layout.OffsetX;
    out.OffsetY = layout.OffsetY;
    out.Width = layout.PlaneWidth;
    out.Height = layout.PlaneHeight;
    return out;
}

// One axis of the preview layout: side, window start, window length and offset.
void PreviewAxis(int side, int start, int& windowStart, int& length, int& offset) {
    if (side >= kPreviewSide) {
        windowStart = std::clamp(start, 0, side - kPreviewSide);
        length = kPreviewSide;
        offset = 0;
    } else {
        windowStart = 0;
        length = side;
        offset = (kPreviewSide - side) / 2;
    }
}

} // namespace

TPlaneLayout FinalLayout(int imageWidth, int imageHeight) {
    TPlaneLayout l;
    l.PlaneWidth = PaddedFftSize(imageWidth);
    l.PlaneHeight = PaddedFftSize(imageHeight);
    l.OffsetX = (l.PlaneWidth - imageWidth) / 2;
    l.OffsetY = (l.PlaneHeight - imageHeight) / 2;
    l.Width = imageWidth;
    l.Height = imageHeight;
    return l;
}

TPlaneLayout PreviewLayout(int imageWidth, int imageHeight, int left, int top) {
    TPlaneLayout l;
    l.PlaneWidth = l.PlaneHeight = kPreviewSide;
    PreviewAxis(imageWidth, left, l.Left, l.Width, l.OffsetX);
    PreviewAxis(imageHeight, top, l.Top, l.Height, l.OffsetY);
    return l;
}

void FillPlane(const TFImage& image, int channel, const TPlaneLayout& layout,
               TDataContainer& plane) {
    float* out = plane.Data();
    if (!layout.Covers())
        FillBorder(out, layout, static_cast<float>(ImageMean(image)));
    if (IsColourImage(image)) {
        const int c = std::clamp(channel, 1, 3) - 1;
        ForWindow(layout, [&](int x, int y, std::size_t i) {
            std::uint16_t rgb[3] = {0, 0, 0};
            image.RgbAt(x, y, rgb);
            out[i] = rgb[c];
        });
    } else {
        ForWindow(layout, [&](int x, int y, std::size_t i) { out[i] = image.GreyValue(x, y); });
    }
}

void FillYuvPlanes(const TFImage& image, const TPlaneLayout& layout, TDataContainer& y,
                   TDataContainer& u, TDataContainer& v) {
    float* py = y.Data();
    float* pu = u.Data();
    float* pv = v.Data();
    if (!layout.Covers()) {
        const float mean = static_cast<float>(ImageMean(image));
        float by, bu, bv;
        RgbToYuv(mean, mean, mean, by, bu, bv);
        FillBorder(py, layout, by);
        FillBorder(pu, layout, bu);
        FillBorder(pv, layout, bv);
    }
    ForWindow(layout, [&](int x, int yy, std::size_t i) {
        std::uint16_t rgb[3] = {0, 0, 0};
        image.RgbAt(x, yy, rgb);
        RgbToYuv(rgb[0], rgb[1], rgb[2], py[i], pu[i], pv[i]);
    });
}

TPaddedPlane PadToPlane(const TFImage& image, int channel) {
    return Pad(image, channel, FinalLayout(image.Width, image.Height));
}

TPaddedPlane PadToPreviewPlane(const TFImage& image, int channel, int left, int top) {
    return Pad(image, channel, PreviewLayout(image.Width, image.Height, left, top));
}
