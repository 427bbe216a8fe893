// zelvane-cli bricon IN OUT --brightness B --contrast C: the Brightness and Contrast dialog's OK.

#include "adjust/BriCon.h"
#include "cli/Cli.h"
#include "core/fimage.h"

#include <cstdio>

namespace {

int RunBriCon(const TCliArgs& args) {
    args.ExpectPositionals(2);
    TBriConParams params;
    params.Brightness = args.Integer("brightness", 0, -100, 100);
    params.Contrast = args.Integer("contrast", 0, -100, 100);
    return CliTransform(args.Positionals()[0], args.Positionals()[1], [&](TFImage& image) {
        if (ApplyBriCon(image, params) < 0) {
            std::fprintf(stderr, "zelvane-cli: bricon works on RGB24, RGB48, Grey16 and "
                                 "GreyFloat images only\n");
            return -1;
        }
        return 0;
    });
}

const TCliRegistrar registrar{{
    "bricon",
    "change brightness and contrast as the Brightness and Contrast dialog does",
    "usage: zelvane-cli bricon IN OUT [--brightness B] [--contrast C]\n\n"
    "  --brightness B   -100..100 percent (default 0)\n"
    "  --contrast C     -100..100 (default 0)\n"
    "Grey16 results are stretched to 0..65535, GreyFloat results to 0..DataMax.\n",
    {"brightness", "contrast"},
    {},
    RunBriCon,
}};

} // namespace
