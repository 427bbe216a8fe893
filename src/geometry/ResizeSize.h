#pragma once
// Target sizes of the Resize dialog and of zelvane-cli resize: the three modes and the
// aspect-ratio arithmetic of the width and height fields.

struct TResizeSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TResizeSize&) const = default;
};

constexpr int ResizeMinSide = 1;
constexpr int ResizeMaxSide = 65535;

// A side that rounds below 1 becomes 1; one above the largest side becomes the largest side.
int LimitSide(double side);

// Percentage mode: Round(p / 100 x width), Round(p / 100 x height).
TResizeSize PercentTargetSize(double percent, int width, int height);
// Absolute mode: the rounded field values.
TResizeSize AbsoluteTargetSize(double width, double height);

// Common-dimensions mode: entry 0 .. 5 of "320 x 240" .. "1600 x 1200", whatever the aspect.
constexpr int CommonDimensionCount = 6;
TResizeSize CommonDimension(int index);
const char* CommonDimensionText(int index);

// "Maintain aspect ratio" of an image of imageWidth x imageHeight; the ratio is single precision.
// Returns Round(width x (imageHeight / imageWidth)).
double AspectHeightForWidth(double width, int imageWidth, int imageHeight);
// Returns Round(height x (imageWidth / imageHeight)).
double AspectWidthForHeight(double height, int imageWidth, int imageHeight);
