// The whole Resize run (resampling, write-back, data range, display) for each method:
// a 2048 x 2048 Grey16 image enlarged to 4096 x 4096, and a 4096 x 4096 RGB48 image reduced
// to 50 %.

#include "core/fimage.h"
#include "geometry/Resize.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

namespace {

std::unique_ptr<TFImage> MakeSource(int side, bool colour) {
    auto image = std::make_unique<TFImage>();
    if (colour)
        image->CreateColour(side, side, 48, 0, 0);
    else
        image->CreateGrey(side, side, 16, 0, 0);
    std::uint32_t noise = 12345;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const auto v = static_cast<std::uint16_t>(((x * 13 + y * 7) & 0x7FFF) + (noise >> 20));
            if (colour) {
                const std::uint16_t rgb[3] = {v, static_cast<std::uint16_t>(v / 2),
                                              static_cast<std::uint16_t>(65535 - v)};
                image->SetRgb48(x, y, rgb);
            } else {
                image->SetGrey16(x, y, v);
            }
        }
    return image;
}

const TFImage& Source(bool colour) {
    static const auto grey = MakeSource(2048, false);
    static const auto rgb = MakeSource(4096, true);
    return colour ? *rgb : *grey;
}

void Run(benchmark::State& state, bool colour, int newSide) {
    const auto method = static_cast<ResampleMethod>(state.range(0));
    const TFImage& source = Source(colour);
    for (auto _ : state) {
        state.PauseTiming();
        TFImage image;
        image.AdoptBitmap(FreeImage_Clone(source.PixelBitmap), source.IsHighPrecisionGrey);
        state.ResumeTiming();
        if (ResizeImage(image, method, newSide, newSide, nullptr) < 0)
            state.SkipWithError("resize failed");
        benchmark::DoNotOptimize(image.DisplayBitmap.Bits());
    }
    state.SetLabel(ResampleMethodName(method));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(newSide) * newSide);
}

void BM_EnlargeGrey16To4096(benchmark::State& state) {
    Run(state, false, 4096);
}

void BM_ReduceRgb48To2048(benchmark::State& state) {
    Run(state, true, 2048);
}

BENCHMARK(BM_EnlargeGrey16To4096)
    ->DenseRange(0, ResampleMethodCount - 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ReduceRgb48To2048)
    ->DenseRange(0, ResampleMethodCount - 1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
