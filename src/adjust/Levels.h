#pragma once
// Levels: the input range [InMin, InMax] mapped linearly onto the output range [OutMin, OutMax],
// for all colour channels or one of them. Colour results may leave the output range (down to 0,
// up to full scale); grey results are held within it.

#include "adjust/AdjustSession.h"

class TFImage;

enum TLevelsChannel { LevelsAllChannels = 0, LevelsRed = 1, LevelsGreen = 2, LevelsBlue = 3 };

struct TLevelsParams {
    float InMin = 0, InMax = 255, OutMin = 0, OutMax = 255;
    int Channel = LevelsAllChannels; // grey images always use all channels
};

// L(x) in single precision.
float LevelsMap(const TLevelsParams& params, float x);

struct TLevelsTool {
    using TParams = TLevelsParams;
    // Null when the input or the output limits are equal: nothing is mapped.
    static std::unique_ptr<TAdjustPass> BuildPass(const TLevelsParams& params,
                                                  const TAdjustImageInfo& info);
};

class TLevelsPreviewThread : public TAdjustPreviewThread<TLevelsTool> {
public:
    using TAdjustPreviewThread::TAdjustPreviewThread;
};

class TLevelsThread : public TAdjustRowIndexWorkerThread<TLevelsTool> {
public:
    using TAdjustRowIndexWorkerThread::TAdjustRowIndexWorkerThread;
};

extern const TAdjustProtocol LevelsProtocol;
using TLevelsSession = TAdjustToolSession<TLevelsTool, TLevelsPreviewThread, TLevelsThread>;

// What the dialog shows when it opens: the histogram above the input range and the range of
// both sliders (grey: the data's range with a negative minimum taken as 0; colour: full scale).
struct TLevelsOpening {
    bool Grey = false;
    double Histogram[256] = {}; // grey counts, or the mean of the red, green and blue counts
    double Minimum = 0, Maximum = 255;
    // The identity mapping over the sliders' range, on all channels.
    TLevelsParams Defaults() const;
};
// Kinds other than the four processed ones give a colour opening with an empty histogram.
TLevelsOpening LevelsOpening(const TFImage& image);

// The whole apply on the calling thread (the batch command): 0, or -1 for kinds not processed.
int ApplyLevels(TFImage& image, const TLevelsParams& params);
