#include "core/DisplayBitmap.h"

#include <cstring>

void TDisplayBitmap::SetSize(int width, int height) {
    if (width < 0 || height < 0)
        width = height = 0;
    const int stride = (width * 3 + 3) & ~3;
    const std::size_t bytes = static_cast<std::size_t>(stride) * height;
    if (bytes != buffer_.Size())
        buffer_ = bytes ? TPageBuffer(bytes) : TPageBuffer();
    width_ = width;
    height_ = height;
    stride_ = stride;
}

void TDisplayBitmap::Fill(std::uint8_t value) {
    if (!buffer_.Empty())
        std::memset(buffer_.Data(), value, buffer_.Size());
}
