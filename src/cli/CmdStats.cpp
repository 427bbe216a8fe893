// zelvane-cli stats FILE...: the Statistics window's rows of each file, as its CSV file.

#include "adjust/StatisticsReport.h"
#include "cli/Cli.h"
#include "core/fimage.h"

#include <cstdio>

namespace {

int RunStats(const TCliArgs& args) {
    if (args.Positionals().empty())
        throw TUsageError{"at least one FILE is needed"};
    TStatisticsReport report;
    int result = ExitOk;
    for (const std::string& path : args.Positionals()) {
        TFImage image;
        if (!CliLoadImage(path, image)) {
            result = ExitFailure;
            continue;
        }
        report.AddImage(image);
    }
    const std::string csv = report.Csv();
    std::fwrite(csv.data(), 1, csv.size(), stdout);
    if (const auto workbook = args.Value("xlsx")) {
        if (!WriteStatisticsWorkbook(report.Rows(), *workbook)) {
            std::fprintf(stderr, "zelvane-cli: %s was not written\n", workbook->c_str());
            return ExitFailure;
        }
    }
    return result;
}

const TCliRegistrar registrar{{
    "stats",
    "print the statistics report rows of the images as CSV",
    "usage: zelvane-cli stats FILE... [--xlsx BOOK]\n\n"
    "One line per grey image (channel \"*\") and three per colour image (R, G, B):\n"
    "Image,Chan.,Size,BPP,Minimum,Maximum,Mean,Std. Dev. with CR LF line ends, no header.\n"
    "  --xlsx BOOK   also write the rows as the Statistics window's spreadsheet export\n",
    {"xlsx"},
    {},
    RunStats,
}};

} // namespace
