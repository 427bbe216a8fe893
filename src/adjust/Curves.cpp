#include "adjust/Curves.h"

#include "core/Numeric.h"

#include <algorithm>
#include <cmath>

// Curves shares its event names with Gamma; the events are private to each session.
const TAdjustProtocol CurvesProtocol = {"ZVGammaDone", "ZVGammaPreviewDone", 1069, 1070, 1071,
                                        1072};

TCurvePoints DefaultCurvePoints() {
    return {{0, CurveEditorSize - 1, false}, {CurveEditorSize - 1, 0, false}};
}

float CurveFullScale(const TAdjustImageInfo& info) {
    switch (info.Kind) {
    case TImageKind::RGB24:
        return 255.0f;
    case TImageKind::Grey16:
        return info.DataMax;
    default:
        return 65535.0f;
    }
}

namespace {

bool IsDiagonal(const TCurvePoints& points) {
    return std::all_of(points.begin(), points.end(),
                       [](const TCurvePoint& p) { return p.X == CurveEditorSize - 1 - p.Y; });
}

// Editor points in input/output terms.
std::vector<TCurveXY> InputOutput(const TCurvePoints& points) {
    std::vector<TCurveXY> xy;
    xy.reserve(points.size());
    for (const TCurvePoint& p : points)
        xy.push_back({p.X, CurveEditorSize - 1 - p.Y});
    return xy;
}

class TCurvesColourPass : public TAdjustPass {
public:
    TCurvesColourPass(const TCurveTables& tables, const TAdjustImageInfo& info)
        : identity_(tables.Identity), last_(static_cast<int>(tables.FullScale)) {
        const float m = tables.FullScale;
        const bool sixteen = info.Kind == TImageKind::RGB48;
        // Samples never exceed the full scale, so the entries stop there.
        const int count = tables.Composite ? 1 : 3;
        for (int c = 0; c < count; ++c) {
            applied_[c].resize(last_ + 1);
            shown_[c].resize(last_ + 1);
            for (int i = 0; i <= last_; ++i) {
                float v = RoundEvenSmall(std::max(tables.Table[c][i], 0.0f));
                if (!(v >= 0))
                    v = 0;
                applied_[c][i] = std::min(v, m);
                shown_[c][i] = ColourDisplayByte(v, m, sixteen);
            }
        }
        for (int c = 0; c < 3; ++c) {
            const int source = tables.Composite ? 0 : c;
            applied[c] = applied_[source].data();
            shown[c] = shown_[source].data();
        }
    }
    void PreviewRow(const TAdjustPlanes& planes, int y, std::uint8_t* display) const override {
        const float* p = PlaneRow(*planes.Colour, y);
        for (int x = 0; x < planes.Width; ++x, p += 3, display += 3) {
            display[0] = shown[2][Index(p[2])];
            display[1] = shown[1][Index(p[1])];
            display[2] = shown[0][Index(p[0])];
        }
    }
    void ApplyRow(TAdjustPlanes& planes, int y) const override {
        float* p = PlaneRow(*planes.Colour, y);
        for (int x = 0; x < planes.Width; ++x, p += 3)
            for (int c = 0; c < 3; ++c)
                p[c] = applied[c][Index(p[c])];
    }
    bool Identity() const override { return identity_; }

private:
    int Index(float v) const { return std::min(TableIndex(v), last_); }

    bool identity_;
    int last_;
    std::vector<float> applied_[3];      // Round(T[i]) limited to 0..M
    std::vector<std::uint8_t> shown_[3]; // its display byte
    const float* applied[3];             // per channel: its own table, or the composite's
    const std::uint8_t* shown[3];
};

// Grey: the curve (first table), then the result range [bottom, top] (the curve's outputs at
// the data's minimum and maximum) stretched to [0, top].
class TCurvesGreyPass : public TAdjustPass {
public:
    TCurvesGreyPass(TCurveTables&& tables, const TAdjustImageInfo& info, double top, double bottom,
                    double factor)
        : table_(std::move(tables.Table[0])), identity_(tables.Identity),
          sixteen_(info.Kind == TImageKind::Grey16), top_(top), bottom_(bottom),
          scale_(top / (top - bottom)), factor_(factor) {
        // The preview takes a negative top as 1.
        shownTop_ = top_ < 0 ? 1.0 : top_;
        stretch_ = 255.0 / (shownTop_ - bottom_);
        if (sixteen_) {
            applied_.resize(AdjustTableSize);
            shown_.resize(AdjustTableSize);
            for (int i = 0; i < AdjustTableSize; ++i) {
                applied_[i] = Result(table_[i]);
                shown_[i] = Shown(RoundEvenSmall(static_cast<double>(table_[i])));
            }
        }
    }
    void PreviewRow(const TAdjustPlanes& planes, int y, std::uint8_t* display) const override {
        const float* p = PlaneRow(*planes.Grey, y);
        for (int x = 0; x < planes.Width; ++x, display += 3) {
            const double v = p[x] >= 0 ? p[x] : 0.0;
            std::uint8_t byte;
            if (sixteen_)
                byte = shown_[TableIndex(static_cast<float>(v))];
            else
                byte = Shown(RoundEvenSmall(static_cast<double>(table_[Index(v)])) / factor_);
            display[0] = display[1] = display[2] = byte;
        }
    }
    void ApplyRow(TAdjustPlanes& planes, int y) const override {
        float* p = PlaneRow(*planes.Grey, y);
        for (int x = 0; x < planes.Width; ++x) {
            const double v = p[x] >= 0 ? p[x] : 0.0;
            p[x] = sixteen_ ? applied_[TableIndex(static_cast<float>(v))]
                            : Result(table_[Index(v)] / factor_);
        }
    }
    bool Identity() const override { return identity_; }

private:
    // GreyFloat: the table spans 0..65535 for samples 0..DataMax.
    int Index(double v) const {
        const double i = v * factor_;
        if (!(i >= 0))
            return 0;
        return i >= AdjustTableSize - 1 ? AdjustTableSize - 1 : static_cast<int>(RoundEvenSmall(i));
    }
    float Result(double curved) const {
        double v = (curved - bottom_) * scale_;
        if (!(v >= 0))
            v = 0;
        if (v > top_)
            v = top_;
        return static_cast<float>(v);
    }
    std::uint8_t Shown(double curved) const {
        if (!(curved >= 0))
            curved = 0;
        return GreyDisplayByte(stretch_ * (std::min(curved, shownTop_) - bottom_));
    }

    std::vector<float> table_;
    bool identity_, sixteen_;
    double top_, bottom_, scale_, factor_, shownTop_, stretch_;
    std::vector<float> applied_;
    std::vector<std::uint8_t> shown_;
};

} // namespace

TCurveTables BuildCurveTables(const TCurvesParams& params, const TAdjustImageInfo& info) {
    TCurveTables tables;
    tables.FullScale = CurveFullScale(info);
    const bool composite = params.Channel == CurveRgb;
    tables.Composite = composite;
    tables.Identity = true;
    for (int c = 0; c < 3; ++c) {
        const TCurvePoints& points = params.Sets[composite ? CurveRgb : c + 1];
        tables.Identity = tables.Identity && IsDiagonal(points);
        if (composite && c > 0)
            continue;
        tables.Table[c].resize(AdjustTableSize);
        TCurveHelper(InputOutput(points), tables.FullScale).BuildTable(tables.Table[c].data());
    }
    return tables;
}

std::unique_ptr<TAdjustPass> TCurvesTool::BuildPass(const TCurvesParams& params,
                                                    const TAdjustImageInfo& info) {
    switch (info.Kind) {
    case TImageKind::RGB24:
    case TImageKind::RGB48:
        return std::make_unique<TCurvesColourPass>(BuildCurveTables(params, info), info);
    case TImageKind::Grey16:
    case TImageKind::GreyFloat: {
        TCurveTables tables = BuildCurveTables(params, info);
        // Grey images use the first table only.
        tables.Identity = IsDiagonal(params.Sets[params.Channel == CurveRgb ? CurveRgb : CurveRed]);
        const std::vector<float>& t = tables.Table[0];
        double top, bottom, factor = 1;
        if (info.Kind == TImageKind::Grey16) {
            top = std::min(static_cast<double>(t[TableIndex(info.DataMax)]), 65535.0);
            bottom = info.DataMin < 0 ? t[0] : t[TableIndex(info.DataMin)];
        } else {
            if (!(info.DataMax > 0))
                return nullptr; // no range for the table to span
            // The table spans 0..65535 for samples 0..DataMax and its outputs scale the same
            // way; the minimum is looked up like any sample, so both ends are in data units.
            factor = 65535.0 / info.DataMax;
            top = t[AdjustTableSize - 1] / factor;
            const double at = info.DataMin < 0 ? 0.0 : info.DataMin * factor;
            bottom = (at >= 0 && at <= AdjustTableSize - 1)
                         ? t[static_cast<int>(RoundEven(at))] / factor
                         : t[0] / factor;
        }
        if (!(bottom >= 0))
            bottom = 0;
        if (!(top != bottom) || !std::isfinite(top) || !std::isfinite(bottom))
            return nullptr;
        return std::make_unique<TCurvesGreyPass>(std::move(tables), info, top, bottom, factor);
    }
    default:
        return nullptr;
    }
}

int ApplyCurves(TFImage& image, const TCurvesParams& params) {
    return ApplyAdjustment<TCurvesTool>(image, params);
}
