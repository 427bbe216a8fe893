#pragma once
// Status-bar texts of the main window: image size, zoom and the value under the pointer.

#include <string>

class TFImage;

// "<w> x <h> x <bpp> BPP"
std::string ImageSizeText(int width, int height, int bitsPerPixel);
// The zoom in percent with up to two decimals and no leading zero, then "%": "24.4%", ".5%".
std::string ZoomText(float factor);
// "X: <x>, Y: <y>"
std::string PositionText(int x, int y);
// The pixel's value as the status bar shows it for the image's kind; "" for kinds without one.
std::string PixelValueText(const TFImage& image, int x, int y);
// Image pixel under a paint-surface position (truncated); false outside the image.
bool PixelUnderPointer(const TFImage& image, float zoom, int pointerX, int pointerY, int& x,
                       int& y);
