#pragma once
// Bringing an image, or a window of it, into planes of a transformable size: the image centred,
// the image mean around it.

#include <memory>

class TDataContainer;
class TFImage;

// Where a window of the image lies inside a plane.
struct TPlaneLayout {
    int PlaneWidth = 0, PlaneHeight = 0;
    int OffsetX = 0, OffsetY = 0; // of the window inside the plane
    int Left = 0, Top = 0;        // of the window inside the image
    int Width = 0, Height = 0;    // of the window
    bool Covers() const { return Width == PlaneWidth && Height == PlaneHeight; }
};

// The whole image in a PaddedFftSize plane.
TPlaneLayout FinalLayout(int imageWidth, int imageHeight);
// A 256 x 256 plane: a side of at least 256 contributes the 256 samples from left (top), a
// shorter side is centred whole.
TPlaneLayout PreviewLayout(int imageWidth, int imageHeight, int left, int top);

struct TPaddedPlane {
    std::unique_ptr<TDataContainer> Plane;
    int OffsetX = 0, OffsetY = 0;
    int Width = 0, Height = 0; // of the plane
};

// channel 1, 2, 3 = red, green, blue of a colour image in its own scale; grey images ignore it.
// Throws std::bad_alloc when there is no memory for the plane.
TPaddedPlane PadToPlane(const TFImage& image, int channel);
TPaddedPlane PadToPreviewPlane(const TFImage& image, int channel, int left = 0, int top = 0);

// Fills a plane of the layout's size: grey values, or one colour channel.
void FillPlane(const TFImage& image, int channel, const TPlaneLayout& layout,
               TDataContainer& plane);
// Luminance into y and the colour differences into u and v, as PadToPlane of the three channels
// followed by RgbToYuv of every plane pixel would give, without the three channel planes.
void FillYuvPlanes(const TFImage& image, const TPlaneLayout& layout, TDataContainer& y,
                   TDataContainer& u, TDataContainer& v);
