#pragma once
// AdjustHsl over a run of pixels, with exactly its results but in stages: the divisions of all
// pixels are gathered into plain loops the compiler vectorises, and the inputs, integers in a
// full-scale image, are divided by M through a table.

#include "adjust/HSI.h"

#include <vector>

class THslRowMapper {
public:
    THslRowMapper(const THSIParams& params, double fullScale);
    // Pixels of interleaved red, green, blue in; out gets 3 * count values, each as AdjustHsl
    // leaves it (limited to 0..M).
    void Map(const float* rgb, int count, double* out) const;

private:
    void MapChunk(const float* rgb, int count, double* out) const;
    double Unit(float v) const;

    THSIParams params_;
    double m_, saturation_, lambda_;
    float v_, w_;
    double mv_;
    std::vector<double> unit_; // i / M for the integers up to M
};
