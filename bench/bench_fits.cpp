// Reading and writing a 4096 x 4096 FITS file (warm page cache), next to cfitsio reading the
// same file and a plain read of its bytes as the floor.

#include "core/FITS.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

#ifdef ZELVANE_HAVE_CFITSIO
#include <fitsio.h>
#endif

namespace {

constexpr int Side = 4096;
constexpr std::size_t Count = std::size_t(Side) * Side;

struct TFiles {
    std::string Words = "/tmp/zelvane-bench-fits16-" + std::to_string(getpid()) + ".fits";
    std::string Floats = "/tmp/zelvane-bench-fits32-" + std::to_string(getpid()) + ".fits";
    TFiles() {
        std::vector<std::uint16_t> words(Count);
        std::vector<float> floats(Count);
        for (std::size_t i = 0; i < Count; ++i) {
            words[i] = static_cast<std::uint16_t>(i * 7 + (i >> 12) * 13);
            floats[i] = static_cast<float>(words[i]) * 0.25f;
        }
        TFitsHeader header = NewFitsHeader(16, Side, Side, Words, 32768, 1);
        WriteFits(Words, header, words.data());
        header = NewFitsHeader(-32, Side, Side, Floats, 0, 1);
        WriteFits(Floats, header, floats.data());
    }
    ~TFiles() {
        std::remove(Words.c_str());
        std::remove(Floats.c_str());
    }
};

const TFiles& Files() {
    static TFiles files;
    return files;
}

void ReadData(benchmark::State& state, const std::string& path, int bytesPerSample) {
    for (auto _ : state) {
        TFitsHeader header;
        TFitsSamples samples;
        int cards = 0;
        if (ReadFitsData(path, cards, header, samples) < 0)
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(samples.Buffer.Data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(Count) * bytesPerSample);
}

// Files() is called before each timed loop, so making the files is never timed.
void BM_ReadFitsData16(benchmark::State& state) {
    ReadData(state, Files().Words, 2);
}
void BM_ReadFitsDataFloat(benchmark::State& state) {
    ReadData(state, Files().Floats, 4);
}

void BM_WriteFits16(benchmark::State& state) {
    std::vector<std::uint16_t> words(Count, 1234);
    const std::string path = "/tmp/zelvane-bench-fits-out-" + std::to_string(getpid()) + ".fits";
    for (auto _ : state) {
        TFitsHeader header = NewFitsHeader(16, Side, Side, path, 32768, 1);
        if (WriteFits(path, header, words.data()) < 0)
            state.SkipWithError("write failed");
    }
    std::remove(path.c_str());
    state.SetBytesProcessed(state.iterations() * std::int64_t(Count) * 2);
}

// The floor: the data unit's bytes copied out of the page cache, no conversion.
void BM_PlainRead16(benchmark::State& state) {
    const std::string& path = Files().Words;
    std::vector<std::uint8_t> bytes(Count * 2, 1);
    for (auto _ : state) {
        const int fd = open(path.c_str(), O_RDONLY);
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = pread(fd, bytes.data() + done, bytes.size() - done, 2880 + done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        close(fd);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(Count) * 2);
}

#ifdef ZELVANE_HAVE_CFITSIO
void CfitsioRead(benchmark::State& state, bool freshBuffer) {
    const std::string& path = Files().Words;
    std::vector<unsigned short> pixels(Count, 1); // touched: no first-use page faults in the loop
    for (auto _ : state) {
        if (freshBuffer)
            std::vector<unsigned short>(Count).swap(pixels);
        fitsfile* file = nullptr;
        int status = 0, anynul = 0;
        fits_open_file(&file, path.c_str(), READONLY, &status);
        fits_read_img(file, TUSHORT, 1, static_cast<LONGLONG>(Count), nullptr, pixels.data(),
                      &anynul, &status);
        fits_close_file(file, &status);
        if (status)
            state.SkipWithError("cfitsio failed");
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(Count) * 2);
}
// cfitsio into a buffer it reuses (its best case), and into a fresh one as the reader gets.
void BM_CfitsioRead16(benchmark::State& state) {
    CfitsioRead(state, false);
}
void BM_CfitsioRead16FreshBuffer(benchmark::State& state) {
    CfitsioRead(state, true);
}
BENCHMARK(BM_CfitsioRead16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CfitsioRead16FreshBuffer)->Unit(benchmark::kMillisecond)->UseRealTime();
#endif

BENCHMARK(BM_ReadFitsData16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadFitsDataFloat)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainRead16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteFits16)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
