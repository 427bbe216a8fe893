#include "deconv/DeconvSession.h"

#include "core/DataContainer.h"
#include "core/Messages.h"
#include "core/Numeric.h"
#include "core/fimage.h"
#include "deconv/DeconvolutionThread.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

std::unique_ptr<TDeconvolutionThread> CreateThread(TDeconvMethod method, int width, int height,
                                                   TUiDispatcher& dispatcher,
                                                   const TDeconvParams& params) {
    switch (method) {
    case TDeconvMethod::LucyRichardson: {
        auto thread = std::make_unique<TLucyRichardsonThread>(width, height, &dispatcher);
        thread->Aggressive = params.Aggressive;
        return thread;
    }
    case TDeconvMethod::VanCittert:
        return std::make_unique<TVanCittertThread>(width, height, &dispatcher);
    case TDeconvMethod::MaxEnt:
        break;
    }
    return std::make_unique<TMaxEntThread>(width, height, &dispatcher);
}

// One axis of a dragged region: start moved by delta, kept inside the image.
int MoveAxis(int start, int delta, int side) {
    return std::clamp(start + delta, 0, std::max(0, side - TDeconvSession::kPreviewSide));
}

} // namespace

TDeconvSession::TDeconvSession(TDeconvMethod method, TUiDispatcher& dispatcher, TDeconvHost& host)
    : method_(method), dispatcher_(dispatcher), host_(host) {}

TDeconvSession::~TDeconvSession() {
    thread_.reset(); // releases and joins a worker still waiting
}

void TDeconvSession::Show(TFImage& image) {
    image_ = &image;
    previewRunning_ = finalRunning_ = false;
    SetButtons(true, true, true);
    SetStatus("Idle", 0);
    region_.Left = region_.Top = 0;
    region_.Right = std::min(image.Width, kPreviewSide) - 1;
    region_.Bottom = std::min(image.Height, kPreviewSide) - 1;
    lastX_ = lastY_ = 0;
    if (!completion_)
        completion_ = std::make_unique<TNamedEvent>("ZVAllDone");
    completion_->Reset();
    greyRun_ = image.IsHighPrecisionGrey;
    host_.RegionChanged();
}

void TDeconvSession::PointerDown(int x, int y) {
    lastX_ = x;
    lastY_ = y;
}

bool TDeconvSession::DragTo(int x, int y) {
    if (!image_ || (image_->Width < kPreviewSide - 1 && image_->Height < kPreviewSide - 1))
        return false;
    region_.Left = MoveAxis(region_.Left, lastX_ - x, image_->Width);
    region_.Top = MoveAxis(region_.Top, lastY_ - y, image_->Height);
    region_.Right = region_.Left + std::min(image_->Width, kPreviewSide) - 1;
    region_.Bottom = region_.Top + std::min(image_->Height, kPreviewSide) - 1;
    lastX_ = x;
    lastY_ = y;
    host_.RegionChanged();
    return true;
}

TDisplayBitmap TDeconvSession::RegionPicture(const std::uint8_t fillBgr[3]) const {
    TDisplayBitmap picture;
    picture.SetSize(kPreviewSide, kPreviewSide);
    for (int y = 0; y < kPreviewSide; ++y) {
        std::uint8_t* row = picture.Row(y);
        for (int x = 0; x < kPreviewSide; ++x)
            std::memcpy(row + 3 * x, fillBgr, 3);
    }
    if (!image_)
        return picture;
    const TDisplayBitmap& display = image_->DisplayBitmap;
    const int w =
        std::min({region_.Right - region_.Left + 1, display.Width() - region_.Left, kPreviewSide});
    const int h =
        std::min({region_.Bottom - region_.Top + 1, display.Height() - region_.Top, kPreviewSide});
    for (int y = 0; y < h; ++y)
        std::memcpy(picture.Row(y), display.Row(region_.Top + y) + 3 * region_.Left,
                    3 * static_cast<std::size_t>(std::max(w, 0)));
    return picture;
}

bool TDeconvSession::StartPreview(const TDeconvParams& params) {
    return Start(params, true);
}

bool TDeconvSession::StartFinal(const TDeconvParams& params) {
    return Start(params, false);
}

bool TDeconvSession::Start(const TDeconvParams& requested, bool preview) {
    if (!image_ || !completion_ || previewRunning_ || finalRunning_)
        return false;
    const TDeconvParams params = ClampParams(method_, requested);
    if (preview)
        SetButtons(false, false, false);
    else
        SetButtons(false, false, true);
    (preview ? previewRunning_ : finalRunning_) = true;
    completion_->Reset();
    counter_ = 0;
    SetStatus("Starting...", progress_);
    TRunPlanes planes;
    const int prepared = preview
                             ? PreparePreviewRun(*image_, region_.Left, region_.Top, params, planes)
                             : PrepareFinalRun(*image_, params, planes);
    std::unique_ptr<TDeconvolutionThread> thread;
    if (prepared == 0) {
        try {
            thread = CreateThread(method_, planes.Layout.PlaneWidth, planes.Layout.PlaneHeight,
                                  dispatcher_, params);
        } catch (const std::bad_alloc&) {
            ShowError("There is not enough memory to deconvolve this image.");
        }
    }
    if (!thread) {
        previewRunning_ = finalRunning_ = false;
        SetButtons(true, true, true);
        SetStatus("Idle", 0);
        return false;
    }
    thread->DataPlane = std::move(planes.Data);
    thread->PsfPlane = std::move(planes.Psf);
    thread->Iterations = params.Iterations;
    thread->OnIteration = [this] { Iterated(); };
    const TDeconvMethodInfo& info = MethodInfo(method_);
    thread->SetReporting(this, info.DoneMessage, info.CancelMessage, completion_.get());
    run_ = std::move(planes);
    total_ = params.Iterations;
    thread_ = std::move(thread);
    thread_->Resume();
    return true;
}

void TDeconvSession::Iterated() {
    ++counter_;
    if (counter_ >= total_)
        SetStatus("Idle", 0);
    else
        SetStatus("Iteration: " + std::to_string(counter_),
                  static_cast<int>(RoundEven(100.0 * counter_ / total_)));
}

void TDeconvSession::HandleMessage(int message, std::uint64_t threadId) {
    // Only this dialog's own worker counts.
    if (!thread_ || threadId != thread_->ThreadId())
        return;
    const TDeconvMethodInfo& info = MethodInfo(method_);
    if (message == info.DoneMessage) {
        if (previewRunning_)
            PreviewDone();
        else
            FinalDone();
    } else if (message == info.CancelMessage) {
        previewRunning_ = finalRunning_ = false;
        EndThread();
        SetButtons(true, true, true);
        SetStatus("Idle", 0);
        host_.CloseDialog(false);
    }
}

void TDeconvSession::PreviewDone() {
    previewRunning_ = false;
    run_.Data = std::move(thread_->DataPlane); // the worker waits for the event meanwhile
    TDisplayBitmap bitmap;
    RenderPreviewResult(*image_, run_, bitmap);
    host_.PreviewResult(bitmap);
    SetButtons(true, true, true);
    completion_->Set();
    EndThread();
}

void TDeconvSession::FinalDone() {
    host_.TakeUndoSnapshot(*image_);
    run_.Data = std::move(thread_->DataPlane);
    WriteFinalResult(*image_, run_);
    image_->RefreshDisplay();
    host_.ImageChanged();
    SetButtons(true, true, true);
    finalRunning_ = false;
    completion_->Set();
    EndThread();
    if (greyRun_ && MethodInfo(method_).RecomputeDisplayMode)
        host_.RecomputeDisplayMode();
    host_.CloseDialog(true);
}

void TDeconvSession::EndThread() {
    thread_.reset();
    run_ = TRunPlanes();
}

void TDeconvSession::Cancel() {
    if (previewRunning_ || finalRunning_) {
        SetButtons(previewEnabled_, okEnabled_, false);
        if (thread_)
            thread_->Terminate();
        SetStatus("Stopping - please wait...", progress_);
        return;
    }
    host_.CloseDialog(false);
}

void TDeconvSession::Close() {
    if (!CanClose())
        return;
    thread_.reset();
    completion_.reset();
    image_ = nullptr;
}

void TDeconvSession::SetButtons(bool preview, bool ok, bool cancel) {
    previewEnabled_ = preview;
    okEnabled_ = ok;
    cancelEnabled_ = cancel;
    host_.StateChanged();
}

void TDeconvSession::SetStatus(const std::string& text, int progress) {
    status_ = text;
    progress_ = progress;
    host_.StateChanged();
}
