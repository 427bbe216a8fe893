#pragma once
// The 24-bit picture the main window paints: top-down rows, bytes blue, green, red per pixel,
// rows padded to four bytes (the layout of a bottom-up-free device-independent bitmap).

#include "core/platform/PageBuffer.h"

#include <cstddef>
#include <cstdint>

class TDisplayBitmap {
public:
    // Sizes the bitmap; the memory is kept when the size does not change.
    void SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Stride() const { return stride_; }
    std::uint8_t* Row(int y) const {
        return buffer_.As<std::uint8_t>() + static_cast<std::size_t>(y) * stride_;
    }
    std::uint8_t* Bits() const { return buffer_.As<std::uint8_t>(); }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    void Fill(std::uint8_t value);

private:
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    TPageBuffer buffer_;
};
