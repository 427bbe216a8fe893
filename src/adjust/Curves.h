#pragma once
// Curves: transfer curves drawn through control points, one composite ("RGB") and one per colour
// channel, turned into lookup tables by TCurveHelper. Points are in editor coordinates: x is the
// input (0..255 to the right), y the row from the top, so a point stands for output 255 - y.
//
// The default curve runs from (0, 255) to (255, 0), input 0 to output 0 and input 255 to output
// 255: a straight diagonal that maps every input to itself at every full scale.

#include "adjust/AdjustSession.h"
#include "adjust/CurvesHelper.h"

#include <array>
#include <vector>

class TFImage;

enum TCurveChannel { CurveRgb = 0, CurveRed = 1, CurveGreen = 2, CurveBlue = 3 };

struct TCurvePoint {
    int X = 0, Y = 0;
    bool Drag = false;
    bool operator==(const TCurvePoint& o) const { return X == o.X && Y == o.Y; }
};
using TCurvePoints = std::vector<TCurvePoint>;

constexpr int CurveEditorSize = 256;
TCurvePoints DefaultCurvePoints();

struct TCurvesParams {
    // Which curves fill the tables: the composite for all three channels ("RGB"), else the red,
    // green and blue curves.
    int Channel = CurveRgb;
    std::array<TCurvePoints, 4> Sets = {DefaultCurvePoints(), DefaultCurvePoints(),
                                        DefaultCurvePoints(), DefaultCurvePoints()};
};

// Full scale of the tables: 255, 65535, the data maximum (Grey16) or 65535 (GreyFloat).
float CurveFullScale(const TAdjustImageInfo& info);

// The tables (red, green, blue) of 65536 entries for these curves. The composite curve fills
// the first only, and stands for all three.
struct TCurveTables {
    std::array<std::vector<float>, 3> Table;
    bool Composite = false;
    float FullScale = 255;
    // Every curve in use is the diagonal: each table maps every input to itself.
    bool Identity = false;
};
TCurveTables BuildCurveTables(const TCurvesParams& params, const TAdjustImageInfo& info);

struct TCurvesTool {
    using TParams = TCurvesParams;
    // Null when the grey result range is empty (the curve's output at the data's maximum equals
    // that at its minimum).
    static std::unique_ptr<TAdjustPass> BuildPass(const TCurvesParams& params,
                                                  const TAdjustImageInfo& info);
};

class TCurvesPreviewThread : public TAdjustPreviewThread<TCurvesTool> {
public:
    using TAdjustPreviewThread::TAdjustPreviewThread;
};

class TCurvesThread : public TAdjustRowIndexWorkerThread<TCurvesTool> {
public:
    using TAdjustRowIndexWorkerThread::TAdjustRowIndexWorkerThread;
};

extern const TAdjustProtocol CurvesProtocol;
using TCurvesSession = TAdjustToolSession<TCurvesTool, TCurvesPreviewThread, TCurvesThread>;

// The whole apply on the calling thread (the batch command): 0, or -1 for kinds not processed.
int ApplyCurves(TFImage& image, const TCurvesParams& params);
