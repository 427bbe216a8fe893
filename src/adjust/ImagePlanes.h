#pragma once
// Moving the open image into single-precision planes and back. The write-back clamps: negative
// and NaN values become 0, colour channels stop at 255 (RGB24) or 65535 (RGB48), and integer
// samples are rounded half to even.

#include "core/DataContainer.h"
#include "core/DataContainerRGB.h"

#include <cstddef>
#include <memory>

class TFImage;

// A thread's private copy of the image: a grey plane for high-precision grey images, a colour
// plane otherwise. Allocated zero-filled; std::bad_alloc when there is no memory.
struct TAdjustPlanes {
    TAdjustPlanes(int width, bool grey, int height);
    int Width = 0;
    int Height = 0;
    std::unique_ptr<TDataContainer> Grey;
    std::unique_ptr<TDataContainerRGB> Colour;
};

// Row y of a plane: width floats (grey) or 3 x width floats red, green, blue (colour).
inline const float* PlaneRow(const TDataContainer& plane, int y) {
    return plane.Data() + static_cast<std::size_t>(y) * plane.Width();
}
inline float* PlaneRow(TDataContainer& plane, int y) {
    return plane.Data() + static_cast<std::size_t>(y) * plane.Width();
}
inline const float* PlaneRow(const TDataContainerRGB& plane, int y) {
    return plane.Data() + 3 * static_cast<std::size_t>(y) * plane.Width();
}
inline float* PlaneRow(TDataContainerRGB& plane, int y) {
    return plane.Data() + 3 * static_cast<std::size_t>(y) * plane.Width();
}

// RGB24 and RGB48 into the colour plane (red, green, blue), Grey16 and GreyFloat into the grey
// plane; other kinds copy nothing. A null plane is skipped.
void CopyImageToPlanes(const TFImage& image, TDataContainer* grey, TDataContainerRGB* colour);
void CopyImageToPlanes(const TFImage& image, TAdjustPlanes& planes);

// The plane that matches the image's kind is written back with the clamps above. Grey16 values
// are not limited by the data range here (the tools keep within it); only the 16-bit ceiling
// guards the conversion.
void CopyPlanesToImage(TFImage& image, const TDataContainer* grey, const TDataContainerRGB* colour);
void CopyPlanesToImage(TFImage& image, const TAdjustPlanes& planes);
