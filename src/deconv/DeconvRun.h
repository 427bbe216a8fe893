#pragma once
// The toolkit-free core of a deconvolution run: the planes for a preview region or the whole
// image (grey values, or luminance with the colour differences kept aside), and the result
// written back into the image or drawn as a preview picture.

#include "deconv/DeconvMethod.h"
#include "deconv/Padding.h"

#include <memory>

class TDataContainer;
class TDisplayBitmap;
class TFImage;

struct TRunPlanes {
    std::unique_ptr<TDataContainer> Data; // grey values or luminance
    std::unique_ptr<TDataContainer> Psf;
    std::unique_ptr<TDataContainer> U, V; // colour runs only
    TPlaneLayout Layout;
    bool Colour = false;
};

// Kinds the tools accept: RGB24, RGB48, Grey16, GreyFloat.
bool CanDeconvolve(const TFImage& image);

// Planes for the whole image. -1 after a message when the image is not one the tools take, a
// side is beyond what the transform handles, or memory runs out.
int PrepareFinalRun(const TFImage& image, const TDeconvParams& params, TRunPlanes& out);
// Planes for the 256 x 256 preview at (left, top). -1 after a message as above.
int PreparePreviewRun(const TFImage& image, int left, int top, const TDeconvParams& params,
                      TRunPlanes& out);

// The final run on the calling thread, as the dialog's OK does it on a worker: planes, the
// iterations (control may be null), write-back and display. -1 after a message when the image
// cannot be processed; a fault inside the iterations writes what the data plane holds then.
int DeconvolveImage(TFImage& image, TDeconvMethod method, const TDeconvParams& params,
                    TIterationControl* control);

// The window of the planes back into the image, clamped: grey to 0 .. the image's previous
// maximum (Grey16 rounded), colour channels to 0 .. 255 or 0 .. 65535; NaN becomes 0. Only
// the pixels change; the caller rebuilds the display.
void WriteFinalResult(TFImage& image, const TRunPlanes& planes);
// The window as a picture of its size: grey through the image's display stretch (mid grey when
// the stretch has no width), colour scaled to 8 bits.
void RenderPreviewResult(const TFImage& image, const TRunPlanes& planes, TDisplayBitmap& out);
