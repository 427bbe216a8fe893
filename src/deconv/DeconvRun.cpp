#include "deconv/DeconvRun.h"

#include "core/ColourYuv.h"
#include "core/DataContainer.h"
#include "core/DisplayBitmap.h"
#include "core/Fft.h"
#include "core/Messages.h"
#include "core/Numeric.h"
#include "core/Parallel.h"
#include "core/fimage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <string>

namespace {

const char* const kTooLarge =
    "This image is too large to deconvolve: the width and height must be 4096 pixels or less.";
const char* const kNoMemory = "There is not enough memory to deconvolve this image.";
const char* const kWrongKind =
    "Deconvolution works on 24-bit and 48-bit colour and 16-bit and 32-bit grey images only.";

bool IsColourKind(const TFImage& image) {
    return image.Kind() == TImageKind::RGB24 || image.Kind() == TImageKind::RGB48;
}

int Prepare(const TFImage& image, const TPlaneLayout& layout, const TDeconvParams& params,
            TRunPlanes& out) {
    if (!CanDeconvolve(image)) {
        ShowError(kWrongKind);
        return -1;
    }
    if (!FftSizeSupported(layout.PlaneWidth, layout.PlaneHeight)) {
        ShowError(kTooLarge);
        return -1;
    }
    try {
        TRunPlanes planes;
        planes.Layout = layout;
        planes.Colour = IsColourKind(image);
        planes.Psf = BuildPsf(params.Psf, layout.PlaneWidth, layout.PlaneHeight, params.Sigma,
                              params.Kurtosis);
        if (!planes.Psf)
            return -1; // reported
        planes.Data = std::make_unique<TDataContainer>(layout.PlaneWidth, layout.PlaneHeight);
        if (planes.Colour) {
            planes.U = std::make_unique<TDataContainer>(layout.PlaneWidth, layout.PlaneHeight);
            planes.V = std::make_unique<TDataContainer>(layout.PlaneWidth, layout.PlaneHeight);
            FillYuvPlanes(image, layout, *planes.Data, *planes.U, *planes.V);
        } else {
            FillPlane(image, 0, layout, *planes.Data);
        }
        out = std::move(planes);
        return 0;
    } catch (const std::bad_alloc&) {
        ShowError(kNoMemory);
        return -1;
    }
}

// Round, then limit; NaN gives 0.
int RoundClamp(float v, int limit) {
    if (!(v > 0.0f))
        return 0;
    if (v >= static_cast<float>(limit))
        return limit;
    return static_cast<int>(RoundEven(v));
}

void YuvAt(const TRunPlanes& planes, std::size_t i, float rgb[3]) {
    YuvToRgb(planes.Data->Data()[i], planes.U->Data()[i], planes.V->Data()[i], rgb[0], rgb[1],
             rgb[2]);
}

std::size_t PlaneIndex(const TPlaneLayout& l, int x, int y) {
    return static_cast<std::size_t>(y + l.OffsetY) * l.PlaneWidth + x + l.OffsetX;
}

} // namespace

bool CanDeconvolve(const TFImage& image) {
    switch (image.Kind()) {
    case TImageKind::RGB24:
    case TImageKind::RGB48:
    case TImageKind::Grey16:
    case TImageKind::GreyFloat:
        return !image.Empty();
    default:
        return false;
    }
}

int PrepareFinalRun(const TFImage& image, const TDeconvParams& params, TRunPlanes& out) {
    return Prepare(image, FinalLayout(image.Width, image.Height), params, out);
}

int PreparePreviewRun(const TFImage& image, int left, int top, const TDeconvParams& params,
                      TRunPlanes& out) {
    return Prepare(image, PreviewLayout(image.Width, image.Height, left, top), params, out);
}

int DeconvolveImage(TFImage& image, TDeconvMethod method, const TDeconvParams& params,
                    TIterationControl* control) {
    const TDeconvParams clamped = ClampParams(method, params);
    TRunPlanes planes;
    if (PrepareFinalRun(image, clamped, planes) != 0)
        return -1;
    if (RunIterations(method, *planes.Data, *planes.Psf, clamped, control) ==
        TIterationResult::Terminated)
        return -1;
    WriteFinalResult(image, planes);
    image.RefreshDisplay();
    return 0;
}

void WriteFinalResult(TFImage& image, const TRunPlanes& planes) {
    const TPlaneLayout& l = planes.Layout;
    const float* data = planes.Data->Data();
    const TImageKind kind = image.Kind();
    if (planes.Colour) {
        const int limit = kind == TImageKind::RGB48 ? 65535 : 255;
        ParallelFor(l.Height, [&](int begin, int end) {
            for (int y = begin; y < end; ++y)
                for (int x = 0; x < l.Width; ++x) {
                    float rgb[3];
                    YuvAt(planes, PlaneIndex(l, x, y), rgb);
                    const int r = RoundClamp(rgb[0], limit), g = RoundClamp(rgb[1], limit),
                              b = RoundClamp(rgb[2], limit);
                    if (kind == TImageKind::RGB48) {
                        const std::uint16_t v[3] = {static_cast<std::uint16_t>(r),
                                                    static_cast<std::uint16_t>(g),
                                                    static_cast<std::uint16_t>(b)};
                        image.SetRgb48(l.Left + x, l.Top + y, v);
                    } else {
                        image.SetRgb24(l.Left + x, l.Top + y,
                                       static_cast<std::uint32_t>(b | g << 8 | r << 16));
                    }
                }
        });
        return;
    }
    float maximum = 0.0f;
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x)
            maximum = std::max(maximum, image.GreyValue(x, y));
    if (kind == TImageKind::Grey16)
        maximum = RoundEven(maximum);
    ParallelFor(l.Height, [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            for (int x = 0; x < l.Width; ++x) {
                float v = data[PlaneIndex(l, x, y)];
                if (!(v >= 0.0f))
                    v = 0.0f;
                if (v > maximum)
                    v = maximum;
                if (kind == TImageKind::Grey16)
                    image.SetGrey16(l.Left + x, l.Top + y,
                                    static_cast<std::uint16_t>(RoundEven(v)));
                else
                    image.SetGreyFloat(l.Left + x, l.Top + y, v);
            }
    });
}

void RenderPreviewResult(const TFImage& image, const TRunPlanes& planes, TDisplayBitmap& out) {
    const TPlaneLayout& l = planes.Layout;
    out.SetSize(l.Width, l.Height);
    const float* data = planes.Data->Data();
    const bool wide = image.Kind() == TImageKind::RGB48;
    const double low = image.DisplayLow, high = image.DisplayHigh;
    const double gain = high != low ? 255.0 / (high - low) : 0.0;
    for (int y = 0; y < l.Height; ++y) {
        std::uint8_t* row = out.Row(y);
        for (int x = 0; x < l.Width; ++x) {
            const std::size_t i = PlaneIndex(l, x, y);
            std::uint8_t bgr[3];
            if (planes.Colour) {
                float rgb[3];
                YuvAt(planes, i, rgb);
                for (int c = 0; c < 3; ++c) {
                    const float v = std::isnan(rgb[c]) ? 0.0f : std::clamp(rgb[c], -1e9f, 1e9f);
                    long level = static_cast<long>(RoundEven(v));
                    if (wide)
                        level >>= 8;
                    bgr[2 - c] = static_cast<std::uint8_t>(std::clamp(level, 0L, 255L));
                }
            } else {
                int g = 128; // no stretch width: mid grey
                if (gain != 0.0) {
                    const double level = RoundEven(gain * (data[i] - low));
                    g = std::isnan(level) ? 0 : static_cast<int>(std::clamp(level, 0.0, 255.0));
                }
                bgr[0] = bgr[1] = bgr[2] = static_cast<std::uint8_t>(g);
            }
            row[3 * x] = bgr[0];
            row[3 * x + 1] = bgr[1];
            row[3 * x + 2] = bgr[2];
        }
    }
}
