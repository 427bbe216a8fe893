#include "geometry/Resize.h"

#include "core/DataContainer.h"
#include "core/DataContainerRGB.h"
#include "core/DataContainerUndo.h"
#include "core/Messages.h"
#include "core/Numeric.h"
#include "core/Parallel.h"
#include "core/fimage.h"
#include "geometry/Resample.h"
#include "geometry/ResizeSize.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>

namespace {

// Write-back of one resampled value: not >= 0 (NaN included) is 0, above the limit is the limit,
// otherwise rounded.
float ClampRound(float v, float limit) {
    if (!(v >= 0))
        return 0;
    if (v > limit)
        return limit;
    return RoundEven(v);
}

void WriteGrey(const TDataContainer& plane, const TFImage& target) {
    const bool words = target.Kind() == TImageKind::Grey16;
    ParallelFor(target.Height, [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            for (int x = 0; x < target.Width; ++x) {
                const float v = plane.Value(x, y);
                if (words)
                    target.SetGrey16(x, y, static_cast<std::uint16_t>(ClampRound(v, 65535)));
                else
                    target.SetGreyFloat(x, y, v);
            }
    });
}

void WriteColour(const TDataContainerRGB& plane, const TFImage& target) {
    const bool bytes = target.Kind() == TImageKind::RGB24;
    ParallelFor(target.Height, [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            for (int x = 0; x < target.Width; ++x) {
                float rgb[3];
                plane.ColourAt(x, y, rgb[0], rgb[1], rgb[2]);
                if (bytes) {
                    const auto r = static_cast<std::uint32_t>(ClampRound(rgb[0], 255));
                    const auto g = static_cast<std::uint32_t>(ClampRound(rgb[1], 255));
                    const auto b = static_cast<std::uint32_t>(ClampRound(rgb[2], 255));
                    target.SetRgb24(x, y, r << 16 | g << 8 | b);
                } else {
                    const std::uint16_t words[3] = {
                        static_cast<std::uint16_t>(ClampRound(rgb[0], 65535)),
                        static_cast<std::uint16_t>(ClampRound(rgb[1], 65535)),
                        static_cast<std::uint16_t>(ClampRound(rgb[2], 65535))};
                    target.SetRgb48(x, y, words);
                }
            }
    });
}

bool Processable(TImageKind kind) {
    return kind == TImageKind::RGB24 || kind == TImageKind::RGB48 || kind == TImageKind::Grey16 ||
           kind == TImageKind::GreyFloat;
}

// Resamples source into target (allocated here); false when the memory is not there.
bool ResampleInto(const TFImage& source, ResampleMethod method, int newWidth, int newHeight,
                  unsigned dpmX, unsigned dpmY, const TResampleProgress& progress,
                  TFImage& target) {
    if (source.IsHighPrecisionGrey) {
        const auto plane = ResampleGrey(method, newWidth, newHeight, source, progress);
        if (!plane || target.CreateGrey(newWidth, newHeight, source.BitsPerPixel, dpmX, dpmY) < 0)
            return false;
        WriteGrey(*plane, target);
    } else {
        const auto plane = ResampleColour(method, newWidth, newHeight, source, progress);
        if (!plane || target.CreateColour(newWidth, newHeight, source.BitsPerPixel, dpmX, dpmY) < 0)
            return false;
        WriteColour(*plane, target);
    }
    return true;
}

} // namespace

bool ResizeConvertsToRgb24(const TFImage& image) {
    return !image.Empty() && !Processable(image.Kind());
}

std::string ResizeMemoryMessage(int newWidth, int newHeight) {
    return "There is not enough memory to resize the image to " + std::to_string(newWidth) + " x " +
           std::to_string(newHeight) + " pixels. The image has not been changed.";
}

int ResizeImage(TFImage& image, ResampleMethod method, int newWidth, int newHeight,
                TDataContainerUndo* undo, const TResampleProgress& progress) {
    if (image.Empty())
        return -1;
    newWidth = std::max(newWidth, ResizeMinSide);
    newHeight = std::max(newHeight, ResizeMinSide);
    TFImage target;
    bool grey = false;
    try {
        TFImage converted;
        const TFImage* source = &image;
        if (!Processable(image.Kind())) {
            FIBITMAP* rgb = FreeImage_ConvertTo24Bits(image.PixelBitmap);
            if (!rgb) {
                ShowError("This image cannot be converted to 24-bit colour for resizing.");
                return -1;
            }
            converted.AdoptBitmap(rgb, false);
            source = &converted;
        }
        grey = source->IsHighPrecisionGrey;
        if (!ResampleInto(*source, method, newWidth, newHeight, image.DotsPerMetreX,
                          image.DotsPerMetreY, progress, target)) {
            ShowError(ResizeMemoryMessage(newWidth, newHeight));
            return -1;
        }
    } catch (const std::bad_alloc&) {
        ShowError(ResizeMemoryMessage(newWidth, newHeight));
        return -1;
    }
    if (undo)
        undo->UndoSave(image); // a snapshot that cannot be taken only disables Undo
    // The new bitmap moves over to the document.
    FIBITMAP* pixels = target.PixelBitmap;
    target.PixelBitmap = nullptr;
    image.AdoptBitmap(pixels, grey);
    if (grey) {
        image.ComputeDataRange();
        UpdateIntegerKeyword(image.FitsHeader, "NAXIS1", newWidth);
        UpdateIntegerKeyword(image.FitsHeader, "NAXIS2", newHeight);
    }
    image.RefreshDisplay();
    return 0;
}
