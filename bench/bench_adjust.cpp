// One preview pass and one worker run of Gamma and of Brightness and Contrast on 4096 x 4096
// images of every processed kind, next to the floor: one plain read of the plane (or of the
// pixels) plus one write of the display bitmap, split over the same cores.

#include "adjust/BriConThreads.h"
#include "adjust/Gamma.h"
#include "adjust/Statistics.h"
#include "core/Parallel.h"
#include "core/fimage.h"
#include "core/platform/UiDispatcher.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {

constexpr int Side = 4096;

std::unique_ptr<TFImage> MakeImage(TImageKind kind) {
    auto image = std::make_unique<TFImage>();
    const bool grey = kind == TImageKind::Grey16 || kind == TImageKind::GreyFloat;
    const int bpp = kind == TImageKind::RGB24    ? 24
                    : kind == TImageKind::RGB48  ? 48
                    : kind == TImageKind::Grey16 ? 16
                                                 : 32;
    if (grey)
        image->CreateGrey(Side, Side, bpp, 0, 0);
    else
        image->CreateColour(Side, Side, bpp, 0, 0);
    std::uint32_t seed = 12345;
    for (int y = 0; y < Side; ++y) {
        std::uint8_t* row = image->Row(y);
        const int bytes = Side * bpp / 8;
        for (int i = 0; i + 1 < bytes; i += 2) {
            seed = seed * 1664525u + 1013904223u;
            const std::uint16_t v = static_cast<std::uint16_t>(seed >> 16);
            std::memcpy(row + i, &v, 2);
        }
        if (kind == TImageKind::GreyFloat) {
            auto* f = reinterpret_cast<float*>(row);
            for (int x = 0; x < Side; ++x)
                f[x] = static_cast<float>((x * 7 + y * 13) % 60000) + 0.25f;
        }
    }
    image->ComputeDataRange();
    image->RefreshDisplay();
    return image;
}

TImageKind KindArg(const benchmark::State& state) {
    return static_cast<TImageKind>(state.range(0));
}

void SetLabel(benchmark::State& state) {
    state.SetLabel(KindName(KindArg(state)));
}

// Floor: read every plane sample once and write every display byte once.
void BM_PlaneToDisplayFloor(benchmark::State& state) {
    auto image = MakeImage(KindArg(state));
    const auto info = TAdjustImageInfo::Of(*image);
    TAdjustPlanes planes(Side, info.Grey, Side);
    CopyImageToPlanes(*image, planes);
    for (auto _ : state) {
        ParallelFor(Side, [&](int y0, int y1) {
            for (int y = y0; y < y1; ++y) {
                std::uint8_t* d = image->DisplayBitmap.Row(y);
                if (info.Grey) {
                    const float* p = PlaneRow(*planes.Grey, y);
                    for (int x = 0; x < Side; ++x, d += 3)
                        d[0] = d[1] = d[2] = static_cast<std::uint8_t>(p[x]);
                } else {
                    const float* p = PlaneRow(*planes.Colour, y);
                    for (int x = 0; x < 3 * Side; ++x)
                        d[x] = static_cast<std::uint8_t>(p[x]);
                }
            }
        });
        benchmark::ClobberMemory();
    }
    SetLabel(state);
}

// The real preview thread: one parameter change, until its pass has been drawn.
void BM_GammaPreviewPass(benchmark::State& state) {
    auto image = MakeImage(KindArg(state));
    TTestDispatcher dispatcher;
    TAdjustHost host;
    TGammaSession session(GammaProtocol, dispatcher, host);
    session.Open(*image);
    float gamma = 1.5f;
    for (auto _ : state) {
        const int before = session.PreviewThread()->PassesCompleted();
        gamma = gamma == 1.5f ? 2.2f : 1.5f;
        session.UpdatePreview({gamma}, true);
        dispatcher.ProcessUntil(
            [&] { return session.PreviewThread()->PassesCompleted() > before; });
    }
    session.Close(false);
    SetLabel(state);
}

void BM_GammaWorkerRun(benchmark::State& state) {
    auto image = MakeImage(KindArg(state));
    const auto info = TAdjustImageInfo::Of(*image);
    TAdjustPlanes planes(Side, info.Grey, Side);
    CopyImageToPlanes(*image, planes);
    auto pass = TGammaTool::BuildPass({2.2f}, info);
    for (auto _ : state) {
        ApplyPassToPlanes(*pass, planes);
        benchmark::ClobberMemory();
    }
    SetLabel(state);
}

// Floor for the in-place brightness and contrast: read the pixels, write the display bytes.
void BM_PixelsToDisplayFloor(benchmark::State& state) {
    auto image = MakeImage(KindArg(state));
    const int bytes = Side * image->BitsPerPixel / 8;
    for (auto _ : state) {
        ParallelFor(Side, [&](int y0, int y1) {
            for (int y = y0; y < y1; ++y) {
                const std::uint8_t* s = image->Row(y);
                std::uint8_t* d = image->DisplayBitmap.Row(y);
                const int shown = std::min(bytes, 3 * Side);
                std::memcpy(d, s, shown);
                for (int i = shown; i < bytes; ++i) // the rest of a wide row is read too
                    d[i % shown] ^= s[i];
            }
        });
        benchmark::ClobberMemory();
    }
    SetLabel(state);
}

void BM_BriConPreviewPass(benchmark::State& state) {
    auto image = MakeImage(KindArg(state));
    TTestDispatcher dispatcher;
    TAdjustHost host;
    TBriConSession session(dispatcher, host);
    session.Open(*image);
    int brightness = 10;
    for (auto _ : state) {
        const int before = session.PreviewThread()->PassesCompleted();
        brightness = -brightness;
        session.UpdatePreview({brightness, 20}, true);
        dispatcher.ProcessUntil(
            [&] { return session.PreviewThread()->PassesCompleted() > before; });
    }
    session.Close();
    SetLabel(state);
}

void BM_BriConWorkerRun(benchmark::State& state) {
    auto image = MakeImage(KindArg(state));
    const TBriConMapping mapping(*image, ImageMean(*image), {10, 20});
    for (auto _ : state) {
        ApplyBriConRows(mapping, *image, 0, Side - 1);
        benchmark::ClobberMemory();
    }
    SetLabel(state);
}

void Kinds(benchmark::internal::Benchmark* b) {
    for (TImageKind kind :
         {TImageKind::RGB24, TImageKind::RGB48, TImageKind::Grey16, TImageKind::GreyFloat})
        b->Arg(static_cast<int>(kind));
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

BENCHMARK(BM_PlaneToDisplayFloor)->Apply(Kinds);
BENCHMARK(BM_GammaPreviewPass)->Apply(Kinds);
BENCHMARK(BM_GammaWorkerRun)->Apply(Kinds);
BENCHMARK(BM_PixelsToDisplayFloor)->Apply(Kinds);
BENCHMARK(BM_BriConPreviewPass)->Apply(Kinds);
BENCHMARK(BM_BriConWorkerRun)->Apply(Kinds);
