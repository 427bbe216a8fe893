#pragma once
// Grey-level statistics behind the display-mode window: full range, a random-sample range and
// the 256-bin histogram. Grey16 and GreyFloat only; other kinds keep the starting values.

#include <array>
#include <cstdint>

class TFImage;

// Where the running minimum starts; it stays there for images with nothing to scan.
constexpr double GreyMinimumStart = 2e32;

struct TGreyStatistics {
    // Each sample adds GreyHistogramWeight to its bin.
    std::array<std::int64_t, 256> Counts{};
    double Minimum = 0;
    double Maximum = 0;
    double Scale = 1; // 255 / Maximum
};

constexpr std::int64_t GreyHistogramWeight = 10000;

// Minimum and maximum of every sample. 0, or -1 after reporting error 2004.
int GreyMinMax(const TFImage& image, double& minimum, double& maximum);

// Minimum and maximum of sampleCount samples at random positions; the last column and row are
// never drawn. 0, or -1 after reporting error 2005.
int GreyRandomRange(const TFImage& image, double& minimum, double& maximum, int sampleCount);

// Histogram of every step-th row and column; negative samples count in bin 0. 0, or -1 after
// reporting error 2002.
int GreyHistogram(const TFImage& image, int step, TGreyStatistics& statistics);
