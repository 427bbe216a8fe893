#pragma once
// Measurements over a rectangle of the open image: grey range, histograms, mean and standard
// deviation. Each routine catches its own faults and reports them by number; the caller then
// gets what was gathered before the fault.

#include <cstdint>

class TFImage;

// Inclusive columns X0..X1 and rows Y0..Y1, row 0 at the top.
struct TRegion {
    int X0 = 0, Y0 = 0, X1 = -1, Y1 = -1;
};
TRegion WholeImage(const TFImage& image);

struct TGreyHistogram {
    double Bins[256] = {};
    double Scale = 0;
    double Minimum = 0;
    double Maximum = 0;
};

struct TColourHistogram {
    std::uint32_t Counts[256][3] = {}; // red, green, blue
    double Scale = 0;
};

struct TGreyStatistics {
    double Minimum = 0, Maximum = 0, Mean = 0, Sum = 0, StdDev = 0;
    int Count = 0;
};

struct TColourStatistics {
    double Minimum[3] = {}, Maximum[3] = {}, Mean[3] = {}, SumSquares[3] = {}, StdDev[3] = {};
    int Count = 0;
};

// Error numbers of the routines.
enum {
    ErrRegionGreyMinMax = 3000,
    ErrRegionGreyHistogram = 3001,
    ErrRegionColourHistogram = 3002,
    ErrRegionGreyStatistics = 3003,
    ErrRegionColourStatistics = 3004,
    ErrImageMean = 3005
};

// Grey16 and GreyFloat. The minimum starts at 2e32 and the maximum at 0. 0, or -1 after an error.
int RegionGreyMinMax(const TRegion& region, const TFImage& image, double& minimum, double& maximum);
// 256 bins from 0 to the maximum: bin Round(255 / max * v); negative and NaN samples count as 0.
int RegionGreyHistogram(const TRegion& region, const TFImage& image, TGreyHistogram& out);
// RGB24 and RGB48 (scaled by 255 / 65535).
int RegionColourHistogram(const TRegion& region, const TFImage& image, TColourHistogram& out);
// Population standard deviations.
int RegionGreyStatistics(const TRegion& region, const TFImage& image, TGreyStatistics& out);
int RegionColourStatistics(const TRegion& region, const TFImage& image, TColourStatistics& out);
// Mean of all samples (colour: of all three channels); 127 for other kinds, 1 after an error.
double ImageMean(const TFImage& image);
