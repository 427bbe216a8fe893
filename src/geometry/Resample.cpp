#include "geometry/Resample.h"

#include "core/DataContainer.h"
#include "core/DataContainerRGB.h"
#include "core/fimage.h"

#include <cstdint>
#include <exception>
#include <new>

namespace {

void FetchGrey(const TFImage& image, int y, float* row) {
    switch (image.Kind()) {
    case TImageKind::Grey16: {
        const auto* p = reinterpret_cast<const std::uint16_t*>(image.Row(y));
        for (int x = 0; x < image.Width; ++x)
            row[x] = p[x];
        break;
    }
    case TImageKind::GreyFloat: {
        const auto* p = reinterpret_cast<const float*>(image.Row(y));
        for (int x = 0; x < image.Width; ++x)
            row[x] = p[x];
        break;
    }
    default:
        for (int x = 0; x < image.Width; ++x)
            row[x] = image.GreyValue(x, y);
    }
}

void FetchColour(const TFImage& image, int y, float* row) {
    switch (image.Kind()) {
    case TImageKind::RGB24: {
        const std::uint8_t* p = image.Row(y);
        for (int x = 0; x < image.Width; ++x, p += 3, row += 3) {
            row[0] = p[2];
            row[1] = p[1];
            row[2] = p[0];
        }
        break;
    }
    case TImageKind::RGB48: {
        const auto* p = reinterpret_cast<const std::uint16_t*>(image.Row(y));
        for (int x = 0; x < 3 * image.Width; ++x)
            row[x] = p[x];
        break;
    }
    default:
        for (int x = 0; x < 3 * image.Width; ++x)
            row[x] = 0;
    }
}

TResampleRows RowsOf(const TFImage& image, int channels,
                     void (*fetch)(const TFImage&, int, float*)) {
    TResampleRows job;
    job.SourceWidth = image.Width;
    job.SourceHeight = image.Height;
    job.Channels = channels;
    job.Fetch = [&image, fetch](int y, float* row) { fetch(image, y, row); };
    return job;
}

// Runs the resampler; an error ends the run with the plane as far as it was filled. The progress
// text is cleared in every case.
template <class TPlane>
std::unique_ptr<TPlane> Run(ResampleMethod method, int newWidth, int newHeight, TResampleRows job,
                            const TResampleProgress& progress) {
    std::unique_ptr<TPlane> plane;
    try {
        plane = std::make_unique<TPlane>(newWidth, newHeight);
    } catch (const std::bad_alloc&) {
        if (progress)
            progress(ResampleProgressDone);
        return nullptr;
    }
    job.Output = plane->Data();
    try {
        ResampleRows(method, newWidth, newHeight, job, progress);
    } catch (const std::exception&) {
        // Working rows unavailable: the plane keeps what was filled.
    }
    if (progress)
        progress(ResampleProgressDone);
    return plane;
}

} // namespace

TResampleRows GreyRows(const TFImage& image) {
    return RowsOf(image, 1, FetchGrey);
}

TResampleRows ColourRows(const TFImage& image) {
    return RowsOf(image, 3, FetchColour);
}

std::unique_ptr<TDataContainer> ResampleGrey(ResampleMethod method, int newWidth, int newHeight,
                                             const TFImage& image,
                                             const TResampleProgress& progress) {
    return Run<TDataContainer>(method, newWidth, newHeight, GreyRows(image), progress);
}

std::unique_ptr<TDataContainerRGB> ResampleColour(ResampleMethod method, int newWidth,
                                                  int newHeight, const TFImage& image,
                                                  const TResampleProgress& progress) {
    return Run<TDataContainerRGB>(method, newWidth, newHeight, ColourRows(image), progress);
}
