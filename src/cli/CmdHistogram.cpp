// zelvane-cli histogram FILE: the 256 bins the Histogram dialog charts.

#include "adjust/Statistics.h"
#include "cli/Cli.h"
#include "core/fimage.h"

#include <cstdio>

namespace {

int RunHistogram(const TCliArgs& args) {
    args.ExpectPositionals(1);
    TFImage image;
    if (!CliLoadImage(args.Positionals()[0], image))
        return ExitFailure;
    const TImageKind kind = image.Kind();
    if (kind == TImageKind::Grey16 || kind == TImageKind::GreyFloat) {
        TGreyHistogram h;
        if (RegionGreyHistogram(WholeImage(image), image, h) < 0)
            return ExitFailure;
        for (int i = 0; i < 256; ++i)
            std::printf("%d,%.0f\n", i, h.Bins[i]);
        return ExitOk;
    }
    if (kind == TImageKind::RGB24 || kind == TImageKind::RGB48) {
        TColourHistogram h;
        if (RegionColourHistogram(WholeImage(image), image, h) < 0)
            return ExitFailure;
        for (int i = 0; i < 256; ++i)
            std::printf("%d,%u,%u,%u\n", i, h.Counts[i][0], h.Counts[i][1], h.Counts[i][2]);
        return ExitOk;
    }
    std::fprintf(stderr, "zelvane-cli: histogram works on RGB24, RGB48, Grey16 and GreyFloat "
                         "images only\n");
    return ExitFailure;
}

const TCliRegistrar registrar{{
    "histogram",
    "print the image's 256-bin histogram",
    "usage: zelvane-cli histogram FILE\n\n"
    "Grey images: 256 lines bin,count; bin i holds the values near i x max / 255.\n"
    "Colour images: 256 lines bin,red,green,blue (RGB48 scaled by 255 / 65535).\n",
    {},
    {},
    RunHistogram,
}};

} // namespace
