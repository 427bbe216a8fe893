#pragma once
// AdjustHsl over a run of pixels, with exactly its results but in stages: the divisions of all
// pixels are gathered into plain loops the compiler vectorises, and the inputs, integers in a
// full-scale image, are divided by M through a table.

#include "adjust/HSI.h"

#include <vector>

// What the per-pixel work needs of the settings, computed once.
struct THslConstants {
    double M = 0, Saturation = 0, Hue = 0, Lambda = 0;
    double W = 0, MV = 0; // the blend: c * w (+ M * v), both factors in single precision
};

class THslRowMapper {
public:
    // wide: four pixels at a time where the processor has the registers for it (the default);
    // the results are the same either way.
    THslRowMapper(const THSIParams& params, double fullScale, bool wide = true);
    // Pixels of interleaved red, green, blue in; out gets 3 * count values, each as AdjustHsl
    // leaves it (limited to 0..M).
    void Map(const float* rgb, int count, double* out) const;
    // The same for at most Run pixels, into one buffer per channel, each of RunBuffer values
    // (those past count are scratch).
    static constexpr int Run = 256;
    static constexpr int RunBuffer = Run + 4;
    void MapRun(const float* rgb, int count, double* red, double* green, double* blue) const;

private:
    double Unit(float v) const;

    double m_;
    bool wide_;
    THslConstants k_;
    std::vector<double> unit_; // i / M for the integers up to M
};
