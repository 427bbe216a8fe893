#include "adjust/AdjustSession.h"

#include "core/fimage.h"

TAdjustSession::TAdjustSession(const TAdjustProtocol& protocol, TUiDispatcher& dispatcher,
                               TAdjustHost& host)
    : protocol_(protocol), dispatcher_(dispatcher), host_(host) {}

TAdjustSession::~TAdjustSession() {
    ReleaseThreads();
}

void TAdjustSession::ReleaseThreads() {
    if (preview_)
        preview_->Stop();
    if (worker_)
        worker_->Stop();
    preview_.reset();
    worker_.reset();
}

bool TAdjustSession::Open(TFImage& image) {
    if (IsOpen())
        Close(false);
    doneEvent_ = std::make_unique<TNamedEvent>(protocol_.DoneEvent);
    previewEvent_ = std::make_unique<TNamedEvent>(protocol_.PreviewEvent);
    doneEvent_->Reset();
    previewEvent_->Reset();
    busy_ = false;
    info_ = TAdjustImageInfo::Of(image);
    try {
        preview_ = CreatePreviewThread(info_);
    } catch (...) {
        doneEvent_.reset();
        previewEvent_.reset();
        return false;
    }
    image_ = &image;
    preview_->RepaintCallback = [this] { host_.RepaintImageView(); };
    preview_->Connect(*this, protocol_.PreviewPassDone, protocol_.PreviewEnded, *previewEvent_,
                      image.DisplayBitmap);
    CopyImageToPlanes(image, preview_->Planes());
    preview_->Resume();
    return true;
}

void TAdjustSession::StartPreviewPass() {
    if (!preview_ || !previewEvent_)
        return;
    preview_->RequestRestart();
    previewEvent_->Set();
}

bool TAdjustSession::StartWorker(std::unique_ptr<TAdjustWorkerThreadBase> worker) {
    if (!IsOpen() || busy_)
        return false;
    worker_ = std::move(worker);
    worker_->Connect(*this, protocol_.WorkComputed, protocol_.WorkFinished, *doneEvent_);
    worker_->ProgressCallback = [this](int percent) {
        host_.ShowProgress(std::to_string(percent) + "%");
    };
    CopyImageToPlanes(*image_, worker_->Planes());
    host_.TakeUndoSnapshot(*image_);
    busy_ = true;
    worker_->Resume();
    return true;
}

void TAdjustSession::HandleMessage(int message, std::uint64_t threadId) {
    if (message == protocol_.PreviewPassDone) {
        // A pass of an ended preview (after closing) finds no event here and is dropped.
        if (!previewEvent_ || !preview_ || preview_->ThreadId() != threadId)
            return;
        // A change that came after the pass ended keeps the event set, so it is rendered too.
        if (!preview_->RestartRequested())
            previewEvent_->Reset();
    } else if (message == protocol_.WorkComputed) {
        if (!worker_ || worker_->ThreadId() != threadId || !busy_)
            return;
        busy_ = false;
        // A skipped mapping leaves the image exactly as it was: no trip through the clamps.
        if (!worker_->Skipped())
            CopyPlanesToImage(*image_, worker_->Planes());
        doneEvent_->Set();
    } else if (message == protocol_.WorkFinished) {
        if (!worker_ || worker_->ThreadId() != threadId)
            return;
        worker_->WaitFor();
        worker_.reset();
        host_.CloseWithOk();
    }
    // PreviewEnded is posted and ignored.
}

void TAdjustSession::Close(bool accepted) {
    if (!IsOpen())
        return;
    ReleaseThreads();
    busy_ = false;
    TFImage& image = *image_;
    if (accepted) {
        image.ComputeDataRange();
        host_.ResetDisplayMode();
    }
    image.RefreshDisplay();
    host_.RefitImageView();
    doneEvent_.reset();
    previewEvent_.reset();
    image_ = nullptr;
    host_.ShowProgress("");
}
