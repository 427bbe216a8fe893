#pragma once
// Hue, saturation and lightness: the hue rotated, the saturation shifted, then a blend towards
// white or black, per pixel through the hue-lightness-saturation conversions. Colour images only.

#include "adjust/AdjustSession.h"

class TFImage;

struct THSIParams {
    float Hue = 0;        // degrees, -180..180
    float Saturation = 0; // -100..100
    float Lightness = 0;  // -100..100
};

constexpr int HSIHueLimit = 180;
constexpr int HSIPercentLimit = 100;

// One pixel (channels in 0..M), adjusted in place and limited to 0..M.
void AdjustHsl(const THSIParams& params, double fullScale, double& r, double& g, double& b);

struct THSITool {
    using TParams = THSIParams;
    // Null for grey and other kinds.
    static std::unique_ptr<TAdjustPass> BuildPass(const THSIParams& params,
                                                  const TAdjustImageInfo& info);
};

class THSIPreviewThread : public TAdjustPreviewThread<THSITool> {
public:
    using TAdjustPreviewThread::TAdjustPreviewThread;
};

class THSIThread : public TAdjustRowIndexWorkerThread<THSITool> {
public:
    using TAdjustRowIndexWorkerThread::TAdjustRowIndexWorkerThread;
};

extern const TAdjustProtocol HSIProtocol;
using THSISession = TAdjustToolSession<THSITool, THSIPreviewThread, THSIThread>;

// The whole apply on the calling thread (the batch command): 0, or -1 for kinds other than
// RGB24 and RGB48.
int ApplyHSI(TFImage& image, const THSIParams& params);
