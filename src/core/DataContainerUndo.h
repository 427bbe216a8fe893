#pragma once
// The one-level undo: a flat snapshot of the document's pixels and display stretch.

#include "core/platform/PageBuffer.h"

#include <FreeImage.h>

#include <cstdint>

class TFImage;

class TDataContainerUndo {
public:
    TDataContainerUndo() = default;
    ~TDataContainerUndo();
    TDataContainerUndo(const TDataContainerUndo&) = delete;
    TDataContainerUndo& operator=(const TDataContainerUndo&) = delete;

    // Takes a snapshot of the image; false (and no snapshot) if it could not be taken.
    bool UndoSave(const TFImage& image);
    // Writes the snapshot back (resizing the image when a tool changed its size), recomputes the
    // data range and rebuilds the display; the snapshot is gone afterwards. False if none.
    bool UndoRestore(TFImage& image);
    void UndoDiscard();
    bool Available() const { return available_; }

    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    void Release();
    TPageBuffer samples_;
    FIBITMAP* whole_ = nullptr; // kinds without a sample layout: a copy of the whole bitmap
    int width_ = 0;
    int height_ = 0;
    int bytesPerSample_ = 0;
    bool highPrecision_ = false;
    int bitsPerPixel_ = 0;
    float dataMin_ = 0, dataMax_ = 0, displayLow_ = 0, displayHigh_ = 0;
    bool available_ = false;
};
