#include "geometry/Resize.h"

#include "core/DataContainerUndo.h"
#include "core/Messages.h"
#include "core/Numeric.h"
#include "core/fimage.h"
#include "geometry/Resample.h"
#include "geometry/ResizeSize.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
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

// One resampled row into the new bitmap, per kind.
void StoreRow(const TFImage& target, TImageKind kind, int y, const float* row) {
    const int width = target.Width;
    switch (kind) {
    case TImageKind::Grey16: {
        auto* p = reinterpret_cast<std::uint16_t*>(target.Row(y));
        for (int x = 0; x < width; ++x)
            p[x] = static_cast<std::uint16_t>(ClampRound(row[x], 65535));
        break;
    }
    case TImageKind::GreyFloat:
        std::memcpy(target.Row(y), row, sizeof(float) * width);
        break;
    case TImageKind::RGB24: {
        std::uint8_t* p = target.Row(y); // blue, green, red
        for (int x = 0; x < width; ++x, p += 3, row += 3) {
            p[0] = static_cast<std::uint8_t>(ClampRound(row[2], 255));
            p[1] = static_cast<std::uint8_t>(ClampRound(row[1], 255));
            p[2] = static_cast<std::uint8_t>(ClampRound(row[0], 255));
        }
        break;
    }
    case TImageKind::RGB48: {
        auto* p = reinterpret_cast<std::uint16_t*>(target.Row(y));
        for (int i = 0; i < 3 * width; ++i)
            p[i] = static_cast<std::uint16_t>(ClampRound(row[i], 65535));
        break;
    }
    default:
        break;
    }
}

bool Processable(TImageKind kind) {
    return kind == TImageKind::RGB24 || kind == TImageKind::RGB48 || kind == TImageKind::Grey16 ||
           kind == TImageKind::GreyFloat;
}

// Allocates target and resamples source into it row by row (no intermediate plane, so the peak
// memory is the two bitmaps); false when the memory is not there. Throws std::bad_alloc when
// the working rows cannot be had.
bool ResampleInto(const TFImage& source, ResampleMethod method, int newWidth, int newHeight,
                  unsigned dpmX, unsigned dpmY, const TResampleProgress& progress,
                  TFImage& target) {
    // The progress text goes away however the run ends.
    struct TClear {
        const TResampleProgress& Progress;
        ~TClear() {
            if (Progress)
                Progress(ResampleProgressDone);
        }
    } clear{progress};
    const bool grey = source.IsHighPrecisionGrey;
    const int made =
        grey ? target.CreateGrey(newWidth, newHeight, source.BitsPerPixel, dpmX, dpmY)
             : target.CreateColour(newWidth, newHeight, source.BitsPerPixel, dpmX, dpmY);
    if (made < 0)
        return false;
    TResampleRows job = grey ? GreyRows(source) : ColourRows(source);
    const TImageKind kind = target.Kind();
    job.Store = [&target, kind](int y, const float* row) { StoreRow(target, kind, y, row); };
    ResampleRows(method, newWidth, newHeight, job, progress);
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
    newWidth = std::clamp(newWidth, ResizeMinSide, ResizeMaxSide);
    newHeight = std::clamp(newHeight, ResizeMinSide, ResizeMaxSide);
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
    image.TakePixelsFrom(target);
    image.IsHighPrecisionGrey = grey;
    if (grey) {
        image.ComputeDataRange();
        UpdateIntegerKeyword(image.FitsHeader, "NAXIS1", newWidth);
        UpdateIntegerKeyword(image.FitsHeader, "NAXIS2", newHeight);
    }
    image.RefreshDisplay();
    return 0;
}
