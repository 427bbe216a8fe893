#pragma once
// Gamma: a power-law tone curve with exponent 1/gamma. Colour channels are curved within their
// full scale; grey data are curved within [0, DataMax] and stretched so that DataMin goes to 0.

#include "adjust/AdjustSession.h"

class TFImage;

struct TGammaParams {
    float Gamma = 1.0f;
};

// The slider runs over positions 1..101 (gamma 0.1 .. 10.1), position 10 is gamma 1.
constexpr int GammaPositionMin = 1;
constexpr int GammaPositionMax = 101;
constexpr int GammaPositionDefault = 10;
float GammaOfPosition(int position);
// A typed gamma reduced to the nearest tenth, as a slider position within range.
int GammaPositionOf(double gamma);

struct TGammaTool {
    using TParams = TGammaParams;
    // Null when the grey stretch is undefined (DataMax equal to DataMin).
    static std::unique_ptr<TAdjustPass> BuildPass(const TGammaParams& params,
                                                  const TAdjustImageInfo& info);
};

class TGammaPreviewThread : public TAdjustPreviewThread<TGammaTool> {
public:
    using TAdjustPreviewThread::TAdjustPreviewThread;
};

class TGammaThread : public TAdjustWorkerThread<TGammaTool> {
public:
    using TAdjustWorkerThread::TAdjustWorkerThread;
};

extern const TAdjustProtocol GammaProtocol;
using TGammaSession = TAdjustToolSession<TGammaTool, TGammaPreviewThread, TGammaThread>;

// The whole apply on the calling thread (the batch command): 0, or -1 for kinds not processed.
int ApplyGamma(TFImage& image, float gamma);
