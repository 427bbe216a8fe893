#include "core/GreyStatistics.h"

#include "core/Messages.h"
#include "core/Numeric.h"
#include "core/fimage.h"

#include <chrono>
#include <cmath>
#include <exception>
#include <random>

namespace {

// Calls visit(sample) for every step-th sample of every step-th row of a grey image.
template <class Visit> void ForEachGreySample(const TFImage& image, int step, Visit visit) {
    const TImageKind kind = image.Kind();
    if (image.Empty() || (kind != TImageKind::Grey16 && kind != TImageKind::GreyFloat))
        return;
    for (int y = 0; y < image.Height; y += step) {
        if (kind == TImageKind::Grey16) {
            const auto* row = reinterpret_cast<const std::uint16_t*>(image.Row(y));
            for (int x = 0; x < image.Width; x += step)
                visit(static_cast<double>(row[x]));
        } else {
            const auto* row = reinterpret_cast<const float*>(image.Row(y));
            for (int x = 0; x < image.Width; x += step)
                visit(static_cast<double>(row[x]));
        }
    }
}

struct TRunningRange {
    double Minimum = GreyMinimumStart;
    double Maximum = 0;
    void Add(double v) {
        if (v > Maximum)
            Maximum = v;
        if (v < Minimum)
            Minimum = v;
    }
};

} // namespace

int GreyMinMax(const TFImage& image, double& minimum, double& maximum) {
    try {
        TRunningRange range;
        ForEachGreySample(image, 1, [&](double v) { range.Add(v); });
        minimum = range.Minimum;
        maximum = range.Maximum;
        return 0;
    } catch (const std::exception&) {
        ReportError(2004);
        return -1;
    }
}

int GreyRandomRange(const TFImage& image, double& minimum, double& maximum, int sampleCount) {
    try {
        TRunningRange range;
        const TImageKind kind = image.Kind();
        if (!image.Empty() && (kind == TImageKind::Grey16 || kind == TImageKind::GreyFloat)) {
            std::mt19937 random(
                static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
            // random(n) covers 0 .. n - 1, so the last column and row are never drawn.
            std::uniform_int_distribution<int> column(0, std::max(0, image.Width - 2));
            std::uniform_int_distribution<int> row(0, std::max(0, image.Height - 2));
            for (int i = 0; i < sampleCount; ++i) {
                const int x = column(random);
                const int y = row(random);
                range.Add(image.GreyValue(x, y));
            }
        }
        minimum = range.Minimum;
        maximum = range.Maximum;
        return 0;
    } catch (const std::exception&) {
        ReportError(2005);
        return -1;
    }
}

int GreyHistogram(const TFImage& image, int step, TGreyStatistics& statistics) {
    try {
        statistics = TGreyStatistics{};
        double minimum = 0, maximum = 0;
        if (GreyMinMax(image, minimum, maximum) < 0)
            return -1;
        statistics.Minimum = minimum;
        statistics.Maximum = maximum;
        if (minimum == 0 && maximum == 0)
            return 0;
        // A float image with no positive sample has maximum 0: everything lands in bin 0.
        statistics.Scale = maximum > 0 ? 255.0 / maximum : 1.0;
        ForEachGreySample(image, step < 1 ? 1 : step, [&](double v) {
            if (!(v > 0)) // negatives and NaN go to the first bin
                v = 0;
            const double bin = RoundEven(statistics.Scale * v);
            const int index =
                bin >= 0 && bin <= 255 ? static_cast<int>(bin) : (bin > 255 ? 255 : 0);
            statistics.Counts[index] += GreyHistogramWeight;
        });
        return 0;
    } catch (const std::exception&) {
        ReportError(2002);
        return -1;
    }
}
