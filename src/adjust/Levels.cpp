#include "adjust/Levels.h"

#include "adjust/Statistics.h"
#include "core/fimage.h"

#include <algorithm>
#include <vector>

const TAdjustProtocol LevelsProtocol = {
    "ZVLevelsDone", "ZVLevelsPreviewDone", 1058, 1059, 1060, 1061};

float LevelsMap(const TLevelsParams& p, float x) {
    return p.OutMin + (p.OutMax - p.OutMin) * (x - p.InMin) / (p.InMax - p.InMin);
}

namespace {

// Colour: entries limited to 0..M only, so values outside the input range may leave the output
// range. Channels not selected keep their values.
class TLevelsColourPass : public TAdjustPass {
public:
    TLevelsColourPass(const TLevelsParams& params, const TAdjustImageInfo& info)
        : identity_(params.InMin == params.OutMin && params.InMax == params.OutMax),
          applied_(AdjustTableSize), shown_(AdjustTableSize), plain_(AdjustTableSize) {
        const float m = ColourFullScale(info.Kind);
        const bool sixteen = info.Kind == TImageKind::RGB48;
        for (int i = 0; i < AdjustTableSize; ++i) {
            float v = LevelsMap(params, static_cast<float>(i));
            v = !(v >= 0) ? 0.0f : std::min(v, m);
            applied_[i] = v;
            shown_[i] = ColourDisplayByte(v, m, sixteen);
            plain_[i] = ColourDisplayByte(i, m, sixteen);
        }
        for (int c = 0; c < 3; ++c)
            mapped_[c] = params.Channel == LevelsAllChannels || params.Channel == c + 1;
    }
    void PreviewRow(const TAdjustPlanes& planes, int y, std::uint8_t* display) const override {
        const std::uint8_t* table[3];
        for (int c = 0; c < 3; ++c)
            table[c] = mapped_[c] ? shown_.data() : plain_.data();
        const float* p = PlaneRow(*planes.Colour, y);
        for (int x = 0; x < planes.Width; ++x, p += 3, display += 3) {
            display[0] = table[2][TableIndex(p[2])];
            display[1] = table[1][TableIndex(p[1])];
            display[2] = table[0][TableIndex(p[0])];
        }
    }
    void ApplyRow(TAdjustPlanes& planes, int y) const override {
        float* p = PlaneRow(*planes.Colour, y);
        for (int x = 0; x < planes.Width; ++x, p += 3)
            for (int c = 0; c < 3; ++c)
                if (mapped_[c])
                    p[c] = applied_[TableIndex(p[c])];
    }
    // L(x) = x exactly when both ranges are the same, and colour entries are not limited to it.
    bool Identity() const override { return identity_; }

private:
    bool identity_;
    bool mapped_[3];
    std::vector<float> applied_;
    std::vector<std::uint8_t> shown_, plain_;
};

// Grey: results held within [OutMin, OutMax] (the preview only holds the lower limit), shown
// with the output range stretched over black to white.
class TLevelsGreyPass : public TAdjustPass {
public:
    TLevelsGreyPass(const TLevelsParams& params, const TAdjustImageInfo& info)
        : params_(params), sixteen_(info.Kind == TImageKind::Grey16),
          span_(static_cast<double>(params.OutMax) - params.OutMin) {
        identity_ = params.InMin == params.OutMin && params.InMax == params.OutMax &&
                    info.DataMin >= params.OutMin && info.DataMax <= params.OutMax;
        if (sixteen_) {
            applied_.resize(AdjustTableSize);
            shown_.resize(AdjustTableSize);
            for (int i = 0; i < AdjustTableSize; ++i) {
                float v = LevelsMap(params, static_cast<float>(i));
                if (v < params.OutMin)
                    v = params.OutMin;
                if (v > params.OutMax)
                    v = params.OutMax;
                applied_[i] = v;
                shown_[i] = Shown(v);
            }
        }
    }
    void PreviewRow(const TAdjustPlanes& planes, int y, std::uint8_t* display) const override {
        const float* p = PlaneRow(*planes.Grey, y);
        for (int x = 0; x < planes.Width; ++x, display += 3) {
            const float v = p[x] >= 0 ? p[x] : 0.0f;
            const std::uint8_t byte = sixteen_
                                          ? shown_[TableIndex(v)]
                                          : Shown(std::max(LevelsMap(params_, v), params_.OutMin));
            display[0] = display[1] = display[2] = byte;
        }
    }
    void ApplyRow(TAdjustPlanes& planes, int y) const override {
        float* p = PlaneRow(*planes.Grey, y);
        for (int x = 0; x < planes.Width; ++x) {
            const float v = p[x] >= 0 ? p[x] : 0.0f;
            if (sixteen_) {
                p[x] = applied_[TableIndex(v)];
            } else {
                float m = LevelsMap(params_, v);
                if (m < params_.OutMin)
                    m = params_.OutMin;
                if (m > params_.OutMax)
                    m = params_.OutMax;
                p[x] = m;
            }
        }
    }
    // Both ranges the same and the data already inside them.
    bool Identity() const override { return identity_; }

private:
    std::uint8_t Shown(float v) const {
        return GreyDisplayByte((v - static_cast<double>(params_.OutMin)) * 255.0 / span_);
    }

    TLevelsParams params_;
    bool sixteen_, identity_ = false;
    double span_;
    std::vector<float> applied_;
    std::vector<std::uint8_t> shown_;
};

} // namespace

std::unique_ptr<TAdjustPass> TLevelsTool::BuildPass(const TLevelsParams& params,
                                                    const TAdjustImageInfo& info) {
    if (params.InMax == params.InMin || params.OutMax == params.OutMin)
        return nullptr;
    switch (info.Kind) {
    case TImageKind::RGB24:
    case TImageKind::RGB48:
        return std::make_unique<TLevelsColourPass>(params, info);
    case TImageKind::Grey16:
    case TImageKind::GreyFloat: {
        TLevelsParams grey = params;
        grey.Channel = LevelsAllChannels;
        return std::make_unique<TLevelsGreyPass>(grey, info);
    }
    default:
        return nullptr;
    }
}

TLevelsParams TLevelsOpening::Defaults() const {
    TLevelsParams params;
    params.InMin = params.OutMin = static_cast<float>(Minimum);
    params.InMax = params.OutMax = static_cast<float>(Maximum);
    return params;
}

TLevelsOpening LevelsOpening(const TFImage& image) {
    TLevelsOpening opening;
    const TImageKind kind = image.Kind();
    opening.Grey = kind == TImageKind::Grey16 || kind == TImageKind::GreyFloat;
    if (opening.Grey) {
        TGreyHistogram histogram;
        RegionGreyHistogram(WholeImage(image), image, histogram);
        std::copy(histogram.Bins, histogram.Bins + 256, opening.Histogram);
        opening.Minimum = std::max(histogram.Minimum, 0.0);
        opening.Maximum = std::max(histogram.Maximum, opening.Minimum);
    } else if (kind == TImageKind::RGB24 || kind == TImageKind::RGB48) {
        TColourHistogram histogram;
        RegionColourHistogram(WholeImage(image), image, histogram);
        for (int i = 0; i < 256; ++i) {
            const auto* counts = histogram.Counts[i];
            opening.Histogram[i] = (static_cast<double>(counts[0]) + counts[1] + counts[2]) / 3.0;
        }
        opening.Maximum = ColourFullScale(kind);
    }
    return opening;
}

int ApplyLevels(TFImage& image, const TLevelsParams& params) {
    return ApplyAdjustment<TLevelsTool>(image, params);
}
