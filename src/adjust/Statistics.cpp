#include "adjust/Statistics.h"

#include "core/Messages.h"
#include "core/Numeric.h"
#include "core/fimage.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace {

constexpr double InitialMinimum = 2e32;

struct TRegionFault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void CheckRegion(const TRegion& r, const TFImage& image) {
    if (image.Empty() || r.X0 < 0 || r.Y0 < 0 || r.X1 >= image.Width || r.Y1 >= image.Height)
        throw TRegionFault("region outside the image");
}

bool IsGrey(const TFImage& image) {
    const TImageKind kind = image.Kind();
    return kind == TImageKind::Grey16 || kind == TImageKind::GreyFloat;
}

bool IsColour(const TFImage& image) {
    const TImageKind kind = image.Kind();
    return kind == TImageKind::RGB24 || kind == TImageKind::RGB48;
}

// Calls fn(value) for every grey sample of the region, row by row.
template <class Fn> void ForEachGrey(const TRegion& r, const TFImage& image, Fn fn) {
    const TImageKind kind = image.Kind();
    for (int y = r.Y0; y <= r.Y1; ++y) {
        if (kind == TImageKind::Grey16) {
            const auto* row = reinterpret_cast<const std::uint16_t*>(image.Row(y));
            for (int x = r.X0; x <= r.X1; ++x)
                fn(static_cast<double>(row[x]));
        } else if (kind == TImageKind::GreyFloat) {
            const auto* row = reinterpret_cast<const float*>(image.Row(y));
            for (int x = r.X0; x <= r.X1; ++x)
                fn(static_cast<double>(row[x]));
        } else {
            for (int x = r.X0; x <= r.X1; ++x)
                fn(0.0);
        }
    }
}

// Calls fn(red, green, blue) for every pixel of the region (RgbAt semantics).
template <class Fn> void ForEachRgb(const TRegion& r, const TFImage& image, Fn fn) {
    const TImageKind kind = image.Kind();
    if (kind != TImageKind::RGB24 && kind != TImageKind::RGB48)
        return;
    for (int y = r.Y0; y <= r.Y1; ++y) {
        if (kind == TImageKind::RGB24) {
            const std::uint8_t* p = image.Row(y) + 3 * r.X0;
            for (int x = r.X0; x <= r.X1; ++x, p += 3)
                fn(p[2], p[1], p[0]);
        } else {
            const auto* p = reinterpret_cast<const std::uint16_t*>(image.Row(y)) + 3 * r.X0;
            for (int x = r.X0; x <= r.X1; ++x, p += 3)
                fn(p[0], p[1], p[2]);
        }
    }
}

int BinOf(double scaled) {
    const double bin = RoundEven(scaled);
    if (!(bin >= 0 && bin <= 255))
        throw TRegionFault("histogram bin out of range");
    return static_cast<int>(bin);
}

template <class Fn> int Guarded(int errorNumber, Fn fn) {
    try {
        fn();
        return 0;
    } catch (...) {
        ReportError(errorNumber);
        return -1;
    }
}

} // namespace

TRegion WholeImage(const TFImage& image) {
    return {0, 0, image.Width - 1, image.Height - 1};
}

int RegionGreyMinMax(const TRegion& region, const TFImage& image, double& minimum,
                     double& maximum) {
    minimum = InitialMinimum;
    maximum = 0;
    return Guarded(ErrRegionGreyMinMax, [&] {
        CheckRegion(region, image);
        double lo = InitialMinimum, hi = 0;
        ForEachGrey(region, image, [&](double v) {
            if (v < lo)
                lo = v;
            if (v > hi)
                hi = v;
        });
        minimum = lo;
        maximum = hi;
    });
}

int RegionGreyHistogram(const TRegion& region, const TFImage& image, TGreyHistogram& out) {
    out = TGreyHistogram{};
    return Guarded(ErrRegionGreyHistogram, [&] {
        CheckRegion(region, image);
        double minimum = 0, maximum = 0;
        if (RegionGreyMinMax(region, image, minimum, maximum) < 0)
            throw TRegionFault("range");
        if (minimum == 0 && maximum == 0) {
            out.Scale = 1;
            return;
        }
        const double scale = 255.0 / maximum;
        if (!std::isfinite(scale))
            throw TRegionFault("no positive maximum");
        ForEachGrey(region, image, [&](double v) {
            if (!(v >= 0))
                v = 0;
            out.Bins[BinOf(scale * v)] += 1;
        });
        out.Scale = scale;
        out.Minimum = minimum;
        out.Maximum = maximum;
    });
}

int RegionColourHistogram(const TRegion& region, const TFImage& image, TColourHistogram& out) {
    out = TColourHistogram{};
    return Guarded(ErrRegionColourHistogram, [&] {
        CheckRegion(region, image);
        out.Scale = image.Kind() == TImageKind::RGB48 ? 255.0 / 65535.0 : 1.0;
        const double scale = out.Scale;
        if (scale == 1.0) {
            ForEachRgb(region, image, [&](unsigned r, unsigned g, unsigned b) {
                ++out.Counts[r][0];
                ++out.Counts[g][1];
                ++out.Counts[b][2];
            });
            return;
        }
        ForEachRgb(region, image, [&](unsigned r, unsigned g, unsigned b) {
            ++out.Counts[BinOf(r * scale)][0];
            ++out.Counts[BinOf(g * scale)][1];
            ++out.Counts[BinOf(b * scale)][2];
        });
    });
}

int RegionGreyStatistics(const TRegion& region, const TFImage& image, TGreyStatistics& out) {
    out = TGreyStatistics{};
    out.Minimum = InitialMinimum;
    return Guarded(ErrRegionGreyStatistics, [&] {
        CheckRegion(region, image);
        ForEachGrey(region, image, [&](double v) {
            ++out.Count;
            out.Sum += v;
            if (v < out.Minimum)
                out.Minimum = v;
            if (v > out.Maximum)
                out.Maximum = v;
        });
        if (out.Count == 0)
            throw TRegionFault("empty region");
        out.Mean = out.Sum / out.Count;
        double squares = 0;
        const double mean = out.Mean;
        ForEachGrey(region, image, [&](double v) { squares += (v - mean) * (v - mean); });
        out.StdDev = std::sqrt(squares / out.Count);
    });
}

int RegionColourStatistics(const TRegion& region, const TFImage& image, TColourStatistics& out) {
    out = TColourStatistics{};
    for (double& m : out.Minimum)
        m = InitialMinimum;
    return Guarded(ErrRegionColourStatistics, [&] {
        CheckRegion(region, image);
        if (!IsColour(image))
            throw TRegionFault("not a colour image");
        double sum[3] = {};
        ForEachRgb(region, image, [&](double r, double g, double b) {
            const double c[3] = {r, g, b};
            ++out.Count;
            for (int i = 0; i < 3; ++i) {
                sum[i] += c[i];
                if (c[i] < out.Minimum[i])
                    out.Minimum[i] = c[i];
                if (c[i] > out.Maximum[i])
                    out.Maximum[i] = c[i];
            }
        });
        if (out.Count == 0)
            throw TRegionFault("empty region");
        for (int i = 0; i < 3; ++i)
            out.Mean[i] = sum[i] / out.Count;
        ForEachRgb(region, image, [&](double r, double g, double b) {
            const double c[3] = {r, g, b};
            for (int i = 0; i < 3; ++i)
                out.SumSquares[i] += (c[i] - out.Mean[i]) * (c[i] - out.Mean[i]);
        });
        for (int i = 0; i < 3; ++i)
            out.StdDev[i] = std::sqrt(out.SumSquares[i] / out.Count);
    });
}

double ImageMean(const TFImage& image) {
    try {
        if (image.Empty())
            throw TRegionFault("no image");
        const double pixels = static_cast<double>(image.Width) * image.Height;
        const TRegion all = WholeImage(image);
        if (IsColour(image)) {
            // Integer sums are exact, so the mean does not depend on summation order.
            std::uint64_t sum = 0;
            ForEachRgb(all, image, [&](unsigned r, unsigned g, unsigned b) { sum += r + g + b; });
            return static_cast<double>(sum) / 3.0 / pixels;
        }
        if (IsGrey(image)) {
            double sum = 0;
            ForEachGrey(all, image, [&](double v) { sum += v; });
            return sum / pixels;
        }
        return 127;
    } catch (...) {
        ReportError(ErrImageMean);
        return 1;
    }
}
