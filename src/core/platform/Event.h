#pragma once
// Manual-reset event, private to the process; the name is kept for diagnostics.

#include <condition_variable>
#include <mutex>
#include <string>

class TNamedEvent {
public:
    explicit TNamedEvent(std::string name, bool initiallySet = false);
    void Set();
    void Reset();
    bool IsSet() const;
    void Wait() const;
    // true if the event was set within the time
    bool WaitFor(unsigned milliseconds) const;
    const std::string& Name() const { return name_; }

private:
    std::string name_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool set_;
};
