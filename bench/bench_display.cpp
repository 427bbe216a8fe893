// Display of a 4096 x 4096 image: painting one 1600 x 1000 viewport at 6.25 %, 100 % and 1600 %
// (the part of the display bitmap it needs, stretched nearest-neighbour, and with Qt the blit
// onto a window-sized surface), and RefreshDisplay of Grey16 and GreyFloat data next to one
// plain memory pass over the same pixels.

#include "core/Stretch.h"
#include "core/Zoom.h"
#include "core/fimage.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <numeric>
#include <vector>

#ifdef ZELVANE_HAVE_QT
#include <QImage>
#include <QPainter>
#endif

namespace {

constexpr int Side = 4096;
constexpr int ViewWidth = 1600, ViewHeight = 1000;

TFImage& Document(int bitsPerPixel) {
    static std::unique_ptr<TFImage> grey16, greyFloat;
    auto& slot = bitsPerPixel == 16 ? grey16 : greyFloat;
    if (!slot) {
        slot = std::make_unique<TFImage>();
        slot->CreateGrey(Side, Side, bitsPerPixel, 0, 0);
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x) {
                const unsigned v = (x * 7 + y * 13) & 0xFFFF;
                if (bitsPerPixel == 16)
                    slot->SetGrey16(x, y, static_cast<std::uint16_t>(v));
                else
                    slot->SetGreyFloat(x, y, v / 65535.0f);
            }
        slot->ComputeDataRange();
        slot->RefreshDisplay();
    }
    return *slot;
}

// state.range(0): zoom level index. The viewport sits in the middle of the paint surface.
void BM_PaintViewport(benchmark::State& state) {
    const TFImage& image = Document(16);
    const float factor = ZoomTableFactor(static_cast<int>(state.range(0)));
    const int surfaceW = ZoomedSide(Side, factor), surfaceH = ZoomedSide(Side, factor);
    const int left = std::max(0, (surfaceW - ViewWidth) / 2);
    const int top = std::max(0, (surfaceH - ViewHeight) / 2);
    const TRect visible{left, top, std::min(surfaceW, left + ViewWidth),
                        std::min(surfaceH, top + ViewHeight)};
    std::vector<std::uint32_t> buffer;
#ifdef ZELVANE_HAVE_QT
    QImage window(ViewWidth + 64, ViewHeight + 64, QImage::Format_RGB32);
#endif
    for (auto _ : state) {
        const TPaintRects rects = PaintRectsFor(visible, factor, Side, Side);
        const TRect& d = rects.Destination;
        buffer.resize(static_cast<std::size_t>(d.Width()) * d.Height());
        StretchToRgb32(image.DisplayBitmap, rects.Source, d.Width(), d.Height(), buffer.data(),
                       d.Width());
#ifdef ZELVANE_HAVE_QT
        QPainter painter(&window);
        const QImage picture(reinterpret_cast<const uchar*>(buffer.data()), d.Width(), d.Height(),
                             d.Width() * 4, QImage::Format_RGB32);
        painter.drawImage(QPoint(d.Left - left, d.Top - top), picture);
#endif
        benchmark::DoNotOptimize(buffer.data());
    }
    state.counters["viewport_px"] = static_cast<double>(visible.Width()) * visible.Height();
    state.SetLabel(std::to_string(factor * 100) + "%");
}
BENCHMARK(BM_PaintViewport)->Arg(0)->Arg(6)->Arg(15)->Unit(benchmark::kMillisecond);

void BM_RefreshDisplay(benchmark::State& state) {
    TFImage& image = Document(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        image.RefreshDisplay();
        benchmark::DoNotOptimize(image.DisplayBitmap.Bits());
    }
    state.SetLabel(state.range(0) == 16 ? "Grey16" : "GreyFloat");
}
BENCHMARK(BM_RefreshDisplay)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor: read every sample once and write every display byte once, on one core.
void BM_MemoryPass(benchmark::State& state) {
    TFImage& image = Document(static_cast<int>(state.range(0)));
    const std::size_t rowBytes = static_cast<std::size_t>(Side) * state.range(0) / 8;
    for (auto _ : state) {
        std::uint64_t sum = 0;
        for (int y = 0; y < Side; ++y) {
            const auto* row = reinterpret_cast<const std::uint64_t*>(image.Row(y));
            sum = std::accumulate(row, row + rowBytes / 8, sum);
            std::memset(image.DisplayBitmap.Row(y), static_cast<int>(sum & 0xFF),
                        static_cast<std::size_t>(Side) * 3);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetLabel(state.range(0) == 16 ? "Grey16 read + display write"
                                        : "GreyFloat read + display write");
}
BENCHMARK(BM_MemoryPass)->Arg(16)->Arg(32)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
