#pragma once
// YUV of the deconvolution and sharpening tools: luminance Y and two colour differences, in the
// image's own scale (0 .. 255 or 0 .. 65535). Computed in double, stored in single precision.

// Y = 0.299 R + 0.587 G + 0.114 B, U = -0.147 R - 0.289 G + 0.436 B, V = 0.615 R - 0.515 G - 0.1 B
void RgbToYuv(float r, float g, float b, float& y, float& u, float& v);
// The exact inverse of RgbToYuv. The rounded textbook inverse (R = Y + 1.14 V, ...) is off by
// up to 9 in 65535 for a saturated colour, which would tint an image that was not processed.
void YuvToRgb(float y, float u, float v, float& r, float& g, float& b);
