#pragma once
// The whole-image resize run by the Resize dialog's OK and by zelvane-cli resize.

#include "geometry/ResampleCore.h"
#include "geometry/ResampleMethod.h"

#include <string>

class TFImage;
class TDataContainerUndo;

// Replaces the image by a resampled copy of newWidth x newHeight (sides kept within 1 .. 65535)
// of the same kind and resolution. Indexed and other kinds without a processing layout become RGB24
// first. The undo snapshot (when a store is given) is taken only once the new pixels exist, so
// a failure - reported as "not enough memory" - leaves the image and the snapshot as they were.
// Grey images get a new data range and the NAXIS1/NAXIS2 cards. 0, or -1 after the message.
int ResizeImage(TFImage& image, ResampleMethod method, int newWidth, int newHeight,
                TDataContainerUndo* undo, const TResampleProgress& progress = {});

// True for the kinds that are converted to RGB24 before resampling.
bool ResizeConvertsToRgb24(const TFImage& image);

// The message shown when the resized image does not fit into memory.
std::string ResizeMemoryMessage(int newWidth, int newHeight);
