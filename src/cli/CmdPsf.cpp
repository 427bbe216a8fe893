// zelvane-cli psf OUT.fits: the PSF the deconvolution tools would use, centred, as float data.

#include "cli/Cli.h"
#include "core/fimage.h"
#include "deconv/DeconvMethod.h"

#include <cstdio>
#include <string>

namespace {

PsfKind ParsePsf(const std::string& text) {
    if (const auto kind = PsfKindFromName(text))
        return *kind;
    throw TUsageError{"unknown --psf '" + text + "' (gaussian, exponential, cauchy, moffat)"};
}

int RunPsf(const TCliArgs& args) {
    args.ExpectPositionals(1);
    for (const char* required : {"psf", "sigma", "size"})
        if (!args.Has(required))
            throw TUsageError{std::string("--") + required + " is required"};
    const PsfKind kind = ParsePsf(*args.Value("psf"));
    const float sigma = static_cast<float>(args.Number("sigma", 1, kSigmaMin, kSigmaMax));
    const float kurtosis =
        static_cast<float>(args.Number("kurtosis", 2.5, kKurtosisMin, kKurtosisMax));
    const int size = args.Integer("size", 64, 1, 8192);
    TFImage image;
    if (image.CreateGrey(size, size, 32, 0, 0) != 0) {
        std::fprintf(stderr, "zelvane-cli: not enough memory for a %dx%d PSF\n", size, size);
        return ExitFailure;
    }
    const int c = size / 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.SetGreyFloat(x, y,
                               static_cast<float>(PsfValue(kind, x - c, y - c, sigma, kurtosis)));
    image.ComputeDataRange();
    return CliSaveImage(image, args.Positionals()[0]) < 0 ? ExitFailure : ExitOk;
}

const TCliRegistrar registrar{{
    "psf",
    "write a deconvolution PSF as an image",
    "usage: zelvane-cli psf OUT --psf KIND --sigma S [--kurtosis K] --size N\n\n"
    "  --psf KIND        gaussian, exponential, cauchy, moffat\n"
    "  --sigma S         PSF size, 0.1..10\n"
    "  --kurtosis K      wing adjustment for moffat, 1.01..4 (default 2.5)\n"
    "  --size N          side in pixels, 1..8192; the peak (1.0) lies at (N/2, N/2)\n"
    "The values are the unnormalised model the deconvolution tools use. Write a .fits file to\n"
    "keep them as 32-bit floats.\n",
    {"psf", "sigma", "kurtosis", "size"},
    {},
    RunPsf,
}};

} // namespace
