// Opening a 4096 x 4096 16-bit image: LoadFromFile (which includes ComputeDataRange and
// RefreshDisplay) for FITS and TIFF, next to cfitsio reading the same FITS file.

#include "core/Messages.h"
#include "core/fimage.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#ifdef ZELVANE_HAVE_CFITSIO
#include <fitsio.h>
#endif

namespace {

constexpr int Side = 4096;

struct TFiles {
    std::string Fits = "/tmp/zelvane-bench-open-" + std::to_string(getpid()) + ".fits";
    std::string Tiff = "/tmp/zelvane-bench-open-" + std::to_string(getpid()) + ".tif";
    TFiles() {
        TFImage image;
        image.CreateGrey(Side, Side, 16, 0, 0);
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x)
                image.SetGrey16(x, y, static_cast<std::uint16_t>((x * 7 + y * 13) & 0xFFFF));
        image.SaveAsFits(Fits);
        image.SaveAsTiff(Tiff, 0);
    }
    ~TFiles() {
        std::remove(Fits.c_str());
        std::remove(Tiff.c_str());
    }
};

const TFiles& Files() {
    static TFiles files;
    return files;
}

void OpenToDisplay(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        TFImage image;
        if (image.LoadFromFile(path) < 0)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(image.DisplayBitmap.Bits());
    }
    state.SetBytesProcessed(state.iterations() * Side * Side * 2);
}

void BM_OpenFitsToDisplay(benchmark::State& state) {
    OpenToDisplay(state, Files().Fits);
}
void BM_OpenTiffToDisplay(benchmark::State& state) {
    OpenToDisplay(state, Files().Tiff);
}

void BM_ReadFitsDataOnly(benchmark::State& state) {
    for (auto _ : state) {
        TFitsHeader header;
        TFitsSamples samples;
        int cards = 0;
        ReadFitsData(Files().Fits, cards, header, samples);
        benchmark::DoNotOptimize(samples.Buffer.Data());
    }
    state.SetBytesProcessed(state.iterations() * Side * Side * 2);
}

void BM_RefreshDisplayGrey16(benchmark::State& state) {
    TFImage image;
    image.LoadFromFile(Files().Fits);
    for (auto _ : state) {
        image.RefreshDisplay();
        benchmark::DoNotOptimize(image.DisplayBitmap.Bits());
    }
}

void BM_ComputeDataRangeGrey16(benchmark::State& state) {
    TFImage image;
    image.LoadFromFile(Files().Fits);
    for (auto _ : state)
        benchmark::DoNotOptimize(image.ComputeDataRange());
}

#ifdef ZELVANE_HAVE_CFITSIO
void BM_CfitsioRead(benchmark::State& state) {
    std::vector<unsigned short> pixels(static_cast<std::size_t>(Side) * Side);
    for (auto _ : state) {
        fitsfile* file = nullptr;
        int status = 0, anynul = 0;
        fits_open_file(&file, Files().Fits.c_str(), READONLY, &status);
        fits_read_img(file, TUSHORT, 1, pixels.size(), nullptr, pixels.data(), &anynul, &status);
        fits_close_file(file, &status);
        if (status)
            state.SkipWithError("cfitsio failed");
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetBytesProcessed(state.iterations() * Side * Side * 2);
}
BENCHMARK(BM_CfitsioRead)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

BENCHMARK(BM_ReadFitsDataOnly)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenFitsToDisplay)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenTiffToDisplay)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ComputeDataRangeGrey16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RefreshDisplayGrey16)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
