#include "deconv/DeconvolutionThread.h"

#include "core/DataContainer.h"
#include "core/platform/Event.h"
#include "core/platform/UiDispatcher.h"
#include "deconv/LucyRichardson.h"
#include "deconv/MaxEnt.h"
#include "deconv/VanCittert.h"

namespace {

class TThreadControl : public TIterationControl {
public:
    TThreadControl(std::function<bool()> terminated, std::function<void()> iterated)
        : terminated_(std::move(terminated)), iterated_(std::move(iterated)) {}
    bool TerminateRequested() override { return terminated_(); }
    void IterationDone() override { iterated_(); }

private:
    std::function<bool()> terminated_;
    std::function<void()> iterated_;
};

} // namespace

TDeconvolutionThread::TDeconvolutionThread(int width, int height, TUiDispatcher* dispatcher)
    : TEngineThread(dispatcher), DataPlane(std::make_unique<TDataContainer>(width, height)),
      PsfPlane(std::make_unique<TDataContainer>(width, height)) {}

TDeconvolutionThread::~TDeconvolutionThread() {
    Stop();
}

void TDeconvolutionThread::Stop() {
    Terminate();
    if (completion_)
        completion_->Set();
    WaitFor();
}

void TDeconvolutionThread::SetReporting(TMessageTarget* target, int doneMessage, int cancelMessage,
                                        TNamedEvent* completion) {
    target_ = target;
    doneMessage_ = doneMessage;
    cancelMessage_ = cancelMessage;
    completion_ = completion;
}

void TDeconvolutionThread::Execute() {
    TThreadControl control([this] { return Terminated(); },
                           [this] {
                               if (OnIteration)
                                   Synchronize(OnIteration);
                           });
    result_ = Iterate(control);
    if (!target_ || !Dispatcher())
        return;
    if (Terminated()) {
        Dispatcher()->Post(*target_, cancelMessage_, ThreadId());
        return;
    }
    Dispatcher()->Post(*target_, doneMessage_, ThreadId());
    if (completion_)
        completion_->Wait();
}

// Each derived destructor waits for Execute, which calls its Iterate.
TLucyRichardsonThread::~TLucyRichardsonThread() {
    Stop();
}
TIterationResult TLucyRichardsonThread::Iterate(TIterationControl& control) {
    return LucyRichardsonIterate(*DataPlane, *PsfPlane, Iterations, Aggressive, &control);
}

TVanCittertThread::~TVanCittertThread() {
    Stop();
}
TIterationResult TVanCittertThread::Iterate(TIterationControl& control) {
    return VanCittertIterate(*DataPlane, *PsfPlane, Iterations, &control);
}

TMaxEntThread::~TMaxEntThread() {
    Stop();
}
TIterationResult TMaxEntThread::Iterate(TIterationControl& control) {
    return MaxEntIterate(*DataPlane, *PsfPlane, Iterations, &control);
}
