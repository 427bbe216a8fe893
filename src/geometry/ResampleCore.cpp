#include "geometry/ResampleCore.h"

#include "core/Numeric.h"
#include "core/Parallel.h"
#include "geometry/ResampleTaps.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <vector>

namespace {

// One source row resampled across: out[x] = sum of weight x source at the tap offsets.
template <int Taps, int Channels>
void ResampleAcross(const float* source, const int* offsets, const float* weights, int count,
                    float* out) {
    for (int x = 0; x < count; ++x, offsets += Taps, weights += Taps, out += Channels)
        for (int c = 0; c < Channels; ++c) {
            float sum = weights[0] * source[offsets[0] + c];
            for (int k = 1; k < Taps; ++k)
                sum += weights[k] * source[offsets[k] + c];
            out[c] = sum;
        }
}

// One output row from the resampled rows of its taps.
template <int Taps>
void ResampleDown(const float* const* rows, const float* weights, int length, float* out) {
    for (int i = 0; i < length; ++i) {
        float sum = weights[0] * rows[0][i];
        for (int k = 1; k < Taps; ++k)
            sum += weights[k] * rows[k][i];
        out[i] = sum;
    }
}

using TAcross = void (*)(const float*, const int*, const float*, int, float*);
using TDown = void (*)(const float* const*, const float*, int, float*);

TAcross AcrossFor(int taps, int channels) {
    const bool colour = channels == 3;
    switch (taps) {
    case 1:
        return colour ? ResampleAcross<1, 3> : ResampleAcross<1, 1>;
    case 2:
        return colour ? ResampleAcross<2, 3> : ResampleAcross<2, 1>;
    default:
        return colour ? ResampleAcross<4, 3> : ResampleAcross<4, 1>;
    }
}

TDown DownFor(int taps) {
    switch (taps) {
    case 1:
        return ResampleDown<1>;
    case 2:
        return ResampleDown<2>;
    default:
        return ResampleDown<4>;
    }
}

struct TRun {
    const TResampleRows* Job;
    TAxisTaps Columns; // offsets already multiplied by the channel count
    TAxisTaps Rows;
    int NewWidth;
    int NewHeight;
    TAcross Across;
    TDown Down;
    std::atomic<int> RowsDone{0};
};

// The taps of one output row lie in four consecutive source rows, so a ring indexed by
// row mod 4 never evicts a row that the same output row still needs.
constexpr int RingSize = 4;

void RunSlice(TRun& run, int begin, int end, const TResampleProgress* progress) {
    const TResampleRows& job = *run.Job;
    const std::size_t rowLength = static_cast<std::size_t>(run.NewWidth) * job.Channels;
    std::vector<float> source(static_cast<std::size_t>(job.SourceWidth) * job.Channels);
    std::vector<float> ring(rowLength * RingSize);
    std::vector<float> stored(job.Output ? 0 : rowLength);
    int ringRow[RingSize] = {-1, -1, -1, -1};
    int lastPercent = -1;
    const int taps = run.Rows.Taps;
    for (int y = begin; y < end; ++y) {
        const int* rowIndex = run.Rows.IndexAt(y);
        const float* rows[4];
        for (int k = 0; k < taps; ++k) {
            const int r = rowIndex[k];
            const int slot = r % RingSize;
            float* resampled = ring.data() + slot * rowLength;
            if (ringRow[slot] != r) {
                job.Fetch(r, source.data());
                run.Across(source.data(), run.Columns.Index.data(), run.Columns.Weight.data(),
                           run.NewWidth, resampled);
                ringRow[slot] = r;
            }
            rows[k] = resampled;
        }
        float* out =
            job.Output ? job.Output + rowLength * static_cast<std::size_t>(y) : stored.data();
        run.Down(rows, run.Rows.WeightAt(y), static_cast<int>(rowLength), out);
        if (!job.Output)
            job.Store(y, out);
        const int done = run.RowsDone.fetch_add(1) + 1;
        if (progress && *progress) {
            // The text after output row y is Round(y / newHeight x 100).
            const int percent =
                static_cast<int>(RoundEven(static_cast<double>(done - 1) / run.NewHeight * 100));
            if (percent != lastPercent) {
                (*progress)(percent);
                lastPercent = percent;
            }
        }
    }
}

} // namespace

void ResampleRows(ResampleMethod method, int newWidth, int newHeight, const TResampleRows& job,
                  const TResampleProgress& progress) {
    if (newWidth <= 0 || newHeight <= 0 || job.SourceWidth <= 0 || job.SourceHeight <= 0)
        return;
    TRun run;
    run.Job = &job;
    run.Columns = BuildAxisTaps(method, job.SourceWidth, newWidth);
    for (int& offset : run.Columns.Index)
        offset *= job.Channels;
    run.Rows = BuildAxisTaps(method, job.SourceHeight, newHeight);
    run.NewWidth = newWidth;
    run.NewHeight = newHeight;
    run.Across = AcrossFor(run.Columns.Taps, job.Channels);
    run.Down = DownFor(run.Rows.Taps);

    constexpr int MinRowsPerSlice = 32;
    const int slices = std::clamp(newHeight / MinRowsPerSlice, 1, WorkerCount());
    std::vector<std::exception_ptr> errors(slices);
    // Slice 0 runs on the calling thread, which alone reports progress.
    ParallelForSlices(newHeight, slices, [&](int slice, int begin, int end) {
        try {
            RunSlice(run, begin, end, slice == 0 ? &progress : nullptr);
        } catch (...) {
            errors[slice] = std::current_exception();
        }
    });
    for (const auto& error : errors)
        if (error)
            std::rethrow_exception(error);
}
