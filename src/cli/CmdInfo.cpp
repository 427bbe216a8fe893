// zelvane-cli info FILE: what the program knows of an image, as one JSON object.

#include "cli/Cli.h"
#include "cli/Json.h"
#include "core/fimage.h"

#include <cstdio>

namespace {

int RunInfo(const TCliArgs& args) {
    args.ExpectPositionals(1);
    const std::string& path = args.Positionals()[0];
    TFImage image;
    if (!CliLoadImage(path, image))
        return ExitFailure;
    const bool fits = !image.FitsHeader.empty();
    TJsonObject json;
    json.Add("file", path);
    if (fits)
        json.Add("format", "FITS");
    else
        json.Add("format", image.FileFormat);
    json.Add("width", image.Width);
    json.Add("height", image.Height);
    json.Add("bitsPerPixel", static_cast<int>(image.BitsPerPixel));
    json.Add("kind", KindName(image.Kind()));
    json.Add("highPrecisionGrey", image.IsHighPrecisionGrey);
    json.Add("dataMin", static_cast<double>(image.DataMin));
    json.Add("dataMax", static_cast<double>(image.DataMax));
    json.Add("displayLow", static_cast<double>(image.DisplayLow));
    json.Add("displayHigh", static_cast<double>(image.DisplayHigh));
    json.Add("dotsPerMetreX", image.DotsPerMetreX);
    json.Add("dotsPerMetreY", image.DotsPerMetreY);
    if (fits)
        json.Add("fitsHeader", image.FitsHeader);
    std::printf("%s\n", json.Text().c_str());
    return ExitOk;
}

const TCliRegistrar registrar{{
    "info",
    "describe an image as JSON",
    "usage: zelvane-cli info FILE\n\n"
    "Prints one JSON object: file, format (FreeImage format number or \"FITS\"), width, height,\n"
    "bitsPerPixel, kind, highPrecisionGrey, dataMin, dataMax, displayLow, displayHigh,\n"
    "dotsPerMetreX, dotsPerMetreY and, for FITS files, fitsHeader.\n",
    {},
    {},
    RunInfo,
}};

} // namespace
