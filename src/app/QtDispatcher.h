#pragma once
// The engine's UI dispatcher on Qt: posted messages and synchronous-call wake-ups travel as
// queued calls through the application's event loop, so they run on the GUI thread in order.

#include "core/platform/UiDispatcher.h"

#include <thread>

class TQtDispatcher : public TUiDispatcher {
public:
    // Create on the GUI thread, after the QApplication.
    TQtDispatcher();
    void Post(TMessageTarget& target, int message, std::uint64_t threadId) override;
    bool IsUiThread() const override;

protected:
    void WakeUi() override;

private:
    std::thread::id uiThread_;
};
