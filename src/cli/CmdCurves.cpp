// zelvane-cli curves IN OUT [--channel C] [--rgb PTS] ...: the Curves dialog's OK on a file.

#include "adjust/Curves.h"
#include "cli/Cli.h"
#include "cli/CliChannel.h"
#include "core/fimage.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int Coordinate(const std::string& text, const std::string& option) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || value < 0 || value >= CurveEditorSize)
        throw TUsageError{"--" + option + " expects points x:y with x and y in 0..255, not '" +
                          text + "'"};
    return static_cast<int>(value);
}

// "x:y,x:y,..." in editor coordinates; omitted: the default set.
TCurvePoints Points(const TCliArgs& args, const std::string& option) {
    const auto text = args.Value(option);
    if (!text)
        return DefaultCurvePoints();
    TCurvePoints points;
    std::size_t start = 0;
    while (start <= text->size()) {
        std::size_t comma = text->find(',', start);
        if (comma == std::string::npos)
            comma = text->size();
        const std::string pair = text->substr(start, comma - start);
        const std::size_t colon = pair.find(':');
        if (colon == std::string::npos)
            throw TUsageError{"--" + option + " expects points x:y, not '" + pair + "'"};
        points.push_back({Coordinate(pair.substr(0, colon), option),
                          Coordinate(pair.substr(colon + 1), option), false});
        start = comma + 1;
    }
    if (points.size() < 2 || points.size() > static_cast<std::size_t>(TCurveHelper::MaxPoints))
        throw TUsageError{"--" + option + " needs 2 to 256 points"};
    return points;
}

int RunCurves(const TCliArgs& args) {
    args.ExpectPositionals(2);
    TCurvesParams params;
    params.Channel = CliChannel(args);
    const char* sets[] = {"rgb", "red", "green", "blue"};
    for (int i = 0; i < 4; ++i)
        params.Sets[i] = Points(args, sets[i]);
    return CliTransform(args.Positionals()[0], args.Positionals()[1], [&](TFImage& image) {
        TCurvesParams used = params;
        if (image.IsHighPrecisionGrey)
            used.Channel = CurveRgb; // the channel list is off for grey images
        if (ApplyCurves(image, used) < 0) {
            std::fprintf(stderr, "zelvane-cli: curves works on RGB24, RGB48, Grey16 and "
                                 "GreyFloat images only\n");
            return -1;
        }
        return 0;
    });
}

const TCliRegistrar registrar{{
    "curves",
    "apply transfer curves as the Curves dialog does",
    "usage: zelvane-cli curves IN OUT [--channel rgb|red|green|blue] [--rgb PTS] [--red PTS]\n"
    "                             [--green PTS] [--blue PTS]\n\n"
    "  PTS is x:y,x:y,... in the editor's coordinates: x the input (0..255, to the right), y the\n"
    "  row from the top (0..255), so a point stands for output 255 - y. 2 to 256 points; an\n"
    "  omitted set is the default diagonal 0:255,255:0, which leaves the image unchanged.\n"
    "  --channel   rgb (default): the rgb curve on all three channels; red, green or blue: the\n"
    "              red, green and blue curves on their channels. Grey images use the rgb curve.\n",
    {"channel", "rgb", "red", "green", "blue"},
    {},
    RunCurves,
}};

} // namespace
