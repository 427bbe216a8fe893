#include "adjust/Gamma.h"

#include "core/Numeric.h"

#include <algorithm>
#include <cmath>
#include <vector>

const TAdjustProtocol GammaProtocol = {"ZVGammaDone", "ZVGammaPreviewDone", 1056, 1057, 1058, 1059};

float GammaOfPosition(int position) {
    return static_cast<float>(position) / 10.0f;
}

int GammaPositionOf(double gamma) {
    const double position = RoundEven(gamma * 10.0);
    if (!(position >= GammaPositionMin))
        return GammaPositionMin;
    return position > GammaPositionMax ? GammaPositionMax : static_cast<int>(position);
}

namespace {

// b to the power e, with P(0, e) = 0 and P(b, 1) = b.
inline double Power(double b, double e) {
    if (e == 1.0)
        return b;
    if (b == 0.0)
        return 0.0;
    return std::pow(b, e);
}

// Entry i = M * P(i / M, 1 / gamma), in single precision.
std::vector<float> GammaTable(double fullScale, double exponent) {
    std::vector<float> table(AdjustTableSize);
    for (int i = 0; i < AdjustTableSize; ++i)
        table[i] = static_cast<float>(fullScale * Power(i / fullScale, exponent));
    return table;
}

class TGammaColourPass : public TAdjustPass {
public:
    TGammaColourPass(const TAdjustImageInfo& info, double exponent)
        : applied_(AdjustTableSize), shown_(AdjustTableSize) {
        const float m = ColourFullScale(info.Kind);
        const bool sixteen = info.Kind == TImageKind::RGB48;
        const std::vector<float> table = GammaTable(m, exponent);
        for (int i = 0; i < AdjustTableSize; ++i) {
            const float v = table[i];
            applied_[i] = !(v >= 0) ? 0.0f : std::min(v, m);
            shown_[i] = ColourDisplayByte(v, m, sixteen);
        }
    }
    void PreviewRow(const TAdjustPlanes& planes, int y, std::uint8_t* display) const override {
        const float* p = PlaneRow(*planes.Colour, y);
        for (int x = 0; x < planes.Width; ++x, p += 3, display += 3) {
            display[0] = shown_[TableIndex(p[2])];
            display[1] = shown_[TableIndex(p[1])];
            display[2] = shown_[TableIndex(p[0])];
        }
    }
    void ApplyRow(TAdjustPlanes& planes, int y) const override {
        float* p = PlaneRow(*planes.Colour, y);
        for (int i = 0; i < 3 * planes.Width; ++i)
            p[i] = applied_[TableIndex(p[i])];
    }

private:
    std::vector<float> applied_;      // entry limited to 0..M
    std::vector<std::uint8_t> shown_; // display byte of the entry
};

// Grey data: curve within [0, M], stretch [lo, M] to [0, M] for the result and [q, M] to the
// display, q being the curved minimum.
class TGammaGreyPass : public TAdjustPass {
public:
    TGammaGreyPass(const TAdjustImageInfo& info, double exponent)
        : sixteen_(info.Kind == TImageKind::Grey16), exponent_(exponent), m_(info.DataMax),
          lo_(info.DataMin) {
        scale_ = m_ / (m_ - lo_);
        q_ = m_ * Power(lo_ / m_, exponent_);
        stretch_ = 255.0 / (m_ - q_);
        if (sixteen_) {
            const std::vector<float> table = GammaTable(m_, exponent_);
            applied_.resize(AdjustTableSize);
            shown_.resize(AdjustTableSize);
            for (int i = 0; i < AdjustTableSize; ++i) {
                applied_[i] = Result(table[i]);
                shown_[i] = GreyDisplayByte((table[i] - q_) * stretch_);
            }
        }
    }
    void PreviewRow(const TAdjustPlanes& planes, int y, std::uint8_t* display) const override {
        const float* p = PlaneRow(*planes.Grey, y);
        for (int x = 0; x < planes.Width; ++x, display += 3) {
            const std::uint8_t byte = sixteen_ ? shown_[TableIndex(p[x])]
                                               : GreyDisplayByte((Curve(p[x]) - q_) * stretch_);
            display[0] = display[1] = display[2] = byte;
        }
    }
    void ApplyRow(TAdjustPlanes& planes, int y) const override {
        float* p = PlaneRow(*planes.Grey, y);
        for (int x = 0; x < planes.Width; ++x)
            p[x] = sixteen_ ? applied_[TableIndex(p[x])] : Result(Curve(p[x]));
    }

private:
    double Curve(float x) const {
        const double v = x >= 0 ? x : 0.0;
        return m_ * Power(v / m_, exponent_);
    }
    float Result(double curved) const {
        double z = (curved - lo_) * scale_;
        if (!(z >= 0))
            z = 0;
        if (z > m_)
            z = m_;
        return static_cast<float>(z);
    }

    bool sixteen_;
    double exponent_, m_, lo_, scale_, q_, stretch_;
    std::vector<float> applied_;
    std::vector<std::uint8_t> shown_;
};

} // namespace

std::unique_ptr<TAdjustPass> TGammaTool::BuildPass(const TGammaParams& params,
                                                   const TAdjustImageInfo& info) {
    const double exponent = 1.0 / static_cast<double>(params.Gamma);
    switch (info.Kind) {
    case TImageKind::RGB24:
    case TImageKind::RGB48:
        return std::make_unique<TGammaColourPass>(info, exponent);
    case TImageKind::Grey16:
    case TImageKind::GreyFloat:
        // No stretch without a range.
        if (!(static_cast<double>(info.DataMax) > info.DataMin))
            return nullptr;
        return std::make_unique<TGammaGreyPass>(info, exponent);
    default:
        return nullptr;
    }
}

int ApplyGamma(TFImage& image, float gamma) {
    return ApplyAdjustment<TGammaTool>(image, TGammaParams{gamma});
}
