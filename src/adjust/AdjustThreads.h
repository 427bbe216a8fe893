#pragma once
// The preview thread and the worker thread of the adjustment tools. Both own a private plane copy
// of the image and run a tool's pass (AdjustPass.h) over it:
//
// - the preview thread waits for the preview event, renders a pass into the display bitmap (rows
//   in blocks of 500, each block split over the cores, the restart flag polled per row), posts
//   PreviewPassDone and repaints synchronously; it repaints every 500 rows and at each restart;
// - the worker maps the whole plane once, reporting progress in steps of ten percent through a
//   synchronous call, posts WorkComputed, waits for the done event (the dialog copies the plane
//   back meanwhile) and posts WorkFinished.
//
// Message numbers and events come from the dialog (AdjustSession.h).

#include "adjust/AdjustPass.h"
#include "adjust/ImagePlanes.h"
#include "core/platform/EngineThread.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class TDisplayBitmap;
class TMessageTarget;
class TNamedEvent;
class TUiDispatcher;

// Maps every row of the planes with the pass; after each block of rows calls afterRows(rows
// done), which returns false to stop. Rows run on both cores when the pass allows it. Returns the
// number of rows mapped.
int ApplyPassToPlanes(const TAdjustPass& pass, TAdjustPlanes& planes,
                      const std::function<bool(int)>& afterRows = {});

class TAdjustPreviewThreadBase : public TEngineThread {
public:
    static constexpr int RepaintRows = 500;

    // Allocates the plane (std::bad_alloc when there is no memory); created suspended.
    TAdjustPreviewThreadBase(const TAdjustImageInfo& info, TUiDispatcher& dispatcher);
    ~TAdjustPreviewThreadBase() override;

    // Where the thread draws and reports; set before Resume.
    void Connect(TMessageTarget& dialog, int passDoneMessage, int endedMessage,
                 TNamedEvent& previewEvent, TDisplayBitmap& display);
    // Run on the UI thread (and waited for) every 500 rows and after each pass.
    std::function<void()> RepaintCallback;

    TAdjustPlanes& Planes() { return planes_; }
    const TAdjustImageInfo& Info() const { return info_; }
    int Width() const { return info_.Width; }
    int Height() const { return info_.Height; }
    bool Grey() const { return info_.Grey; }

    // Raises the terminate flag, wakes the thread and waits for its end (serving its synchronous
    // calls). Derived classes call it in their destructors, before their own members go.
    void Stop();

    void RequestRestart() { restart_.store(true); }
    bool RestartRequested() const { return restart_.load(); }
    // Passes run to their end (restarts included), for tests and diagnostics.
    int PassesCompleted() const { return passes_.load(); }

protected:
    // The pass for the parameters as they are now (null: nothing to draw).
    virtual std::unique_ptr<TAdjustPass> BuildPass() = 0;
    void Execute() override;

private:
    void RunPass();
    bool RenderBlock(const TAdjustPass& pass, int first, int end);
    void Repaint();

    TAdjustImageInfo info_;
    TAdjustPlanes planes_;
    TMessageTarget* dialog_ = nullptr;
    int passDoneMessage_ = 0;
    int endedMessage_ = 0;
    TNamedEvent* previewEvent_ = nullptr;
    TDisplayBitmap* display_ = nullptr;
    std::atomic<bool> restart_{false};
    std::atomic<int> passes_{0};
};

class TAdjustWorkerThreadBase : public TEngineThread {
public:
    TAdjustWorkerThreadBase(const TAdjustImageInfo& info, TUiDispatcher& dispatcher);
    ~TAdjustWorkerThreadBase() override;

    void Connect(TMessageTarget& dialog, int computedMessage, int finishedMessage,
                 TNamedEvent& doneEvent);
    // Run on the UI thread (and waited for) with the percentage whenever it reaches a new
    // multiple of ten.
    std::function<void(int)> ProgressCallback;

    TAdjustPlanes& Planes() { return planes_; }
    const TAdjustImageInfo& Info() const { return info_; }
    // The mapping was undefined: the plane still holds the image and must not be written back.
    bool Skipped() const { return skipped_.load(); }
    // As the preview thread's Stop; the done event is set so that a waiting worker ends.
    void Stop();
    int Progress() const { return progress_.load(); }

protected:
    virtual std::unique_ptr<TAdjustPass> BuildPass() = 0;
    // Percentage after rowsDone rows; the tools differ in which row count they report.
    virtual int ProgressAfter(int rowsDone) const;
    void Execute() override;

private:
    TAdjustImageInfo info_;
    TAdjustPlanes planes_;
    TMessageTarget* dialog_ = nullptr;
    int computedMessage_ = 0;
    int finishedMessage_ = 0;
    TNamedEvent* doneEvent_ = nullptr;
    std::atomic<bool> skipped_{false};
    std::atomic<int> progress_{0};
};

// A tool's preview thread: parameters are written by the dialog at any time and taken by the
// thread when a pass starts or restarts.
template <class TTool> class TAdjustPreviewThread : public TAdjustPreviewThreadBase {
public:
    using TParams = typename TTool::TParams;
    using TAdjustPreviewThreadBase::TAdjustPreviewThreadBase;
    ~TAdjustPreviewThread() override { Stop(); }
    void SetParameters(const TParams& params) {
        std::lock_guard lock(mutex_);
        params_ = params;
    }
    TParams Parameters() const {
        std::lock_guard lock(mutex_);
        return params_;
    }

protected:
    std::unique_ptr<TAdjustPass> BuildPass() override {
        return TTool::BuildPass(Parameters(), Info());
    }

private:
    mutable std::mutex mutex_;
    TParams params_{};
};

// A tool's worker: parameters are written once, before Resume.
template <class TTool> class TAdjustWorkerThread : public TAdjustWorkerThreadBase {
public:
    using TParams = typename TTool::TParams;
    using TAdjustWorkerThreadBase::TAdjustWorkerThreadBase;
    ~TAdjustWorkerThread() override { Stop(); }
    TParams Params{};

protected:
    std::unique_ptr<TAdjustPass> BuildPass() override { return TTool::BuildPass(Params, Info()); }
};

// Progress counted by the index of the row just completed (0 after the first row).
int RowIndexProgress(int rowsDone, int height);

// A worker of the tools that report progress by that index.
template <class TTool> class TAdjustRowIndexWorkerThread : public TAdjustWorkerThread<TTool> {
public:
    using TAdjustWorkerThread<TTool>::TAdjustWorkerThread;

protected:
    int ProgressAfter(int rowsDone) const override {
        return RowIndexProgress(rowsDone, this->Info().Height);
    }
};

// The whole apply of a tool on the calling thread, as the dialog's OK does it: planes, pass,
// clamped write-back (skipped when the mapping is undefined), data range. The batch commands use
// it. 0, or -1 when the image is of a kind the tools do not process or memory ran out.
int ApplyAdjustment(
    TFImage& image,
    const std::function<std::unique_ptr<TAdjustPass>(const TAdjustImageInfo&)>& buildPass);
template <class TTool> int ApplyAdjustment(TFImage& image, const typename TTool::TParams& params) {
    return ApplyAdjustment(
        image, [&](const TAdjustImageInfo& info) { return TTool::BuildPass(params, info); });
}
