// zelvane-cli gamma IN OUT --gamma G: the Gamma dialog's OK on a file.

#include "adjust/Gamma.h"
#include "cli/Cli.h"
#include "core/fimage.h"

#include <cstdio>

namespace {

int RunGamma(const TCliArgs& args) {
    args.ExpectPositionals(2);
    // The dialog's number box reduces a typed value to the nearest tenth through the slider.
    const double typed = args.Number("gamma", 1.0, 0.1, 10.1);
    const float gamma = GammaOfPosition(GammaPositionOf(typed));
    return CliTransform(args.Positionals()[0], args.Positionals()[1], [&](TFImage& image) {
        if (ApplyGamma(image, gamma) < 0) {
            std::fprintf(stderr, "zelvane-cli: gamma works on RGB24, RGB48, Grey16 and "
                                 "GreyFloat images only\n");
            return -1;
        }
        return 0;
    });
}

const TCliRegistrar registrar{{
    "gamma",
    "apply a gamma curve (exponent 1/G) as the Gamma dialog does",
    "usage: zelvane-cli gamma IN OUT [--gamma G]\n\n"
    "  --gamma G   0.1..10.1, reduced to the nearest tenth (default 1)\n"
    "Grey images are also stretched so that their minimum becomes 0.\n",
    {"gamma"},
    {},
    RunGamma,
}};

} // namespace
