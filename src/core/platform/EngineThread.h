#pragma once
// A worker thread created suspended: Resume starts Execute, Terminate raises a flag that Execute
// polls, WaitFor joins (through the dispatcher when synchronous calls may be pending).

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

class TUiDispatcher;

class TEngineThread {
public:
    explicit TEngineThread(TUiDispatcher* dispatcher = nullptr);
    virtual ~TEngineThread(); // joins a running thread after raising the terminate flag
    TEngineThread(const TEngineThread&) = delete;
    TEngineThread& operator=(const TEngineThread&) = delete;

    void Resume();                 // starts the thread; a second call does nothing
    void Terminate() { terminated_.store(true); }
    bool Terminated() const { return terminated_.load(); }
    bool Started() const { return started_; }
    bool Finished() const { return finished_.load(); }
    std::uint64_t ThreadId() const { return threadId_; }
    // Joins; on the UI thread with a dispatcher, serves synchronous calls while waiting.
    void WaitFor();

protected:
    virtual void Execute() = 0;
    // Runs fn on the UI thread and waits (directly when there is no dispatcher).
    void Synchronize(const std::function<void()>& fn);
    TUiDispatcher* Dispatcher() const { return dispatcher_; }

private:
    void Run();
    TUiDispatcher* dispatcher_;
    std::thread thread_;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    bool started_ = false;
    std::uint64_t threadId_;
    friend class TUiDispatcher;
};
