#pragma once
// Mirroring the image in place, left to right or top to bottom.

class TFImage;
class TDataContainerUndo;

// Grey16, GreyFloat, RGB24 and RGB48 images: takes the undo snapshot (when a store is given),
// mirrors the pixels with every channel kept in place, and rebuilds the display. The data range
// is not recomputed: a flip does not change the set of values. 0, or -1 for other kinds
// (nothing changes then).
int FlipHorizontal(TFImage& image, TDataContainerUndo* undo);
int FlipVertical(TFImage& image, TDataContainerUndo* undo);
