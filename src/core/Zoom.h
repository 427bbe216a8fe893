#pragma once
// Zoom arithmetic of the main window's view: the 16 levels, free zoom, fit to window and the
// part of the display bitmap a paint needs.

#include <optional>

constexpr int ZoomLevelCount = 16;
constexpr int ZoomIndex100 = 6;

// Factor of a level (image pixels to screen pixels); the index is clamped to 0 .. 15.
float ZoomTableFactor(int index);
// The largest level not above the factor; 0 below the first level.
int ZoomIndexForFactor(float factor);
// Level of the fixed-level action n (1 .. 9: 1:16 .. 16:1).
int FixedZoomLevel(int n);

struct TZoom {
    int Index = ZoomIndex100;
    float Factor = 1.0f;

    void In();
    void Out();
    void SetLevel(int index);
    void SetPercent(double percent);
    void Reset() { *this = TZoom{}; }
};

// Side of the paint surface: the image side times the factor, rounded.
int ZoomedSide(int imageSide, float factor);

// The percent fitting an image into the main window, or nothing when it already fits at 100 %
// (fitting only shrinks). clientHeight includes the toolbar and status bar heights given.
std::optional<double> FitZoomPercent(int clientWidth, int clientHeight, int toolbarHeight,
                                     int statusHeight, int imageWidth, int imageHeight);

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0; // right and bottom exclusive
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Empty() const { return Right <= Left || Bottom <= Top; }
};

struct TPaintRects {
    TRect Source;      // display-bitmap pixels
    TRect Destination; // paint-surface pixels
};

// For the visible part of the paint surface: the source rectangle (widened by one pixel on each
// side, kept inside the image) and where it lands on the surface.
TPaintRects PaintRectsFor(const TRect& visible, float factor, int imageWidth, int imageHeight);
