#pragma once
// The separable resampler behind ResampleGrey and ResampleColour: each output row is the vertical
// weighted sum of source rows that were first resampled horizontally. Horizontal rows are kept in
// a four-row ring, so every source row is resampled across once per slice of output rows. The
// output rows are split across the cores.

#include "geometry/ResampleMethod.h"

#include <functional>

// Progress of a whole-image run: percent 0..99 while it runs, -1 when it is over (clear the text).
using TResampleProgress = std::function<void(int percent)>;
constexpr int ResampleProgressDone = -1;

struct TResampleRows {
    int SourceWidth = 0;
    int SourceHeight = 0;
    int Channels = 1; // 1 grey, 3 red-green-blue
    // Source row y as floats, Channels per pixel. Called from several threads at once.
    std::function<void(int y, float* row)> Fetch;
    // The result: newWidth x newHeight pixels of Channels floats, row-major; or, when null,
    // Store receives each output row (from several threads, each row once).
    float* Output = nullptr;
    std::function<void(int y, const float* row)> Store;
};

// Resamples to newWidth x newHeight. Progress is reported on the calling thread. Throws
// std::bad_alloc when the working rows cannot be had.
void ResampleRows(ResampleMethod method, int newWidth, int newHeight, const TResampleRows& job,
                  const TResampleProgress& progress);
