#include "geometry/Flip.h"

#include "core/DataContainerUndo.h"
#include "core/Parallel.h"
#include "core/fimage.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

int BytesPerPixel(TImageKind kind) {
    switch (kind) {
    case TImageKind::Grey16:
        return 2;
    case TImageKind::GreyFloat:
        return 4;
    case TImageKind::RGB24:
        return 3;
    case TImageKind::RGB48:
        return 6;
    default:
        return 0;
    }
}

// Pixels are moved as whole byte groups, so samples (NaN payloads included) and the channel
// order stay exactly as they were.
void MirrorRow(std::uint8_t* row, int width, int bytes) {
    std::uint8_t temp[8];
    for (int left = 0, right = width - 1; left < right; ++left, --right) {
        std::uint8_t* a = row + static_cast<std::ptrdiff_t>(left) * bytes;
        std::uint8_t* b = row + static_cast<std::ptrdiff_t>(right) * bytes;
        std::memcpy(temp, a, bytes);
        std::memcpy(a, b, bytes);
        std::memcpy(b, temp, bytes);
    }
}

template <class TMirror> int Flip(TFImage& image, TDataContainerUndo* undo, TMirror mirror) {
    const int bytes = BytesPerPixel(image.Kind());
    if (image.Empty() || bytes == 0)
        return -1;
    if (undo)
        undo->UndoSave(image);
    mirror(bytes);
    image.RefreshDisplay();
    return 0;
}

} // namespace

int FlipHorizontal(TFImage& image, TDataContainerUndo* undo) {
    return Flip(image, undo, [&image](int bytes) {
        ParallelFor(image.Height, [&](int begin, int end) {
            for (int y = begin; y < end; ++y)
                MirrorRow(image.Row(y), image.Width, bytes);
        });
    });
}

int FlipVertical(TFImage& image, TDataContainerUndo* undo) {
    return Flip(image, undo, [&image](int bytes) {
        const std::size_t rowBytes = static_cast<std::size_t>(image.Width) * bytes;
        ParallelFor(image.Height / 2, [&](int begin, int end) {
            for (int y = begin; y < end; ++y) {
                std::uint8_t* top = image.Row(y);
                std::swap_ranges(top, top + rowBytes, image.Row(image.Height - 1 - y));
            }
        });
    });
}
