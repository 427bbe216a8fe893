#pragma once
// A worker thread created suspended: Resume starts Execute, Terminate raises a flag that Execute
// polls, WaitFor joins (through the dispatcher when synchronous calls may be pending).

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

class TUiDispatcher;

class TEngineThread {
public:
    explicit TEngineThread(TUiDispatcher* dispatcher = nullptr);
    // Raises the terminate flag and waits for a running thread. Execute must not outlive the
    // derived object, so a derived class whose Execute uses its own members waits in its own
    // destructor.
    virtual ~TEngineThread();
    TEngineThread(const TEngineThread&) = delete;
    TEngineThread& operator=(const TEngineThread&) = delete;

    void Resume(); // starts the thread; a second call does nothing
    void Terminate() { terminated_.store(true); }
    bool Terminated() const { return terminated_.load(); }
    bool Started() const { return started_.load(); }
    bool Finished() const { return finished_.load(); }
    // Process-unique, fixed from construction on (messages carry it before the thread runs).
    std::uint64_t ThreadId() const { return threadId_; }
    // Joins; on the UI thread with a dispatcher, serves synchronous calls while waiting.
    // Returns at once for a thread never started, and when called from the thread itself.
    void WaitFor();
    // What escaped Execute, if anything; read after WaitFor.
    std::exception_ptr FatalException() const { return fatalException_; }

protected:
    virtual void Execute() = 0;
    // Runs fn on the UI thread and waits (directly when there is no dispatcher).
    void Synchronize(const std::function<void()>& fn);
    TUiDispatcher* Dispatcher() const { return dispatcher_; }

private:
    void Run();
    void Join();
    TUiDispatcher* dispatcher_;
    std::thread thread_;
    std::mutex joinMutex_;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    std::atomic<bool> started_{false};
    std::uint64_t threadId_;
    std::exception_ptr fatalException_;
    friend class TUiDispatcher;
};
