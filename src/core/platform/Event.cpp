#include "core/platform/Event.h"

#include <chrono>
#include <utility>

TNamedEvent::TNamedEvent(std::string name, bool initiallySet)
    : name_(std::move(name)), set_(initiallySet) {}

void TNamedEvent::Set() {
    {
        std::lock_guard lock(mutex_);
        set_ = true;
    }
    changed_.notify_all();
}

void TNamedEvent::Reset() {
    std::lock_guard lock(mutex_);
    set_ = false;
}

bool TNamedEvent::IsSet() const {
    std::lock_guard lock(mutex_);
    return set_;
}

void TNamedEvent::Wait() const {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return set_; });
}

bool TNamedEvent::WaitFor(unsigned milliseconds) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                             [this] { return set_; });
}
