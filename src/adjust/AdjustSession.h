#pragma once
// The dialog side of an adjustment tool, free of any toolkit: it owns the two events and the
// threads, and runs opening, preview updates, apply, write-back and closing. The Qt form reads
// its controls into the tool's parameters and calls these; the main window's part (repaint,
// progress panel, undo, display-mode window) comes in through TAdjustHost.
//
//     Open(image)              when the dialog shows; then UpdatePreview(params, previewChecked)
//     UpdatePreview(...)       on every parameter change, Reset and the Preview box
//     Apply(params)            on OK; the session then writes back when WorkComputed arrives and
//                              calls host.CloseWithOk() on WorkFinished
//     CanClose()               false while an apply is running
//     Close(accepted)          when the dialog closes, after OK or Cancel

#include "adjust/AdjustThreads.h"
#include "core/platform/Event.h"
#include "core/platform/UiDispatcher.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class TFImage;

// Event names and message numbers of one tool (WM_USER-based numbers, private to the dialog).
struct TAdjustProtocol {
    const char* DoneEvent;
    const char* PreviewEvent;
    int PreviewPassDone;
    int PreviewEnded;
    int WorkComputed;
    int WorkFinished;
};

// What the application does for a session; every call comes on the UI thread.
class TAdjustHost {
public:
    virtual ~TAdjustHost() = default;
    // Repaints the main window's image view (during and after preview passes).
    virtual void RepaintImageView() {}
    // The progress panel of the status bar: "<n>%", or "" when done.
    virtual void ShowProgress(const std::string& /*text*/) {}
    // The undo snapshot, taken just before the worker starts.
    virtual void TakeUndoSnapshot(TFImage& /*image*/) {}
    // The result has been written back: the dialog closes with OK.
    virtual void CloseWithOk() {}
    // After an accepted apply: the display-mode window goes to "Min and Max" without applying
    // it, and recomputes.
    virtual void ResetDisplayMode() {}
    // The display was rebuilt: re-fit the image view to the image at the current zoom, refresh.
    virtual void RefitImageView() {}
};

// A host made of callbacks: the dialog fills Ok, the main window's registration the rest.
struct TAdjustHooks : TAdjustHost {
    std::function<void()> Repaint, Ok, DisplayModeReset, Refit;
    std::function<void(const std::string&)> Progress;
    std::function<void(TFImage&)> Undo;
    void RepaintImageView() override { Call(Repaint); }
    void ShowProgress(const std::string& text) override {
        if (Progress)
            Progress(text);
    }
    void TakeUndoSnapshot(TFImage& image) override {
        if (Undo)
            Undo(image);
    }
    void CloseWithOk() override { Call(Ok); }
    void ResetDisplayMode() override { Call(DisplayModeReset); }
    void RefitImageView() override { Call(Refit); }

private:
    static void Call(const std::function<void()>& fn) {
        if (fn)
            fn();
    }
};

class TAdjustSession : public TMessageTarget {
public:
    TAdjustSession(const TAdjustProtocol& protocol, TUiDispatcher& dispatcher, TAdjustHost& host);
    ~TAdjustSession() override;

    // Events, preview thread and its plane; false (nothing left open) when memory ran out.
    bool Open(TFImage& image);
    bool IsOpen() const { return image_ != nullptr; }
    bool Busy() const { return busy_; }
    bool CanClose() const { return !busy_; }
    // Ends the preview, and after an accepted apply recomputes the data range; rebuilds the
    // display in every case and frees the events.
    void Close(bool accepted);

    void HandleMessage(int message, std::uint64_t threadId) override;

    const TAdjustProtocol& Protocol() const { return protocol_; }
    TAdjustPreviewThreadBase* PreviewThread() const { return preview_.get(); }
    TAdjustWorkerThreadBase* Worker() const { return worker_.get(); }
    TNamedEvent* PreviewEvent() const { return previewEvent_.get(); }

protected:
    virtual std::unique_ptr<TAdjustPreviewThreadBase>
    CreatePreviewThread(const TAdjustImageInfo& info) = 0;
    // Sets the restart flag and the preview event.
    void StartPreviewPass();
    // Apply after the parameters are in the worker: planes, undo snapshot, Busy, resume.
    bool StartWorker(std::unique_ptr<TAdjustWorkerThreadBase> worker);
    TUiDispatcher& Dispatcher() const { return dispatcher_; }
    const TAdjustImageInfo& Info() const { return info_; }

private:
    void ReleaseThreads();

    TAdjustProtocol protocol_;
    TUiDispatcher& dispatcher_;
    TAdjustHost& host_;
    TFImage* image_ = nullptr;
    TAdjustImageInfo info_;
    bool busy_ = false;
    // The events outlive the threads that wait on them (members go in reverse order).
    std::unique_ptr<TNamedEvent> doneEvent_;
    std::unique_ptr<TNamedEvent> previewEvent_;
    std::unique_ptr<TAdjustPreviewThreadBase> preview_;
    std::unique_ptr<TAdjustWorkerThreadBase> worker_;
};

// The session of one tool: TTool gives TParams and BuildPass (AdjustPass.h).
template <class TTool, class TPreview = TAdjustPreviewThread<TTool>,
          class TWorker = TAdjustWorkerThread<TTool>>
class TAdjustToolSession : public TAdjustSession {
public:
    using TParams = typename TTool::TParams;
    using TAdjustSession::TAdjustSession;

    // Nothing while Preview is unchecked; otherwise the thread renders these parameters.
    void UpdatePreview(const TParams& params, bool previewChecked) {
        auto* preview = static_cast<TPreview*>(PreviewThread());
        if (!previewChecked || !preview)
            return;
        preview->SetParameters(params);
        StartPreviewPass();
    }
    // false when the worker could not be created (no memory); the dialog stays as it was.
    bool Apply(const TParams& params) {
        if (!IsOpen() || Busy())
            return false;
        try {
            auto worker = std::make_unique<TWorker>(Info(), Dispatcher());
            worker->Params = params;
            return StartWorker(std::move(worker));
        } catch (...) {
            return false;
        }
    }

protected:
    std::unique_ptr<TAdjustPreviewThreadBase>
    CreatePreviewThread(const TAdjustImageInfo& info) override {
        return std::make_unique<TPreview>(info, Dispatcher());
    }
};
