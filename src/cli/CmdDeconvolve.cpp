// zelvane-cli lucy-richardson | van-cittert | max-entropy IN OUT: each dialog's OK on a file.

#include "cli/Cli.h"
#include "core/fimage.h"
#include "deconv/DeconvRun.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

PsfKind ParsePsf(const std::string& text) {
    if (const auto kind = PsfKindFromName(text))
        return *kind;
    throw TUsageError{"unknown --psf '" + text + "' (gaussian, exponential, cauchy, moffat)"};
}

// "Iteration: n" on a terminal, overwritten in place.
class TTerminalProgress : public TIterationControl {
public:
    TTerminalProgress() : show_(isatty(STDERR_FILENO) != 0) {}
    ~TTerminalProgress() override {
        if (show_ && count_ > 0)
            std::fputc('\n', stderr);
    }
    bool TerminateRequested() override { return false; }
    void IterationDone() override {
        ++count_;
        if (show_)
            std::fprintf(stderr, "\rIteration: %d", count_);
    }

private:
    bool show_;
    int count_ = 0;
};

int Run(TDeconvMethod method, const TCliArgs& args) {
    args.ExpectPositionals(2);
    TDeconvParams params = DefaultParams(method);
    params.Psf = ParsePsf(args.Value("psf").value_or("gaussian"));
    params.Sigma = static_cast<float>(args.Number("sigma", params.Sigma, kSigmaMin, kSigmaMax));
    params.Kurtosis =
        static_cast<float>(args.Number("kurtosis", params.Kurtosis, kKurtosisMin, kKurtosisMax));
    params.Aggressive = method == TDeconvMethod::LucyRichardson && !args.Flag("no-aggressive");
    const int maxIterations = method == TDeconvMethod::LucyRichardson
                                  ? LucyRichardsonMaxIterations(params.Aggressive)
                                  : MethodInfo(method).IterationSpinMax;
    params.Iterations = args.Integer("iterations", params.Iterations, 1, maxIterations);
    return CliTransform(args.Positionals()[0], args.Positionals()[1], [&](TFImage& image) {
        TTerminalProgress progress;
        return DeconvolveImage(image, method, params, &progress);
    });
}

const char* const kOptions =
    "  --psf KIND        gaussian (default), exponential, cauchy, moffat\n"
    "  --sigma S         PSF size, 0.1..10 (default %s)\n"
    "  --kurtosis K      PSF wing adjustment for moffat, 1.01..4 (default 2.5)\n"
    "  --iterations N    %s (default 10)\n";

std::string Usage(const char* name, const char* sigma, const char* iterations, const char* extra) {
    char options[1024];
    std::snprintf(options, sizeof options, kOptions, sigma, iterations);
    return std::string("usage: zelvane-cli ") + name + " IN OUT [options]\n\n" + options + extra +
           "Colour images are deconvolved in their luminance. Sides above 4096 pixels are "
           "refused.\n";
}

const TCliRegistrar lucyRichardson{{
    "lucy-richardson",
    "Lucy-Richardson deconvolution",
    Usage("lucy-richardson", "1", "1..100, or 1..1000 with --no-aggressive",
          "  --no-aggressive   deconvolve the observed image in every iteration, not the last "
          "estimate\n"),
    {"psf", "sigma", "kurtosis", "iterations"},
    {"no-aggressive"},
    [](const TCliArgs& args) { return Run(TDeconvMethod::LucyRichardson, args); },
}};

const TCliRegistrar vanCittert{{
    "van-cittert",
    "Van Cittert deconvolution",
    Usage("van-cittert", "1", "1..65535", ""),
    {"psf", "sigma", "kurtosis", "iterations"},
    {},
    [](const TCliArgs& args) { return Run(TDeconvMethod::VanCittert, args); },
}};

const TCliRegistrar maxEntropy{{
    "max-entropy",
    "maximum-entropy deconvolution",
    Usage("max-entropy", "2", "1..65535", ""),
    {"psf", "sigma", "kurtosis", "iterations"},
    {},
    [](const TCliArgs& args) { return Run(TDeconvMethod::MaxEnt, args); },
}};

} // namespace
