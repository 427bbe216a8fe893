#include "core/Stretch.h"

#include "core/DisplayBitmap.h"

#include <algorithm>
#include <vector>

void StretchToRgb32(const TDisplayBitmap& bitmap, const TRect& source, int destWidth,
                    int destHeight, std::uint32_t* out, int outStridePixels) {
    if (destWidth <= 0 || destHeight <= 0 || source.Empty())
        return;
    const int sw = source.Width(), sh = source.Height();
    std::vector<int> columnOffset(destWidth);
    for (int dx = 0; dx < destWidth; ++dx) {
        const int sx =
            source.Left + static_cast<int>(static_cast<std::int64_t>(dx) * sw / destWidth);
        columnOffset[dx] = 3 * std::min(sx, bitmap.Width() - 1);
    }
    int previousRow = -1;
    const std::uint32_t* previousOut = nullptr;
    for (int dy = 0; dy < destHeight; ++dy) {
        const int sy =
            std::min(source.Top + static_cast<int>(static_cast<std::int64_t>(dy) * sh / destHeight),
                     bitmap.Height() - 1);
        std::uint32_t* line = out + static_cast<std::ptrdiff_t>(dy) * outStridePixels;
        if (sy == previousRow) { // enlarged: the row repeats
            std::copy(previousOut, previousOut + destWidth, line);
            continue;
        }
        const std::uint8_t* row = bitmap.Row(sy);
        for (int dx = 0; dx < destWidth; ++dx) {
            const std::uint8_t* p = row + columnOffset[dx];
            line[dx] =
                0xff000000u | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
        }
        previousRow = sy;
        previousOut = line;
    }
}
