// zelvane-cli resize IN OUT: the Resize dialog's OK on a file.

#include "cli/Cli.h"
#include "core/fimage.h"
#include "geometry/Resize.h"
#include "geometry/ResizeSize.h"

#include <cerrno>
#include <cstdlib>
#include <string>

namespace {

int ParseSide(const std::string& text, const std::string& whole) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < ResizeMinSide ||
        value > ResizeMaxSide)
        throw TUsageError{"--size expects WIDTHxHEIGHT with sides 1..65535, not '" + whole + "'"};
    return static_cast<int>(value);
}

TResizeSize ParseSize(const std::string& text) {
    const auto cross = text.find_first_of("xX");
    if (cross == std::string::npos)
        throw TUsageError{"--size expects WIDTHxHEIGHT, not '" + text + "'"};
    return {ParseSide(text.substr(0, cross), text), ParseSide(text.substr(cross + 1), text)};
}

int RunResize(const TCliArgs& args) {
    args.ExpectPositionals(2);
    const std::string key = args.Value("method").value_or("nearest");
    const auto method = ResampleMethodFromKey(key);
    if (!method)
        throw TUsageError{"unknown --method '" + key + "'"};
    if (args.Has("size") == args.Has("percent"))
        throw TUsageError{"give either --size WIDTHxHEIGHT or --percent P"};
    const auto size = args.Value("size");
    const TResizeSize fixed = size ? ParseSize(*size) : TResizeSize{};
    const double percent = args.Number("percent", 100, 1, 3200);
    return CliTransform(args.Positionals()[0], args.Positionals()[1], [&](TFImage& image) {
        const TResizeSize target =
            size ? fixed : PercentTargetSize(percent, image.Width, image.Height);
        return ResizeImage(image, *method, target.Width, target.Height, nullptr);
    });
}

const TCliRegistrar registrar{{
    "resize",
    "resample an image to a new size",
    "usage: zelvane-cli resize IN OUT [--method M] (--size WIDTHxHEIGHT | --percent P)\n\n"
    "  --method M        nearest (default), bilinear, bicubic, mitchell, lagrange, bspline\n"
    "  --size WxH        absolute size in pixels, each side 1..65535\n"
    "  --percent P       1..3200 percent of the image's size (a side never drops below 1)\n"
    "The result keeps the pixel kind and resolution; indexed and other images become 24-bit\n"
    "colour. FITS headers get the new NAXIS1 and NAXIS2.\n",
    {"method", "size", "percent"},
    {},
    RunResize,
}};

} // namespace
