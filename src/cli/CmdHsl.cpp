// zelvane-cli hsl IN OUT --hue H --saturation S --lightness L: the Hue, Saturation and Lightness
// dialog's OK on a file.

#include "adjust/HSI.h"
#include "cli/Cli.h"
#include "core/Numeric.h"
#include "core/fimage.h"

#include <cstdio>

namespace {

// The dialog reads slider positions: a typed value goes to the nearest whole number.
float Position(const TCliArgs& args, const char* name, int limit) {
    return static_cast<float>(RoundEven(args.Number(name, 0, -limit, limit)));
}

int RunHsl(const TCliArgs& args) {
    args.ExpectPositionals(2);
    const THSIParams params{Position(args, "hue", HSIHueLimit),
                            Position(args, "saturation", HSIPercentLimit),
                            Position(args, "lightness", HSIPercentLimit)};
    return CliTransform(args.Positionals()[0], args.Positionals()[1], [&](TFImage& image) {
        if (ApplyHSI(image, params) < 0) {
            std::fprintf(stderr, "zelvane-cli: hsl works on RGB24 and RGB48 images only\n");
            return -1;
        }
        return 0;
    });
}

const TCliRegistrar registrar{{
    "hsl",
    "rotate hue, shift saturation, blend lightness as the Hue, Saturation and Lightness dialog",
    "usage: zelvane-cli hsl IN OUT [--hue H] [--saturation S] [--lightness L]\n\n"
    "  --hue H          -180..180 degrees (default 0)\n"
    "  --saturation S   -100..100 (default 0)\n"
    "  --lightness L    -100..100: towards white above 0, black below (default 0)\n"
    "Values go to the nearest whole number. RGB24 and RGB48 images only.\n",
    {"hue", "saturation", "lightness"},
    {},
    RunHsl,
}};

} // namespace
