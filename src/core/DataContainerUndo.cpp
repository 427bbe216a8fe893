#include "core/DataContainerUndo.h"

#include "core/fimage.h"

#include <cstring>
#include <exception>

namespace {

int BytesPerSample(TImageKind kind) {
    switch (kind) {
    case TImageKind::RGB24:
        return 3;
    case TImageKind::RGB48:
        return 6;
    case TImageKind::Grey16:
        return 2;
    case TImageKind::GreyFloat:
        return 4;
    default:
        return 0;
    }
}

} // namespace

TDataContainerUndo::~TDataContainerUndo() {
    Release();
}

void TDataContainerUndo::Release() {
    samples_.Release();
    if (whole_)
        FreeImage_Unload(whole_);
    whole_ = nullptr;
}

bool TDataContainerUndo::UndoSave(const TFImage& image) {
    Release();
    available_ = false;
    if (image.Empty())
        return false;
    try {
        width_ = image.Width;
        height_ = image.Height;
        highPrecision_ = image.IsHighPrecisionGrey;
        bitsPerPixel_ = image.BitsPerPixel;
        bytesPerSample_ = BytesPerSample(image.Kind());
        if (bytesPerSample_ == 0) {
            // Palette and other depths: keep the whole bitmap, palette included.
            whole_ = FreeImage_Clone(image.PixelBitmap);
            if (!whole_)
                return false;
        } else {
            const std::size_t rowBytes = static_cast<std::size_t>(width_) * bytesPerSample_;
            samples_ = TPageBuffer(rowBytes * height_);
            for (int y = 0; y < height_; ++y)
                std::memcpy(samples_.As<std::uint8_t>() + rowBytes * y, image.Row(y), rowBytes);
        }
        dataMin_ = image.DataMin;
        dataMax_ = image.DataMax;
        displayLow_ = image.DisplayLow;
        displayHigh_ = image.DisplayHigh;
        available_ = true;
        return true;
    } catch (const std::exception&) {
        Release();
        return false;
    }
}

bool TDataContainerUndo::UndoRestore(TFImage& image) {
    if (!available_)
        return false;
    try {
        const unsigned dpmX = image.DotsPerMetreX, dpmY = image.DotsPerMetreY;
        if (whole_) {
            FIBITMAP* copy = FreeImage_Clone(whole_);
            if (!copy)
                return false;
            image.AdoptBitmap(copy, highPrecision_);
        } else {
            const bool reshape = image.Width != width_ || image.Height != height_ ||
                                 image.BitsPerPixel != bitsPerPixel_ ||
                                 image.IsHighPrecisionGrey != highPrecision_;
            if (reshape) {
                image.ReleasePixels();
                const int result =
                    highPrecision_ ? image.CreateGrey(width_, height_, bitsPerPixel_, dpmX, dpmY)
                                   : image.CreateColour(width_, height_, bitsPerPixel_, dpmX, dpmY);
                if (result < 0)
                    return false;
                image.IsHighPrecisionGrey = highPrecision_;
            }
            const std::size_t rowBytes = static_cast<std::size_t>(width_) * bytesPerSample_;
            for (int y = 0; y < height_; ++y)
                std::memcpy(image.Row(y), samples_.As<std::uint8_t>() + rowBytes * y, rowBytes);
        }
        if (highPrecision_) {
            UpdateIntegerKeyword(image.FitsHeader, "NAXIS1", width_);
            UpdateIntegerKeyword(image.FitsHeader, "NAXIS2", height_);
            image.DataMin = dataMin_;
            image.DataMax = dataMax_;
            image.DisplayLow = displayLow_;
            image.DisplayHigh = displayHigh_;
        }
        image.ComputeDataRange();
        image.RefreshDisplay();
        UndoDiscard();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

void TDataContainerUndo::UndoDiscard() {
    Release();
    available_ = false;
}
