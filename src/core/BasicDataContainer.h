#pragma once
// One plane of unsigned 16-bit or float samples, read and written as floats.

#include "core/Numeric.h"
#include "core/platform/PageBuffer.h"

#include <cstddef>
#include <cstdint>

class TBasicDataContainer {
public:
    // bitsPerSample 16 or 32; any other value allocates no samples. All zero; std::bad_alloc
    // when there is no memory.
    TBasicDataContainer(int width, int bitsPerSample, int height);
    TBasicDataContainer(const TBasicDataContainer&) = delete;
    TBasicDataContainer& operator=(const TBasicDataContainer&) = delete;

    // No bounds checks: these run per pixel. Other bit sizes read 0 and ignore writes.
    float Value(int x, int y) const {
        if (bitsPerSample_ == 16)
            return static_cast<float>(static_cast<const std::uint16_t*>(data_)[Index(x, y)]);
        if (bitsPerSample_ == 32)
            return static_cast<const float*>(data_)[Index(x, y)];
        return 0.0f;
    }
    // 16 bits: rounded to the nearest integer, ties to even. Values outside 0 .. 65535 (and NaN,
    // read as 0) are clamped rather than converted out of range.
    void SetValue(int x, int y, float value) {
        if (bitsPerSample_ == 16)
            static_cast<std::uint16_t*>(data_)[Index(x, y)] = ToSample16(value);
        else if (bitsPerSample_ == 32)
            static_cast<float*>(data_)[Index(x, y)] = value;
    }

    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitsPerSample() const { return bitsPerSample_; }

private:
    static std::uint16_t ToSample16(float v) {
        if (!(v > 0.0f))
            return 0;
        if (v >= 65535.0f)
            return 65535;
        return static_cast<std::uint16_t>(RoundEven(v));
    }
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_;
    int height_;
    int bitsPerSample_;
    TPageBuffer buffer_;
    void* data_ = nullptr;
};
