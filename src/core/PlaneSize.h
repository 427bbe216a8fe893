#pragma once
// Element count of a width x height plane; 0 for empty or negative sides. Throws
// std::bad_alloc when the count cannot be addressed, rather than wrapping to a small buffer.

#include <cstddef>
#include <limits>
#include <new>

inline std::size_t PlaneElements(int width, int height, std::size_t perPixel = 1) {
    if (width <= 0 || height <= 0)
        return 0;
    const std::size_t w = static_cast<std::size_t>(width), h = static_cast<std::size_t>(height);
    if (h > std::numeric_limits<std::size_t>::max() / 16 / perPixel / w)
        throw std::bad_alloc();
    return w * h * perPixel;
}
