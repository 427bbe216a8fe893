// zelvane-cli levels IN OUT [--in-min A] ...: the Levels dialog's OK on a file.

#include "adjust/Levels.h"
#include "cli/Cli.h"
#include "cli/CliChannel.h"
#include "core/Numeric.h"
#include "core/fimage.h"

#include <cstdio>
#include <limits>
#include <string>

namespace {

std::string Text(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

// A limit as the dialog's number box holds it: within the sliders' range, whole for colour,
// hundredths for grey. Omitted: the box's value at opening, rounded the same way.
float Limit(const TCliArgs& args, const char* name, double fallback,
            const TLevelsOpening& opening) {
    double value = fallback;
    if (args.Has(name)) {
        const double inf = std::numeric_limits<double>::infinity();
        value = args.Number(name, fallback, -inf, inf);
        if (value < opening.Minimum || value > opening.Maximum)
            throw TUsageError{"--" + std::string(name) + " must lie between " +
                              Text(opening.Minimum) + " and " + Text(opening.Maximum) +
                              " for this image"};
    }
    return static_cast<float>(opening.Grey ? RoundEven(value * 100.0) / 100.0 : RoundEven(value));
}

int RunLevels(const TCliArgs& args) {
    args.ExpectPositionals(2);
    const int channel = CliChannel(args);
    return CliTransform(args.Positionals()[0], args.Positionals()[1], [&](TFImage& image) {
        const TLevelsOpening opening = LevelsOpening(image);
        TLevelsParams params = opening.Defaults();
        params.InMin = Limit(args, "in-min", params.InMin, opening);
        params.InMax = Limit(args, "in-max", params.InMax, opening);
        params.OutMin = Limit(args, "out-min", params.OutMin, opening);
        params.OutMax = Limit(args, "out-max", params.OutMax, opening);
        params.Channel = opening.Grey ? LevelsAllChannels : channel;
        if (ApplyLevels(image, params) < 0) {
            std::fprintf(stderr, "zelvane-cli: levels works on RGB24, RGB48, Grey16 and "
                                 "GreyFloat images only\n");
            return -1;
        }
        return 0;
    });
}

const TCliRegistrar registrar{{
    "levels",
    "map an input range onto an output range as the Levels dialog does",
    "usage: zelvane-cli levels IN OUT [--in-min A] [--in-max B] [--out-min C] [--out-max D]\n"
    "                             [--channel rgb|red|green|blue]\n\n"
    "  Limits lie within 0..255 (RGB24), 0..65535 (RGB48) or the data's range (grey, with a\n"
    "  negative minimum taken as 0); an omitted limit is that range's end, as the dialog opens.\n"
    "  Colour limits are whole numbers, grey limits hundredths. An input minimum above the\n"
    "  maximum inverts; equal input or output limits leave the image as it was.\n"
    "  --channel   the channel mapped (default rgb: all three); grey images use all\n",
    {"in-min", "in-max", "out-min", "out-max", "channel"},
    {},
    RunLevels,
}};

} // namespace
