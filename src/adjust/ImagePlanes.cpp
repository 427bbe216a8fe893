#include "adjust/ImagePlanes.h"

#include "adjust/AdjustPass.h"
#include "core/Parallel.h"
#include "core/fimage.h"

#include <cstddef>
#include <cstdint>

namespace {

inline float ClampColour(float v, float ceiling) {
    if (!(v >= 0))
        return 0;
    return v > ceiling ? ceiling : v;
}

std::size_t RowStart(int width, int y) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
}

} // namespace

TAdjustPlanes::TAdjustPlanes(int width, bool grey, int height) : Width(width), Height(height) {
    if (grey)
        Grey = std::make_unique<TDataContainer>(width, height);
    else
        Colour = std::make_unique<TDataContainerRGB>(width, height);
}

void CopyImageToPlanes(const TFImage& image, TDataContainer* grey, TDataContainerRGB* colour) {
    const int width = image.Width;
    switch (image.Kind()) {
    case TImageKind::RGB24:
        if (!colour)
            return;
        ParallelFor(image.Height, [&](int y0, int y1) {
            for (int y = y0; y < y1; ++y) {
                const std::uint8_t* s = image.Row(y);
                float* d = colour->Data() + 3 * RowStart(width, y);
                for (int x = 0; x < width; ++x, s += 3, d += 3) {
                    d[0] = s[2];
                    d[1] = s[1];
                    d[2] = s[0];
                }
            }
        });
        break;
    case TImageKind::RGB48:
        if (!colour)
            return;
        ParallelFor(image.Height, [&](int y0, int y1) {
            for (int y = y0; y < y1; ++y) {
                const auto* s = reinterpret_cast<const std::uint16_t*>(image.Row(y));
                float* d = colour->Data() + 3 * RowStart(width, y);
                for (int x = 0; x < 3 * width; ++x)
                    d[x] = s[x];
            }
        });
        break;
    case TImageKind::Grey16:
        if (!grey)
            return;
        ParallelFor(image.Height, [&](int y0, int y1) {
            for (int y = y0; y < y1; ++y) {
                const auto* s = reinterpret_cast<const std::uint16_t*>(image.Row(y));
                float* d = grey->Data() + RowStart(width, y);
                for (int x = 0; x < width; ++x)
                    d[x] = s[x];
            }
        });
        break;
    case TImageKind::GreyFloat:
        if (!grey)
            return;
        ParallelFor(image.Height, [&](int y0, int y1) {
            for (int y = y0; y < y1; ++y) {
                const auto* s = reinterpret_cast<const float*>(image.Row(y));
                float* d = grey->Data() + RowStart(width, y);
                for (int x = 0; x < width; ++x)
                    d[x] = s[x];
            }
        });
        break;
    default:
        break;
    }
}

void CopyImageToPlanes(const TFImage& image, TAdjustPlanes& planes) {
    CopyImageToPlanes(image, planes.Grey.get(), planes.Colour.get());
}

void CopyPlanesToImage(TFImage& image, const TDataContainer* grey,
                       const TDataContainerRGB* colour) {
    const int width = image.Width;
    switch (image.Kind()) {
    case TImageKind::RGB24:
        if (!colour)
            return;
        ParallelFor(image.Height, [&](int y0, int y1) {
            for (int y = y0; y < y1; ++y) {
                const float* s = colour->Data() + 3 * RowStart(width, y);
                std::uint8_t* d = image.Row(y);
                for (int x = 0; x < width; ++x, s += 3, d += 3) {
                    d[2] = static_cast<std::uint8_t>(RoundEvenSmall(ClampColour(s[0], 255.0f)));
                    d[1] = static_cast<std::uint8_t>(RoundEvenSmall(ClampColour(s[1], 255.0f)));
                    d[0] = static_cast<std::uint8_t>(RoundEvenSmall(ClampColour(s[2], 255.0f)));
                }
            }
        });
        break;
    case TImageKind::RGB48:
        if (!colour)
            return;
        ParallelFor(image.Height, [&](int y0, int y1) {
            for (int y = y0; y < y1; ++y) {
                const float* s = colour->Data() + 3 * RowStart(width, y);
                auto* d = reinterpret_cast<std::uint16_t*>(image.Row(y));
                for (int x = 0; x < 3 * width; ++x)
                    d[x] = static_cast<std::uint16_t>(RoundEvenSmall(ClampColour(s[x], 65535.0f)));
            }
        });
        break;
    case TImageKind::Grey16:
        if (!grey)
            return;
        ParallelFor(image.Height, [&](int y0, int y1) {
            for (int y = y0; y < y1; ++y) {
                const float* s = grey->Data() + RowStart(width, y);
                auto* d = reinterpret_cast<std::uint16_t*>(image.Row(y));
                for (int x = 0; x < width; ++x)
                    d[x] = static_cast<std::uint16_t>(RoundEvenSmall(ClampColour(s[x], 65535.0f)));
            }
        });
        break;
    case TImageKind::GreyFloat:
        if (!grey)
            return;
        ParallelFor(image.Height, [&](int y0, int y1) {
            for (int y = y0; y < y1; ++y) {
                const float* s = grey->Data() + RowStart(width, y);
                auto* d = reinterpret_cast<float*>(image.Row(y));
                for (int x = 0; x < width; ++x)
                    d[x] = s[x] >= 0 ? s[x] : 0.0f;
            }
        });
        break;
    default:
        break;
    }
}

void CopyPlanesToImage(TFImage& image, const TAdjustPlanes& planes) {
    CopyPlanesToImage(image, planes.Grey.get(), planes.Colour.get());
}
