#pragma once
// Nearest-neighbour copy of part of the display bitmap into a 32-bit 0xffRRGGBB buffer: pixels
// are repeated or dropped, never blended, and the work is proportional to the destination.

#include "core/Zoom.h"

#include <cstdint>

class TDisplayBitmap;

void StretchToRgb32(const TDisplayBitmap& bitmap, const TRect& source, int destWidth,
                    int destHeight, std::uint32_t* out, int outStridePixels);
