#pragma once
#include <cstdint>

// The pixel kinds the processing tools know; everything else FreeImage delivers is "Other".
enum class TImageKind { Indexed8, RGB24, RGB48, Grey16, GreyFloat, Other };

inline TImageKind KindOf(std::uint8_t bitsPerPixel, bool highPrecisionGrey) {
    if (highPrecisionGrey)
        return bitsPerPixel == 16   ? TImageKind::Grey16
               : bitsPerPixel == 32 ? TImageKind::GreyFloat
                                    : TImageKind::Other;
    switch (bitsPerPixel) {
    case 8:
        return TImageKind::Indexed8;
    case 24:
        return TImageKind::RGB24;
    case 48:
        return TImageKind::RGB48;
    default:
        return TImageKind::Other;
    }
}

const char* KindName(TImageKind kind);
