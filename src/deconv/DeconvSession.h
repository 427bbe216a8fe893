#pragma once
// The dialog side of a deconvolution tool, free of any toolkit: preview region, preview and
// final runs on a worker thread, progress, cancel, and the result shown or written back. The Qt
// form reads its controls into TDeconvParams and forwards the user's actions here; what the
// main window does comes in through TDeconvHost.
//
//     Show(image)                 when the dialog shows
//     PointerDown / DragTo        on the left preview picture
//     StartPreview / StartFinal   Preview and OK
//     Cancel                      stops a final run, or closes the dialog
//     CanClose / Close            close refused while a run is in progress

#include "core/DisplayBitmap.h"
#include "core/platform/Event.h"
#include "core/platform/UiDispatcher.h"
#include "deconv/DeconvMethod.h"
#include "deconv/DeconvRun.h"

#include <cstdint>
#include <memory>
#include <string>

class TFImage;
class TDeconvolutionThread;

class TDeconvHost {
public:
    virtual ~TDeconvHost() = default;
    // Status text, progress 0 .. 100 and the three buttons changed.
    virtual void StateChanged() {}
    // Both preview pictures show the region again (after Show and dragging).
    virtual void RegionChanged() {}
    // The left picture shows a preview result.
    virtual void PreviewResult(const TDisplayBitmap& /*bitmap*/) {}
    // Just before a final result is written.
    virtual void TakeUndoSnapshot(TFImage& /*image*/) {}
    // The image was written and its display rebuilt: redraw it at the current zoom.
    virtual void ImageChanged() {}
    // After a grey final run of the tools that do it.
    virtual void RecomputeDisplayMode() {}
    // The dialog closes: after a final result (true) or a cancelled run or idle Cancel (false).
    virtual void CloseDialog(bool /*accepted*/) {}
};

struct TPreviewRegion {
    int Left = 0, Top = 0, Right = -1, Bottom = -1;
};

class TDeconvSession : public TMessageTarget {
public:
    static constexpr int kPreviewSide = 256;

    TDeconvSession(TDeconvMethod method, TUiDispatcher& dispatcher, TDeconvHost& host);
    ~TDeconvSession() override;

    void Show(TFImage& image);
    void PointerDown(int x, int y);
    // With the left button held; false when the region cannot move.
    bool DragTo(int x, int y);
    // The region as the pictures show it: 256 x 256 of the display bitmap, fill around.
    TDisplayBitmap RegionPicture(const std::uint8_t fillBgr[3]) const;

    // false when a run is in progress or could not be set up (then Idle again, after a
    // message).
    bool StartPreview(const TDeconvParams& params);
    bool StartFinal(const TDeconvParams& params);
    void Cancel();
    bool CanClose() const { return !previewRunning_ && !finalRunning_; }
    // When the dialog closes: frees the completion event (a run must not be in progress).
    void Close();

    void HandleMessage(int message, std::uint64_t threadId) override;

    TDeconvMethod Method() const { return method_; }
    const TPreviewRegion& Region() const { return region_; }
    bool GreyRun() const { return greyRun_; }
    bool PreviewRunning() const { return previewRunning_; }
    bool FinalRunning() const { return finalRunning_; }
    const std::string& Status() const { return status_; }
    int Progress() const { return progress_; }
    bool PreviewEnabled() const { return previewEnabled_; }
    bool OkEnabled() const { return okEnabled_; }
    bool CancelEnabled() const { return cancelEnabled_; }
    TDeconvolutionThread* Thread() const { return thread_.get(); }
    TNamedEvent* CompletionEvent() const { return completion_.get(); }

private:
    bool Start(const TDeconvParams& params, bool preview);
    void Iterated();
    void PreviewDone();
    void FinalDone();
    void EndThread();
    void SetButtons(bool preview, bool ok, bool cancel);
    void SetStatus(const std::string& text, int progress);

    TDeconvMethod method_;
    TUiDispatcher& dispatcher_;
    TDeconvHost& host_;
    TFImage* image_ = nullptr;
    TPreviewRegion region_;
    int lastX_ = 0, lastY_ = 0;
    bool greyRun_ = false;
    bool previewRunning_ = false, finalRunning_ = false;
    int counter_ = 0, total_ = 0;
    std::string status_ = "Idle";
    int progress_ = 0;
    bool previewEnabled_ = true, okEnabled_ = true, cancelEnabled_ = true;
    TRunPlanes run_; // layout and chrominance planes of the current run
    // The event outlives the thread that waits on it (members go in reverse order).
    std::unique_ptr<TNamedEvent> completion_;
    std::unique_ptr<TDeconvolutionThread> thread_;
};
