#pragma once
// Resampling of the open image into a new plane of another size. The source is left untouched;
// the caller owns the plane and copies it into the image (Resize.h).

#include "geometry/ResampleCore.h"
#include "geometry/ResampleMethod.h"

#include <memory>

class TFImage;
class TDataContainer;
class TDataContainerRGB;

// The rows of an image as the resampler reads them: grey samples (GreyValue), or red, green,
// blue (RgbAt).
TResampleRows GreyRows(const TFImage& image);
TResampleRows ColourRows(const TFImage& image);

// Grey16 and GreyFloat images; null when the plane's memory cannot be had.
std::unique_ptr<TDataContainer> ResampleGrey(ResampleMethod method, int newWidth, int newHeight,
                                             const TFImage& image,
                                             const TResampleProgress& progress = {});
// RGB24 and RGB48 images (red, green, blue as 0..255 or 0..65535); null without memory.
std::unique_ptr<TDataContainerRGB> ResampleColour(ResampleMethod method, int newWidth,
                                                  int newHeight, const TFImage& image,
                                                  const TResampleProgress& progress = {});
