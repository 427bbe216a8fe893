#include "deconv/DeconvMethod.h"

#include "deconv/LucyRichardson.h"
#include "deconv/MaxEnt.h"
#include "deconv/VanCittert.h"

#include <algorithm>

namespace {

constexpr int kWmUser = 1024;

constexpr TDeconvMethodInfo kMethods[] = {
    {"Lucy Richardson Deconvolution", "lucy-richardson", 580, 1.0f, 1, 100, 1, 100, 5, 100,
     kWmUser + 25, kWmUser + 26, true},
    {"Van Cittert Deconvolution", "van-cittert", 590, 1.0f, 1, 100, 1, 100, 5, 65535, kWmUser + 27,
     kWmUser + 28, false},
    {"Maximum Entropy Deconvolution", "max-entropy", 570, 2.0f, 0, 100, 0, 500, 25, 65535,
     kWmUser + 23, kWmUser + 24, true},
};

} // namespace

const TDeconvMethodInfo& MethodInfo(TDeconvMethod method) {
    return kMethods[static_cast<int>(method)];
}

TDeconvParams DefaultParams(TDeconvMethod method) {
    TDeconvParams params;
    params.Sigma = MethodInfo(method).DefaultSigma;
    return params;
}

int LucyRichardsonMaxIterations(bool aggressive) {
    return aggressive ? 100 : 1000;
}

TDeconvParams ClampParams(TDeconvMethod method, TDeconvParams params) {
    params.Sigma = std::clamp(params.Sigma, kSigmaMin, kSigmaMax);
    params.Kurtosis = std::clamp(params.Kurtosis, kKurtosisMin, kKurtosisMax);
    const int maxIterations = method == TDeconvMethod::LucyRichardson
                                  ? LucyRichardsonMaxIterations(params.Aggressive)
                                  : MethodInfo(method).IterationSpinMax;
    params.Iterations = std::clamp(params.Iterations, 1, maxIterations);
    return params;
}

TIterationResult RunIterations(TDeconvMethod method, TDataContainer& data, TDataContainer& psf,
                               const TDeconvParams& params, TIterationControl* control) {
    switch (method) {
    case TDeconvMethod::LucyRichardson:
        return LucyRichardsonIterate(data, psf, params.Iterations, params.Aggressive, control);
    case TDeconvMethod::VanCittert:
        return VanCittertIterate(data, psf, params.Iterations, control);
    case TDeconvMethod::MaxEnt:
        return MaxEntIterate(data, psf, params.Iterations, control);
    }
    return TIterationResult::Failed;
}
