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

// Calls rowCopy(imageRow, planeRow, samples) for every row of the image, on both cores. Sample
// is the image's sample type; the plane holds `channels` floats per pixel.
template <class Sample, class ImageRow, class PlaneRow, class RowCopy>
void EachRow(const TFImage& image, PlaneRow* plane, int channels, RowCopy&& rowCopy) {
    const int width = image.Width;
    ParallelFor(image.Height, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y)
            rowCopy(reinterpret_cast<ImageRow*>(image.Row(y)),
                    plane + channels * RowStart(width, y), channels * width);
    });
}

template <class Sample> void ReadRows(const TFImage& image, float* plane, int channels) {
    EachRow<Sample, const Sample>(image, plane, channels, [](const Sample* s, float* d, int n) {
        for (int i = 0; i < n; ++i)
            d[i] = s[i];
    });
}

// Rounded and limited to 0..ceiling; NaN becomes 0.
template <class Sample>
void WriteRows(TFImage& image, const float* plane, int channels, float ceiling) {
    EachRow<Sample, Sample>(image, plane, channels, [ceiling](Sample* d, const float* s, int n) {
        for (int i = 0; i < n; ++i)
            d[i] = static_cast<Sample>(RoundEvenSmall(ClampColour(s[i], ceiling)));
    });
}

} // namespace

TAdjustPlanes::TAdjustPlanes(int width, bool grey, int height) : Width(width), Height(height) {
    if (grey)
        Grey = std::make_unique<TDataContainer>(width, height);
    else
        Colour = std::make_unique<TDataContainerRGB>(width, height);
}

void CopyImageToPlanes(const TFImage& image, TDataContainer* grey, TDataContainerRGB* colour) {
    switch (image.Kind()) {
    case TImageKind::RGB24:
        // Blue, green, red in the image; red, green, blue in the plane.
        if (colour)
            EachRow<std::uint8_t, const std::uint8_t>(image, colour->Data(), 3,
                                                      [](const std::uint8_t* s, float* d, int n) {
                                                          for (int i = 0; i < n; i += 3) {
                                                              d[i] = s[i + 2];
                                                              d[i + 1] = s[i + 1];
                                                              d[i + 2] = s[i];
                                                          }
                                                      });
        break;
    case TImageKind::RGB48:
        if (colour)
            ReadRows<std::uint16_t>(image, colour->Data(), 3);
        break;
    case TImageKind::Grey16:
        if (grey)
            ReadRows<std::uint16_t>(image, grey->Data(), 1);
        break;
    case TImageKind::GreyFloat:
        if (grey)
            ReadRows<float>(image, grey->Data(), 1);
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
    switch (image.Kind()) {
    case TImageKind::RGB24:
        if (colour)
            EachRow<std::uint8_t, std::uint8_t>(
                image, colour->Data(), 3, [](std::uint8_t* d, const float* s, int n) {
                    for (int i = 0; i < n; i += 3) {
                        d[i + 2] =
                            static_cast<std::uint8_t>(RoundEvenSmall(ClampColour(s[i], 255.0f)));
                        d[i + 1] = static_cast<std::uint8_t>(
                            RoundEvenSmall(ClampColour(s[i + 1], 255.0f)));
                        d[i] = static_cast<std::uint8_t>(
                            RoundEvenSmall(ClampColour(s[i + 2], 255.0f)));
                    }
                });
        break;
    case TImageKind::RGB48:
        if (colour)
            WriteRows<std::uint16_t>(image, colour->Data(), 3, 65535.0f);
        break;
    case TImageKind::Grey16:
        if (grey)
            WriteRows<std::uint16_t>(image, grey->Data(), 1, 65535.0f);
        break;
    case TImageKind::GreyFloat:
        // Float grey keeps its range; only negative and NaN samples become 0.
        if (grey)
            EachRow<float, float>(image, grey->Data(), 1, [](float* d, const float* s, int n) {
                for (int i = 0; i < n; ++i)
                    d[i] = s[i] >= 0 ? s[i] : 0.0f;
            });
        break;
    default:
        break;
    }
}

void CopyPlanesToImage(TFImage& image, const TAdjustPlanes& planes) {
    CopyPlanesToImage(image, planes.Grey.get(), planes.Colour.get());
}
