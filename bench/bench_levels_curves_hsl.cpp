// Levels, Curves and hue/saturation/lightness on 4096 x 4096 RGB24, RGB48 and Grey16 images:
// the pass build (lookup tables) that every parameter change costs, and one preview pass over
// the whole image into the display bitmap, split over the cores as the preview thread does.
// A curve drag pays one build and (at most) one pass per mouse move.

#include "adjust/Curves.h"
#include "adjust/HSI.h"
#include "adjust/Levels.h"
#include "core/Parallel.h"
#include "core/fimage.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace {

constexpr int Side = 4096;

std::unique_ptr<TFImage> MakeImage(TImageKind kind) {
    auto image = std::make_unique<TFImage>();
    const int bpp = kind == TImageKind::RGB24 ? 24 : kind == TImageKind::RGB48 ? 48 : 16;
    if (kind == TImageKind::Grey16)
        image->CreateGrey(Side, Side, bpp, 0, 0);
    else
        image->CreateColour(Side, Side, bpp, 0, 0);
    std::uint32_t seed = 12345;
    for (int y = 0; y < Side; ++y) {
        std::uint8_t* row = image->Row(y);
        for (int i = 0; i + 1 < Side * bpp / 8; i += 2) {
            seed = seed * 1664525u + 1013904223u;
            const std::uint16_t v = static_cast<std::uint16_t>(seed >> 16);
            std::memcpy(row + i, &v, 2);
        }
    }
    image->ComputeDataRange();
    image->RefreshDisplay();
    return image;
}

TImageKind KindArg(const benchmark::State& state) {
    return static_cast<TImageKind>(state.range(0));
}

// A curve as it is during a drag: the end points and three inner points.
TCurvesParams DragCurve(int step) {
    TCurvesParams params;
    params.Sets[CurveRgb] = {{0, 255, false},
                             {60, 170 - step % 7, true},
                             {128, 100, false},
                             {200, 40, false},
                             {255, 0, false}};
    return params;
}

TLevelsParams LevelsFor(const TAdjustImageInfo& info) {
    const float top = info.Kind == TImageKind::Grey16 ? info.DataMax : ColourFullScale(info.Kind);
    return {top * 0.1f, top * 0.8f, 0, top, LevelsAllChannels};
}

std::unique_ptr<TAdjustPass> Build(int tool, const TAdjustImageInfo& info, int step) {
    switch (tool) {
    case 0:
        return TLevelsTool::BuildPass(LevelsFor(info), info);
    case 1:
        return TCurvesTool::BuildPass(DragCurve(step), info);
    default:
        return THSITool::BuildPass({30, 10, 5}, info);
    }
}

const char* ToolName(int tool) {
    return tool == 0 ? "levels" : tool == 1 ? "curves" : "hsl";
}

void BM_BuildPass(benchmark::State& state) {
    const int tool = static_cast<int>(state.range(1));
    auto image = MakeImage(KindArg(state));
    const auto info = TAdjustImageInfo::Of(*image);
    int step = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(Build(tool, info, ++step));
    state.SetLabel(std::string(ToolName(tool)) + " " + KindName(KindArg(state)));
}

void BM_PreviewPass(benchmark::State& state) {
    const int tool = static_cast<int>(state.range(1));
    auto image = MakeImage(KindArg(state));
    const auto info = TAdjustImageInfo::Of(*image);
    TAdjustPlanes planes(Side, info.Grey, Side);
    CopyImageToPlanes(*image, planes);
    const auto pass = Build(tool, info, 0);
    for (auto _ : state) {
        ParallelFor(Side, [&](int y0, int y1) {
            for (int y = y0; y < y1; ++y)
                pass->PreviewRow(planes, y, image->DisplayBitmap.Row(y));
        });
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::string(ToolName(tool)) + " " + KindName(KindArg(state)));
}

void Cases(benchmark::internal::Benchmark* b) {
    for (int tool = 0; tool < 3; ++tool)
        for (TImageKind kind : {TImageKind::RGB24, TImageKind::RGB48, TImageKind::Grey16})
            if (tool != 2 || kind != TImageKind::Grey16)
                b->Args({static_cast<int>(kind), tool});
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

BENCHMARK(BM_BuildPass)->Apply(Cases);
BENCHMARK(BM_PreviewPass)->Apply(Cases);
