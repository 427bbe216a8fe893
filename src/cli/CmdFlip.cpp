// zelvane-cli flip-horizontal / flip-vertical IN OUT: the Image menu's flips on a file.

#include "cli/Cli.h"
#include "core/fimage.h"
#include "geometry/Flip.h"

#include <cstdio>

namespace {

int RunFlip(const TCliArgs& args, int (*flip)(TFImage&, TDataContainerUndo*)) {
    args.ExpectPositionals(2);
    return CliTransform(args.Positionals()[0], args.Positionals()[1], [flip](TFImage& image) {
        if (flip(image, nullptr) < 0) {
            std::fprintf(stderr,
                         "zelvane-cli: flips work on 16-bit and float grey, 24-bit and "
                         "48-bit colour images; this one is %s\n",
                         KindName(image.Kind()));
            return -1;
        }
        return 0;
    });
}

int RunFlipHorizontal(const TCliArgs& args) {
    return RunFlip(args, FlipHorizontal);
}

int RunFlipVertical(const TCliArgs& args) {
    return RunFlip(args, FlipVertical);
}

const TCliRegistrar horizontal{{
    "flip-horizontal",
    "mirror an image from left to right",
    "usage: zelvane-cli flip-horizontal IN OUT\n\n"
    "Works on 16-bit and float grey, 24-bit and 48-bit colour images.\n",
    {},
    {},
    RunFlipHorizontal,
}};

const TCliRegistrar vertical{{
    "flip-vertical",
    "mirror an image from top to bottom",
    "usage: zelvane-cli flip-vertical IN OUT\n\n"
    "Works on 16-bit and float grey, 24-bit and 48-bit colour images.\n",
    {},
    {},
    RunFlipVertical,
}};

} // namespace
