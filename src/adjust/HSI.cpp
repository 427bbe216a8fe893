#include "adjust/HSI.h"

#include "adjust/ColourConversions.h"
#include "adjust/HslRows.h"
#include "core/fimage.h"

#include <algorithm>

const TAdjustProtocol HSIProtocol = {"ZVHSIDone", "ZVHSIPreviewDone", 1064, 1065, 1066, 1067};

void AdjustHsl(const THSIParams& params, double m, double& r, double& g, double& b) {
    double h, l, s;
    RgbToHsl(r / m, g / m, b / m, h, l, s);
    s += params.Saturation / 100.0;
    if (IsUndefinedHue(h)) {
        s = 0; // a grey pixel stays grey
    } else {
        h += params.Hue;
        if (h < 0)
            h += 360;
        if (h > 360)
            h -= 360;
    }
    if (s > 1)
        s = 1;
    if (!(s >= 0))
        s = 0;
    if (s == 0)
        h = UndefinedHue;
    if (l > 1)
        l = 1;
    if (!(l >= 0))
        l = 0;
    HslToRgb(h, l, s, r, g, b);
    r *= m;
    g *= m;
    b *= m;
    const double lambda = params.Lightness / 100.0;
    if (lambda != 0) {
        const float v = static_cast<float>(m * (lambda > 0 ? lambda : -lambda));
        const float w = static_cast<float>(m - v);
        for (double* c : {&r, &g, &b})
            *c = lambda > 0 ? (*c * w + m * v) / m : *c * w / m;
    }
    for (double* c : {&r, &g, &b}) {
        if (!(*c >= 0))
            *c = 0;
        if (*c > m)
            *c = m;
    }
}

namespace {

class THSIPass : public TAdjustPass {
public:
    THSIPass(const THSIParams& params, const TAdjustImageInfo& info)
        : params_(params), m_(ColourFullScale(info.Kind)), sixteen_(info.Kind == TImageKind::RGB48),
          mapper_(params, m_) {}
    void PreviewRow(const TAdjustPlanes& planes, int y, std::uint8_t* display) const override {
        const float* p = PlaneRow(*planes.Colour, y);
        constexpr int Run = THslRowMapper::Run, Buffer = THslRowMapper::RunBuffer;
        double red[Buffer], green[Buffer], blue[Buffer];
        for (int x = 0; x < planes.Width; x += Run) {
            const int n = std::min(Run, planes.Width - x);
            mapper_.MapRun(p + 3 * x, n, red, green, blue);
            std::uint8_t* d = display + 3 * x;
            for (int i = 0; i < n; ++i, d += 3) {
                d[0] = ColourDisplayByte(blue[i], m_, sixteen_);
                d[1] = ColourDisplayByte(green[i], m_, sixteen_);
                d[2] = ColourDisplayByte(red[i], m_, sixteen_);
            }
        }
    }
    void ApplyRow(TAdjustPlanes& planes, int y) const override {
        float* p = PlaneRow(*planes.Colour, y);
        constexpr int Run = THslRowMapper::Run, Buffer = THslRowMapper::RunBuffer;
        double red[Buffer], green[Buffer], blue[Buffer];
        for (int x = 0; x < planes.Width; x += Run) {
            const int n = std::min(Run, planes.Width - x);
            mapper_.MapRun(p + 3 * x, n, red, green, blue);
            float* q = p + 3 * x;
            for (int i = 0; i < n; ++i, q += 3) {
                q[0] = static_cast<float>(red[i]);
                q[1] = static_cast<float>(green[i]);
                q[2] = static_cast<float>(blue[i]);
            }
        }
    }
    // All three at 0 give every pixel back (up to the rounding of the write-back).
    bool Identity() const override {
        return params_.Hue == 0 && params_.Saturation == 0 && params_.Lightness == 0;
    }

private:
    THSIParams params_;
    double m_;
    bool sixteen_;
    THslRowMapper mapper_;
};

} // namespace

std::unique_ptr<TAdjustPass> THSITool::BuildPass(const THSIParams& params,
                                                 const TAdjustImageInfo& info) {
    if (info.Kind != TImageKind::RGB24 && info.Kind != TImageKind::RGB48)
        return nullptr;
    return std::make_unique<THSIPass>(params, info);
}

int ApplyHSI(TFImage& image, const THSIParams& params) {
    const TImageKind kind = image.Kind();
    if (kind != TImageKind::RGB24 && kind != TImageKind::RGB48)
        return -1;
    return ApplyAdjustment<THSITool>(image, params);
}
