#pragma once
// Colour plane: three floats per pixel, red, green, blue.

#include "core/platform/PageBuffer.h"

#include <cstddef>

class TDataContainerRGB {
public:
    // All zero; std::bad_alloc when there is no memory.
    TDataContainerRGB(int width, int height);
    TDataContainerRGB(const TDataContainerRGB&) = delete;
    TDataContainerRGB& operator=(const TDataContainerRGB&) = delete;

    // No bounds checks: these run per pixel.
    void ColourAt(int x, int y, float& red, float& green, float& blue) const {
        const float* p = data_ + Index(x, y);
        red = p[0];
        green = p[1];
        blue = p[2];
    }
    void SetColour(int x, int y, float red, float green, float blue) {
        float* p = data_ + Index(x, y);
        p[0] = red;
        p[1] = green;
        p[2] = blue;
    }

    // Row-major pixels of three floats.
    float* Data() { return data_; }
    const float* Data() const { return data_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    std::size_t Index(int x, int y) const {
        return 3 * (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                    static_cast<std::size_t>(x));
    }

    int width_;
    int height_;
    TPageBuffer buffer_;
    float* data_ = nullptr;
};
