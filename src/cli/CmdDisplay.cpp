// zelvane-cli display IN OUT.png: the picture the program paints for an image.

#include "cli/Cli.h"
#include "core/AtomicFile.h"
#include "core/Messages.h"
#include "core/fimage.h"

#include <cstring>
#include <limits>

namespace {

int RunDisplay(const TCliArgs& args) {
    args.ExpectPositionals(2);
    constexpr double big = std::numeric_limits<float>::max();
    TFImage image;
    if (!CliLoadImage(args.Positionals()[0], image))
        return ExitFailure;
    if (args.Has("low") || args.Has("high")) {
        image.DisplayLow = static_cast<float>(args.Number("low", image.DisplayLow, -big, big));
        image.DisplayHigh = static_cast<float>(args.Number("high", image.DisplayHigh, -big, big));
        image.RefreshDisplay();
    }
    const TDisplayBitmap& display = image.DisplayBitmap;
    FIBITMAP* picture = FreeImage_Allocate(display.Width(), display.Height(), 24);
    if (!picture) {
        ShowError("Not enough memory for the display picture.");
        return ExitFailure;
    }
    for (int y = 0; y < display.Height(); ++y)
        std::memcpy(FreeImage_GetScanLine(picture, display.Height() - 1 - y), display.Row(y),
                    static_cast<std::size_t>(display.Width()) * 3);
    TAtomicFile file(args.Positionals()[1]);
    const bool ok =
        file.Ok() && FreeImage_Save(FIF_PNG, picture, file.TempPath().c_str(), 0) && file.Commit();
    FreeImage_Unload(picture);
    if (!ok) {
        ShowError("An error occurred saving this file.");
        return ExitFailure;
    }
    return ExitOk;
}

const TCliRegistrar registrar{{
    "display",
    "write the displayed picture of an image as a 24-bit PNG",
    "usage: zelvane-cli display IN OUT.png [--low L] [--high H]\n\n"
    "  --low L, --high H   display stretch of 16-bit and float grey images (default: the data\n"
    "                      range)\n",
    {"low", "high"},
    {},
    RunDisplay,
}};

} // namespace
