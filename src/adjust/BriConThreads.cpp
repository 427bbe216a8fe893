#include "adjust/BriConThreads.h"

#include "adjust/Statistics.h"
#include "core/DisplayBitmap.h"
#include "core/Numeric.h"
#include "core/Parallel.h"
#include "core/fimage.h"
#include "core/platform/UiDispatcher.h"

#include <algorithm>

namespace {

constexpr int PreviewBlockRows = 128;

} // namespace

// ---- preview ----

TUpdateThread::TUpdateThread(TFImage& image, TUiDispatcher& dispatcher)
    : TEngineThread(&dispatcher), image_(image) {}

TUpdateThread::~TUpdateThread() {
    Stop();
}

void TUpdateThread::Trigger(std::shared_ptr<const TBriConMapping> mapping, int firstRow,
                            int lastRow) {
    {
        std::lock_guard lock(mutex_);
        next_ = std::move(mapping);
        first_ = firstRow;
        last_ = lastRow;
        pending_ = true;
    }
    restart_.store(true);
    wake_.notify_all();
}

void TUpdateThread::Stop() {
    Terminate();
    {
        std::lock_guard lock(mutex_); // orders the flag before a waiter's check
    }
    wake_.notify_all();
    WaitFor();
}

std::shared_ptr<const TBriConMapping> TUpdateThread::Take() {
    std::lock_guard lock(mutex_);
    pending_ = false;
    restart_.store(false);
    passFirst_ = std::max(0, first_);
    passLast_ = std::min(image_.Height - 1, last_);
    return next_;
}

void TUpdateThread::Execute() {
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return pending_ || Terminated(); });
        }
        if (Terminated())
            break;
        try {
            RunPass();
        } catch (...) {
            // The pass ends; later changes are still served.
        }
        if (Terminated())
            break;
        if (EndOfPassCallback)
            Synchronize(EndOfPassCallback);
    }
}

void TUpdateThread::RunPass() {
    TDisplayBitmap& display = image_.DisplayBitmap;
    if (display.Width() != image_.Width || display.Height() != image_.Height)
        return;
    std::shared_ptr<const TBriConMapping> mapping = Take();
    int row = passFirst_;
    while (mapping && mapping->Valid() && row <= passLast_) {
        const int end = std::min(passLast_ + 1, row + PreviewBlockRows);
        ParallelFor(
            end - row,
            [&](int a, int b) {
                for (int y = row + a; y < row + b; ++y) {
                    mapping->PreviewRow(image_, y, display.Row(y));
                    if (restart_.load(std::memory_order_relaxed) || Terminated())
                        return;
                }
            },
            32);
        if (Terminated())
            return;
        if (restart_.load()) {
            mapping = Take();
            row = passFirst_;
            continue;
        }
        row = end;
    }
    passes_.fetch_add(1);
}

// ---- worker ----

TBriConThread::TBriConThread(TFImage& image, std::shared_ptr<const TBriConMapping> mapping,
                             int firstRow, int lastRow, TUiDispatcher& dispatcher)
    : TEngineThread(&dispatcher), image_(image), mapping_(std::move(mapping)), first_(firstRow),
      last_(lastRow) {}

TBriConThread::~TBriConThread() {
    Terminate();
    WaitFor();
}

void TBriConThread::Execute() {
    int shown = -1;
    try {
        ApplyBriConRows(*mapping_, image_, first_, last_, [&](int row) {
            // A single row has no fraction to show: it is all done.
            const int progress =
                last_ <= 0 ? 100
                           : static_cast<int>(RoundEven(static_cast<double>(row) / last_ * 100.0));
            progress_.store(progress);
            const int tenth = progress - progress % 10;
            if (tenth > shown) {
                shown = tenth;
                if (ProgressCallback)
                    Synchronize([&] { ProgressCallback(std::to_string(tenth) + "%"); });
            }
            return !Terminated();
        });
    } catch (...) {
        // Rows not reached keep their values.
    }
    if (ProgressCallback)
        Synchronize([&] { ProgressCallback(""); });
}

// ---- dialog side ----

TBriConSession::TBriConSession(TUiDispatcher& dispatcher, TAdjustHost& host)
    : dispatcher_(dispatcher), host_(host) {}

TBriConSession::~TBriConSession() {
    preview_.reset();
}

void TBriConSession::Open(TFImage& image) {
    if (IsOpen())
        Close();
    image_ = &image;
    mean_ = ImageMean(image);
    closing_ = 0;
    preview_ = std::make_unique<TUpdateThread>(image, dispatcher_);
    preview_->EndOfPassCallback = [this] { host_.RepaintImageView(); };
    preview_->Resume();
}

void TBriConSession::UpdatePreview(const TBriConParams& params, bool previewChecked) {
    if (closing_ > 0 || !previewChecked || !preview_ || !image_)
        return;
    auto mapping = std::make_shared<const TBriConMapping>(*image_, mean_, params);
    ++tablesBuilt_;
    preview_->Trigger(std::move(mapping), 0, image_->Height - 1);
}

void TBriConSession::EndPreview() {
    if (!preview_)
        return;
    preview_->Stop();
    preview_.reset();
    ++closing_;
}

void TBriConSession::Apply(const TBriConParams& params) {
    if (!image_)
        return;
    TFImage& image = *image_;
    // The preview would read pixels while the worker rewrites them; the dialog closes after the
    // apply anyway, so the preview ends here.
    EndPreview();
    host_.TakeUndoSnapshot(image);
    auto mapping = std::make_shared<const TBriConMapping>(image, mean_, params);
    ++tablesBuilt_;
    {
        TBriConThread worker(image, std::move(mapping), 0, image.Height - 1, dispatcher_);
        worker.ProgressCallback = [this](const std::string& text) { host_.ShowProgress(text); };
        worker.Resume();
        worker.WaitFor();
    }
    if (image.IsHighPrecisionGrey) {
        image.ComputeDataRange();
        host_.ResetDisplayMode();
        image.RefreshDisplay();
    }
    host_.CloseWithOk();
}

void TBriConSession::Close() {
    if (!image_)
        return;
    EndPreview();
    image_->RefreshDisplay();
    host_.RefitImageView();
    image_ = nullptr;
}
