#pragma once
// What the three deconvolution iterations share: how they talk to the thread that runs them, and
// how they end.

class TIterationControl {
public:
    virtual ~TIterationControl() = default;
    // Read once per iteration.
    virtual bool TerminateRequested() = 0;
    // After each iteration's update; returns when the progress report has been shown.
    virtual void IterationDone() = 0;
};

enum class TIterationResult {
    Completed,  // every iteration ran; the data plane holds the result
    Terminated, // stopped on request; the data plane holds what the method leaves then
    Failed      // a fault ended the body; the data plane holds what it held at that moment
};
