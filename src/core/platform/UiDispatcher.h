#pragma once
// The engine's door to the user-interface thread: posted messages, synchronous calls, and waiting
// for a worker while its synchronous calls keep being served.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class TEngineThread;

// Receives posted messages on the UI thread. A target that is destroyed is unregistered, so a
// message that arrives late is dropped instead of reaching freed memory. Targets are created,
// destroyed and delivered to on the UI thread.
class TMessageTarget {
public:
    TMessageTarget();
    virtual ~TMessageTarget();
    TMessageTarget(const TMessageTarget&) = delete;
    TMessageTarget& operator=(const TMessageTarget&) = delete;
    virtual void HandleMessage(int message, std::uint64_t threadId) = 0;
    std::uint64_t TargetId() const { return id_; }
    // Delivers to the live target with that id; false if it is gone.
    static bool Deliver(std::uint64_t targetId, int message, std::uint64_t threadId);

private:
    std::uint64_t id_;
};

// A dispatcher must outlive every thread that was given it.
class TUiDispatcher {
public:
    virtual ~TUiDispatcher() = default;

    // Queues (message, threadId) for target; delivered on the UI thread in posting order.
    virtual void Post(TMessageTarget& target, int message, std::uint64_t threadId) = 0;

    // From a worker: runs fn on the UI thread and returns when it has run; an exception thrown
    // by fn comes back to the caller. On the UI thread itself fn runs at once.
    void CallSync(const std::function<void()>& fn);

    // On the UI thread: waits for the thread to end, serving its synchronous calls meanwhile,
    // then joins it. Elsewhere it only joins.
    void WaitForThread(TEngineThread& thread);

    // On the UI thread: runs every pending synchronous call; returns how many ran.
    int DrainSyncCalls();

    virtual bool IsUiThread() const = 0;

protected:
    // Tells the UI thread that a synchronous call is pending (the Qt side posts an event).
    virtual void WakeUi() = 0;
    // Wakes a WaitForThread in progress; threads call it when they end.
    void NotifyThreadEnded();
    friend class TEngineThread;

private:
    struct TSyncCall {
        std::function<void()> Fn;
        bool Done = false;
        std::exception_ptr Error;
    };
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<TSyncCall>> pending_;
};

// Dispatcher for engine tests and the CLI: the constructing thread is the UI thread; posted
// messages wait in a queue until ProcessPosted delivers them.
class TTestDispatcher : public TUiDispatcher {
public:
    TTestDispatcher();
    void Post(TMessageTarget& target, int message, std::uint64_t threadId) override;
    bool IsUiThread() const override;
    // Runs pending synchronous calls, then delivers the messages queued so far; returns how many
    // messages reached a live target.
    int ProcessPosted();
    // Processes until pred() holds or the time is up; true if pred() held.
    bool ProcessUntil(const std::function<bool()>& pred, unsigned timeoutMs = 10000);

protected:
    void WakeUi() override;

private:
    struct TPosted {
        std::uint64_t Target;
        int Message;
        std::uint64_t ThreadId;
    };
    std::mutex queueMutex_;
    std::condition_variable queueChanged_;
    std::deque<TPosted> queue_;
    std::thread::id uiThread_;
    bool woken_ = false;
};
