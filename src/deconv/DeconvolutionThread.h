#pragma once
// The worker of one deconvolution run. It iterates on its two planes, reports each iteration
// synchronously, then posts the completion (or, after a terminate request, the cancellation)
// message to its dialog and, once completed, waits until that dialog has taken the result and
// sets the completion event.

#include "core/platform/EngineThread.h"
#include "deconv/Iteration.h"

#include <functional>
#include <memory>

class TDataContainer;
class TMessageTarget;
class TNamedEvent;

class TDeconvolutionThread : public TEngineThread {
public:
    // Both planes width x height, zero; std::bad_alloc when there is no memory.
    TDeconvolutionThread(int width, int height, TUiDispatcher* dispatcher);
    // Releases a thread still waiting for its dialog, then waits for it to end.
    ~TDeconvolutionThread() override;

    std::unique_ptr<TDataContainer> DataPlane; // observed plane in, deconvolved plane out
    std::unique_ptr<TDataContainer> PsfPlane;  // the wrapped PSF; transformed in place
    int Iterations = 0;
    std::function<void()> OnIteration; // on the UI thread after each iteration; may be empty

    // Where the end is reported. Without a target the thread just ends.
    void SetReporting(TMessageTarget* target, int doneMessage, int cancelMessage,
                      TNamedEvent* completion);
    // How the iteration ended; read after the completion message.
    TIterationResult Result() const { return result_; }

protected:
    void Execute() override;
    virtual TIterationResult Iterate(TIterationControl& control) = 0;
    // Terminate request, release from the completion wait, join. Every derived destructor calls
    // it, since Execute runs the derived Iterate.
    void Stop();

private:
    TMessageTarget* target_ = nullptr;
    int doneMessage_ = 0;
    int cancelMessage_ = 0;
    TNamedEvent* completion_ = nullptr;
    TIterationResult result_ = TIterationResult::Failed;
};

class TLucyRichardsonThread : public TDeconvolutionThread {
public:
    using TDeconvolutionThread::TDeconvolutionThread;
    ~TLucyRichardsonThread() override;
    bool Aggressive = true;

protected:
    TIterationResult Iterate(TIterationControl& control) override;
};

class TVanCittertThread : public TDeconvolutionThread {
public:
    using TDeconvolutionThread::TDeconvolutionThread;
    ~TVanCittertThread() override;

protected:
    TIterationResult Iterate(TIterationControl& control) override;
};

class TMaxEntThread : public TDeconvolutionThread {
public:
    using TDeconvolutionThread::TDeconvolutionThread;
    ~TMaxEntThread() override;

protected:
    TIterationResult Iterate(TIterationControl& control) override;
};
