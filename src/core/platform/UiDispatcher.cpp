#include "core/platform/UiDispatcher.h"

#include "core/platform/EngineThread.h"

#include <algorithm>
#include <chrono>
#include <unordered_map>

namespace {

struct TTargetRegistry {
    std::mutex Mutex;
    std::unordered_map<std::uint64_t, TMessageTarget*> Live;
    std::uint64_t NextId = 1;
};

// Never destroyed: a target with static lifetime may unregister after other statics are gone.
TTargetRegistry& Registry() {
    static auto* registry = new TTargetRegistry;
    return *registry;
}

} // namespace

TMessageTarget::TMessageTarget() {
    TTargetRegistry& registry = Registry();
    std::lock_guard lock(registry.Mutex);
    id_ = registry.NextId++;
    registry.Live.emplace(id_, this);
}

TMessageTarget::~TMessageTarget() {
    TTargetRegistry& registry = Registry();
    std::lock_guard lock(registry.Mutex);
    registry.Live.erase(id_);
}

bool TMessageTarget::Deliver(std::uint64_t targetId, int message, std::uint64_t threadId) {
    TMessageTarget* target = nullptr;
    {
        TTargetRegistry& registry = Registry();
        std::lock_guard lock(registry.Mutex);
        auto it = registry.Live.find(targetId);
        if (it == registry.Live.end())
            return false;
        target = it->second;
    }
    // Outside the lock: a handler may create or destroy targets.
    target->HandleMessage(message, threadId);
    return true;
}

void TUiDispatcher::CallSync(const std::function<void()>& fn) {
    if (IsUiThread()) {
        fn();
        return;
    }
    auto call = std::make_shared<TSyncCall>();
    call->Fn = fn;
    {
        std::lock_guard lock(mutex_);
        pending_.push_back(call);
    }
    changed_.notify_all(); // a WaitForThread in progress serves it
    WakeUi();              // otherwise the UI's own loop does
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return call->Done; });
    if (call->Error)
        std::rethrow_exception(call->Error);
}

int TUiDispatcher::DrainSyncCalls() {
    if (!IsUiThread())
        return 0;
    std::size_t limit;
    {
        std::lock_guard lock(mutex_);
        limit = pending_.size(); // a busy worker cannot keep the UI here for ever
    }
    int ran = 0;
    for (; limit > 0; --limit) {
        std::shared_ptr<TSyncCall> call;
        {
            std::lock_guard lock(mutex_);
            if (pending_.empty())
                break; // a nested drain took the rest
            call = std::move(pending_.front());
            pending_.pop_front();
        }
        try {
            call->Fn();
        } catch (...) {
            call->Error = std::current_exception();
        }
        {
            std::lock_guard lock(mutex_);
            call->Done = true;
        }
        changed_.notify_all();
        ++ran;
    }
    return ran;
}

void TUiDispatcher::WaitForThread(TEngineThread& thread) {
    if (!thread.Started())
        return;
    if (IsUiThread()) {
        // Only synchronous calls are served here; posted messages wait for the UI's loop, so
        // no dialog code is re-entered while it waits.
        for (;;) {
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return !pending_.empty() || thread.Finished(); });
            }
            DrainSyncCalls();
            if (thread.Finished())
                break;
        }
    }
    thread.Join();
}

void TUiDispatcher::NotifyThreadEnded() {
    {
        // Taking the lock orders this after a waiter's check of Finished().
        std::lock_guard lock(mutex_);
    }
    changed_.notify_all();
}

TTestDispatcher::TTestDispatcher() : uiThread_(std::this_thread::get_id()) {}

void TTestDispatcher::Post(TMessageTarget& target, int message, std::uint64_t threadId) {
    {
        std::lock_guard lock(queueMutex_);
        queue_.push_back({target.TargetId(), message, threadId});
    }
    queueChanged_.notify_all();
}

bool TTestDispatcher::IsUiThread() const {
    return std::this_thread::get_id() == uiThread_;
}

void TTestDispatcher::WakeUi() {
    {
        std::lock_guard lock(queueMutex_);
        woken_ = true;
    }
    queueChanged_.notify_all();
}

int TTestDispatcher::ProcessPosted() {
    if (!IsUiThread())
        return 0;
    std::size_t limit;
    {
        std::lock_guard lock(queueMutex_);
        woken_ = false;
        limit = queue_.size();
    }
    DrainSyncCalls();
    int delivered = 0;
    // One at a time, so a handler that processes messages itself keeps the posting order.
    for (; limit > 0; --limit) {
        TPosted posted;
        {
            std::lock_guard lock(queueMutex_);
            if (queue_.empty())
                break;
            posted = queue_.front();
            queue_.pop_front();
        }
        delivered += TMessageTarget::Deliver(posted.Target, posted.Message, posted.ThreadId);
    }
    return delivered;
}

bool TTestDispatcher::ProcessUntil(const std::function<bool()>& pred, unsigned timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        ProcessPosted();
        if (pred())
            return true;
        const auto now = Clock::now();
        if (now >= deadline)
            return false;
        // Short slices: pred may watch state that changes without a message.
        std::unique_lock lock(queueMutex_);
        queueChanged_.wait_until(lock, std::min(deadline, now + std::chrono::milliseconds(5)),
                                 [&] { return !queue_.empty() || woken_; });
    }
}
