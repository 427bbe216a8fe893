#include "cli/CliChannel.h"

#include "cli/Cli.h"

int CliChannel(const TCliArgs& args) {
    const auto text = args.Value("channel");
    if (!text)
        return 0;
    const char* names[] = {"rgb", "red", "green", "blue"};
    for (int i = 0; i < 4; ++i)
        if (*text == names[i])
            return i;
    throw TUsageError{"--channel expects rgb, red, green or blue, not '" + *text + "'"};
}
