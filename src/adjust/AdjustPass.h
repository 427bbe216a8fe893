#pragma once
// The part of an adjustment tool that differs from tool to tool: a pass built from the tool's
// parameters (its lookup table, its display stretch) that maps plane rows. The threads and the
// dialog protocol around it are shared (AdjustThreads.h, AdjustSession.h).
//
// A tool is a struct with
//     using TParams = ...;                       // plain numbers, copied into the threads
//     static std::unique_ptr<TAdjustPass> BuildPass(const TParams&, const TAdjustImageInfo&);
// BuildPass returns null when the mapping is undefined for these parameters; the preview then
// draws nothing and the apply leaves the image exactly as it was.

#include "core/ImageKind.h"
#include "core/Numeric.h"

#include <cstdint>

class TFImage;
struct TAdjustPlanes;

// What a pass may read of the image, taken when the thread is created (the dialog is modal, so
// none of it changes while the threads live).
struct TAdjustImageInfo {
    TImageKind Kind = TImageKind::Other;
    int Width = 0;
    int Height = 0;
    bool Grey = false; // IsHighPrecisionGrey: decides which plane the threads own
    float DataMin = 0, DataMax = 0, DisplayLow = 0, DisplayHigh = 0;
    static TAdjustImageInfo Of(const TFImage& image);
};

class TAdjustPass {
public:
    virtual ~TAdjustPass() = default;
    // Writes display bytes (blue, green, red per pixel) of plane row y.
    virtual void PreviewRow(const TAdjustPlanes& planes, int y, std::uint8_t* display) const = 0;
    // Maps plane row y in place.
    virtual void ApplyRow(TAdjustPlanes& planes, int y) const = 0;
    // Rows are independent for point operations, so both threads may share a pass.
    virtual bool RowsIndependent() const { return true; }
    // The apply would give every sample back as it was (a neutral setting): it is skipped like
    // an undefined mapping, so no clamping or rounding touches the image. The preview still
    // draws.
    virtual bool Identity() const { return false; }
};

// Round half to even of a value in [0, 2^23) (float) or [0, 2^52) (double), without the
// library call: adding and removing 2^23 (2^52) leaves the rounding to the FPU's default mode.
// Same results as RoundEven in that range, several times faster per pixel.
inline float RoundEvenSmall(float v) {
    return (v + 8388608.0f) - 8388608.0f;
}
inline double RoundEvenSmall(double v) {
    return (v + 4503599627370496.0) - 4503599627370496.0;
}

// Table of 65536 single-precision entries indexed by the rounded sample.
constexpr int AdjustTableSize = 65536;
inline int TableIndex(float v) {
    if (!(v >= 0))
        return 0;
    if (v >= AdjustTableSize - 1)
        return AdjustTableSize - 1;
    return static_cast<int>(RoundEvenSmall(v));
}

// Display byte of a mapped colour channel: clamp to 0..ceiling, round, and for RGB48 keep the
// high byte.
inline std::uint8_t ColourDisplayByte(double v, double ceiling, bool sixteenBit) {
    if (!(v >= 0))
        v = 0;
    if (v > ceiling)
        v = ceiling;
    const auto rounded = static_cast<unsigned>(RoundEvenSmall(v));
    return static_cast<std::uint8_t>(sixteenBit ? rounded >> 8 : rounded);
}

// Display byte of a stretched grey value d = (v - a) * b.
inline std::uint8_t GreyDisplayByte(double d) {
    if (!(d >= 0))
        d = 0;
    if (d > 255)
        d = 255;
    return static_cast<std::uint8_t>(RoundEvenSmall(d));
}

// Full scale of a colour kind: 255 or 65535.
inline float ColourFullScale(TImageKind kind) {
    return kind == TImageKind::RGB48 ? 65535.0f : 255.0f;
}
