#pragma once
// AdjustHsl over a run of pixels, with exactly its results: the pixels go through the same
// operations two or four at a time (vector lanes), with selects instead of branches, and one
// division for the channel on a hue ramp instead of one per channel.

#include "adjust/HSI.h"

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
    double m_;
    bool wide_;
    THslConstants k_;
};
