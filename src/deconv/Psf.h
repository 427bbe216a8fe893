#pragma once
// Point-spread functions of the deconvolution tools, and the sizes of the planes they work on.

#include <memory>
#include <optional>
#include <string>

class TDataContainer;
class TDisplayBitmap;

// Numbered as the items of the "Point Spread Function Type" radio group.
enum class PsfKind { Gaussian = 0, Exponential = 1, Cauchy = 2, Moffat = 3 };

// By lower-case name: gaussian, exponential, cauchy, moffat.
std::optional<PsfKind> PsfKindFromName(const std::string& name);

// Error numbers of the routines here.
enum { ErrBuildPsf = 5000, ErrDrawPsfPreview = 5001 };

// Value of the model at integer offset (dx, dy) from the centre; 1 at the centre, not normalised.
double PsfValue(PsfKind kind, int dx, int dy, double sigma, double kurtosis);

// The PSF wrapped around the origin (peak at (0, 0), negative offsets at the far ends), so that
// multiplying spectra convolves without a shift. Null after ReportError(5000).
std::unique_ptr<TDataContainer> BuildPsf(PsfKind kind, int width, int height, float sigma,
                                         float kurtosis);
// The PSF centred at (width/2, height/2) as grey levels 0 .. 255, for the dialogs' 64 x 64
// picture. Null after ReportError(5001).
std::unique_ptr<TDisplayBitmap> DrawPsfPreview(PsfKind kind, int width, int height, float sigma,
                                               float kurtosis);
// The plane side for an image side: the next power of two from 64 to 8192; larger sides as
// they are.
int PaddedFftSize(int n);
