// zelvane-cli convert IN OUT: open as the program does, save as its Save flow does.

#include "cli/Cli.h"
#include "core/fimage.h"

namespace {

int RunConvert(const TCliArgs& args) {
    args.ExpectPositionals(2);
    const int quality = args.Integer("quality", 90, 1, 100);
    const int compression = args.Integer("tiff-compression", 0, 0, 5);
    TFImage image;
    if (!CliLoadImage(args.Positionals()[0], image))
        return ExitFailure;
    return CliSaveImage(image, args.Positionals()[1], quality, compression) < 0 ? ExitFailure
                                                                                : ExitOk;
}

const TCliRegistrar registrar{{
    "convert",
    "open an image and save it in the format of OUT's extension",
    "usage: zelvane-cli convert IN OUT [--quality N] [--tiff-compression INDEX]\n\n"
    "  --quality N             JPEG quality 1..100 (default 90)\n"
    "  --tiff-compression I    0 none, 1 Deflate, 2 Adobe Deflate, 3 Packbits, 4 CCITTFax3,\n"
    "                          5 CCITTFax4 (default 0)\n"
    "FITS output (.fit, .fits, .fts) holds Grey16 and GreyFloat images only.\n",
    {"quality", "tiff-compression"},
    {},
    RunConvert,
}};

} // namespace
