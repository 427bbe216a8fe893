#include "adjust/AdjustThreads.h"

#include "core/DisplayBitmap.h"
#include "core/Numeric.h"
#include "core/Parallel.h"
#include "core/fimage.h"
#include "core/platform/Event.h"
#include "core/platform/UiDispatcher.h"

#include <algorithm>
#include <exception>

namespace {

// Rows [first, end), over the cores when parallel.
template <class Fn> void ForRows(bool parallel, int first, int end, Fn fn) {
    if (!parallel) {
        fn(first, end);
        return;
    }
    ParallelFor(
        end - first, [&](int a, int b) { fn(first + a, first + b); }, 32);
}

bool ProcessedKind(TImageKind kind) {
    return kind == TImageKind::RGB24 || kind == TImageKind::RGB48 || kind == TImageKind::Grey16 ||
           kind == TImageKind::GreyFloat;
}

} // namespace

TAdjustImageInfo TAdjustImageInfo::Of(const TFImage& image) {
    TAdjustImageInfo info;
    info.Kind = image.Kind();
    info.Width = image.Width;
    info.Height = image.Height;
    info.Grey = image.IsHighPrecisionGrey;
    info.DataMin = image.DataMin;
    info.DataMax = image.DataMax;
    info.DisplayLow = image.DisplayLow;
    info.DisplayHigh = image.DisplayHigh;
    return info;
}

int ApplyPassToPlanes(const TAdjustPass& pass, TAdjustPlanes& planes,
                      const std::function<bool(int)>& afterRows) {
    const int height = planes.Height;
    // Blocks small enough that every tenth of the progress is seen.
    const int block = std::max(16, height / 40);
    int done = 0;
    while (done < height) {
        const int end = std::min(height, done + block);
        ForRows(pass.RowsIndependent(), done, end, [&](int a, int b) {
            for (int y = a; y < b; ++y)
                pass.ApplyRow(planes, y);
        });
        done = end;
        if (afterRows && !afterRows(done))
            break;
    }
    return done;
}

// ---- preview thread ----

TAdjustPreviewThreadBase::TAdjustPreviewThreadBase(const TAdjustImageInfo& info,
                                                   TUiDispatcher& dispatcher)
    : TEngineThread(&dispatcher), info_(info), planes_(info.Width, info.Grey, info.Height) {}

TAdjustPreviewThreadBase::~TAdjustPreviewThreadBase() {
    Stop();
}

void TAdjustPreviewThreadBase::Stop() {
    Terminate();
    if (previewEvent_)
        previewEvent_->Set();
    WaitFor();
}

void TAdjustPreviewThreadBase::Connect(TMessageTarget& dialog, int passDoneMessage,
                                       int endedMessage, TNamedEvent& previewEvent,
                                       TDisplayBitmap& display) {
    dialog_ = &dialog;
    passDoneMessage_ = passDoneMessage;
    endedMessage_ = endedMessage;
    previewEvent_ = &previewEvent;
    display_ = &display;
}

void TAdjustPreviewThreadBase::Execute() {
    while (!Terminated()) {
        previewEvent_->Wait();
        if (Terminated())
            break;
        RunPass();
        Dispatcher()->Post(*dialog_, passDoneMessage_, ThreadId());
        Repaint();
    }
    Dispatcher()->Post(*dialog_, endedMessage_, ThreadId());
}

void TAdjustPreviewThreadBase::Repaint() {
    if (RepaintCallback)
        Synchronize(RepaintCallback);
}

bool TAdjustPreviewThreadBase::RenderBlock(const TAdjustPass& pass, int first, int end) {
    std::atomic<bool> interrupted{false};
    ForRows(pass.RowsIndependent(), first, end, [&](int a, int b) {
        for (int y = a; y < b; ++y) {
            pass.PreviewRow(planes_, y, display_->Row(y));
            if (restart_.load(std::memory_order_relaxed) || Terminated() || interrupted.load()) {
                interrupted.store(true);
                return;
            }
        }
    });
    return !interrupted.load();
}

void TAdjustPreviewThreadBase::RunPass() {
    // A display bitmap of another size would be written out of bounds.
    if (!display_ || display_->Width() != info_.Width || display_->Height() != info_.Height)
        return;
    try {
        restart_.store(false);
        std::unique_ptr<TAdjustPass> pass = BuildPass();
        int row = 0;
        while (pass && row < info_.Height) {
            const int end = std::min(info_.Height, (row / RepaintRows + 1) * RepaintRows);
            RenderBlock(*pass, row, end);
            if (restart_.exchange(false)) {
                pass = BuildPass();
                row = 0;
                Repaint();
                continue;
            }
            row = end;
            if (row % RepaintRows == 0)
                Repaint();
            if (Terminated())
                break;
        }
        passes_.fetch_add(1);
    } catch (...) {
        // A failed pass ends here; the thread keeps serving later changes.
    }
}

// ---- worker ----

TAdjustWorkerThreadBase::TAdjustWorkerThreadBase(const TAdjustImageInfo& info,
                                                 TUiDispatcher& dispatcher)
    : TEngineThread(&dispatcher), info_(info), planes_(info.Width, info.Grey, info.Height) {}

TAdjustWorkerThreadBase::~TAdjustWorkerThreadBase() {
    Stop();
}

void TAdjustWorkerThreadBase::Stop() {
    Terminate();
    if (doneEvent_)
        doneEvent_->Set();
    WaitFor();
}

void TAdjustWorkerThreadBase::Connect(TMessageTarget& dialog, int computedMessage,
                                      int finishedMessage, TNamedEvent& doneEvent) {
    dialog_ = &dialog;
    computedMessage_ = computedMessage;
    finishedMessage_ = finishedMessage;
    doneEvent_ = &doneEvent;
}

int TAdjustWorkerThreadBase::ProgressAfter(int rowsDone) const {
    return static_cast<int>(RoundEven(static_cast<double>(rowsDone) / info_.Height * 100.0));
}

int RowIndexProgress(int rowsDone, int height) {
    return static_cast<int>(RoundEven(static_cast<double>(rowsDone - 1) / height * 100.0));
}

void TAdjustWorkerThreadBase::Execute() {
    try {
        std::unique_ptr<TAdjustPass> pass = BuildPass();
        if (!pass || pass->Identity()) {
            skipped_.store(true);
        } else {
            int shown = -1;
            ApplyPassToPlanes(*pass, planes_, [&](int rowsDone) {
                const int progress = ProgressAfter(rowsDone);
                progress_.store(progress);
                const int tenth = progress - progress % 10;
                if (tenth > shown) {
                    shown = tenth;
                    if (ProgressCallback)
                        Synchronize([&] { ProgressCallback(tenth); });
                }
                return !Terminated();
            });
        }
    } catch (...) {
        // Rows not reached keep the image's values; they are written back all the same.
    }
    Dispatcher()->Post(*dialog_, computedMessage_, ThreadId());
    doneEvent_->Wait();
    Dispatcher()->Post(*dialog_, finishedMessage_, ThreadId());
}

// ---- the whole apply on the calling thread ----

int ApplyAdjustment(
    TFImage& image,
    const std::function<std::unique_ptr<TAdjustPass>(const TAdjustImageInfo&)>& buildPass) {
    if (image.Empty() || !ProcessedKind(image.Kind()))
        return -1;
    try {
        const TAdjustImageInfo info = TAdjustImageInfo::Of(image);
        TAdjustPlanes planes(info.Width, info.Grey, info.Height);
        CopyImageToPlanes(image, planes);
        std::unique_ptr<TAdjustPass> pass = buildPass(info);
        if (pass && !pass->Identity()) {
            ApplyPassToPlanes(*pass, planes);
            CopyPlanesToImage(image, planes);
        }
        image.ComputeDataRange();
        image.RefreshDisplay();
        return 0;
    } catch (...) {
        return -1;
    }
}
