#include "core/platform/EngineThread.h"
#include "core/platform/Event.h"
#include "core/platform/UiDispatcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

namespace {

// A worker whose body is given by the test.
class TLambdaThread : public TEngineThread {
public:
    TLambdaThread(TUiDispatcher* dispatcher, std::function<void(TLambdaThread&)> body)
        : TEngineThread(dispatcher), body_(std::move(body)) {}
    ~TLambdaThread() override {
        Terminate();
        WaitFor(); // body_ must outlive the running thread
    }
    using TEngineThread::Synchronize;

protected:
    void Execute() override { body_(*this); }

private:
    std::function<void(TLambdaThread&)> body_;
};

// A deadlock would hang the whole test run; end it with a clear word instead.
class TDeadlockGuard {
public:
    explicit TDeadlockGuard(const char* what)
        : watchdog_([this, what] {
              if (!done_.WaitFor(30000)) {
                  std::fprintf(stderr, "deadlock: %s\n", what);
                  std::abort();
              }
          }) {}
    ~TDeadlockGuard() {
        done_.Set();
        watchdog_.join();
    }

private:
    TNamedEvent done_{"TestDone"};
    std::thread watchdog_;
};

struct TReceived {
    int Message;
    std::uint64_t ThreadId;
    bool operator==(const TReceived&) const = default;
};

class TRecordingTarget : public TMessageTarget {
public:
    explicit TRecordingTarget(std::vector<TReceived>& log) : log_(log) {}
    void HandleMessage(int message, std::uint64_t threadId) override {
        log_.push_back({message, threadId});
    }

private:
    std::vector<TReceived>& log_;
};

} // namespace

// The UI side waits for a worker that is still asking for synchronous calls (progress, repaint):
// the wait has to serve them, or both sides block for ever.
TEST(PlatformThreads, WaitForServesTheWorkersSynchronousCalls) {
    TDeadlockGuard guard("WaitFor did not serve the worker's synchronous calls");
    TTestDispatcher dispatcher;
    const auto uiThread = std::this_thread::get_id();
    std::vector<int> progress; // written on the UI thread only
    bool allOnUiThread = true;
    TLambdaThread worker(&dispatcher, [&](TLambdaThread& self) {
        // Give the UI time to be inside WaitFor before the first call.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        for (int percent = 0; percent <= 100; percent += 25)
            self.Synchronize([&, percent] {
                allOnUiThread &= std::this_thread::get_id() == uiThread;
                progress.push_back(percent);
            });
    });
    worker.Resume();
    worker.WaitFor();
    EXPECT_TRUE(worker.Finished());
    EXPECT_EQ(progress, (std::vector<int>{0, 25, 50, 75, 100}));
    EXPECT_TRUE(allOnUiThread);
    EXPECT_EQ(dispatcher.ProcessPosted(), 0); // nothing left behind
}

TEST(PlatformThreads, SynchronousCallsAreServedByTheUiLoopAndReturnErrors) {
    TTestDispatcher dispatcher;
    int ranOnUi = 0;
    bool caught = false;
    TLambdaThread worker(&dispatcher, [&](TLambdaThread& self) {
        self.Synchronize([&] { ++ranOnUi; });
        try {
            self.Synchronize([] { throw std::runtime_error("repaint failed"); });
        } catch (const std::runtime_error&) {
            caught = true;
        }
    });
    worker.Resume();
    ASSERT_TRUE(dispatcher.ProcessUntil([&] { return worker.Finished(); }));
    worker.WaitFor();
    EXPECT_EQ(ranOnUi, 1);
    EXPECT_TRUE(caught);

    // On the UI thread a synchronous call simply runs.
    int direct = 0;
    dispatcher.CallSync([&] { ++direct; });
    EXPECT_EQ(direct, 1);
}

TEST(PlatformThreads, PostedMessagesArriveInOrderWithTheThreadId) {
    TTestDispatcher dispatcher;
    std::vector<TReceived> log;
    TRecordingTarget target(log);
    TLambdaThread worker(&dispatcher, [&](TLambdaThread& self) {
        for (int message = 1041; message <= 1044; ++message)
            dispatcher.Post(target, message, self.ThreadId());
    });
    worker.Resume();
    ASSERT_TRUE(dispatcher.ProcessUntil([&] { return log.size() == 4; }));
    worker.WaitFor();
    const std::uint64_t id = worker.ThreadId();
    EXPECT_EQ(log, (std::vector<TReceived>{{1041, id}, {1042, id}, {1043, id}, {1044, id}}));
}

TEST(PlatformThreads, MessageToADestroyedTargetIsDropped) {
    TTestDispatcher dispatcher;
    std::vector<TReceived> goneLog, liveLog;
    TRecordingTarget live(liveLog);
    auto gone = std::make_unique<TRecordingTarget>(goneLog);
    dispatcher.Post(*gone, 1049, 7);
    dispatcher.Post(live, 1050, 7);
    gone.reset(); // the dialog closed while the worker's message was on its way

    EXPECT_EQ(dispatcher.ProcessPosted(), 1);
    EXPECT_TRUE(goneLog.empty());
    EXPECT_EQ(liveLog, (std::vector<TReceived>{{1050, 7}}));

    // A later target never receives what was meant for an earlier one.
    TRecordingTarget newcomer(goneLog);
    EXPECT_FALSE(TMessageTarget::Deliver(newcomer.TargetId() - 1, 1049, 7));
    EXPECT_TRUE(goneLog.empty());
}

TEST(PlatformThreads, TerminateFlagIsSeenByAPollingLoop) {
    std::atomic<int> rounds{0};
    TLambdaThread worker(nullptr, [&](TLambdaThread& self) {
        while (!self.Terminated()) { // once per row or iteration in the tools
            ++rounds;
            std::this_thread::yield();
        }
    });
    EXPECT_FALSE(worker.Started()); // created suspended
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(rounds.load(), 0);

    worker.Resume();
    worker.Resume(); // a second start does nothing
    while (rounds.load() == 0)
        std::this_thread::yield();
    EXPECT_FALSE(worker.Finished());
    worker.Terminate();
    worker.WaitFor();
    EXPECT_TRUE(worker.Finished());
    EXPECT_TRUE(worker.Terminated());
}

TEST(PlatformThreads, ThreadBasics) {
    // Ids are distinct and known before the thread runs.
    TLambdaThread a(nullptr, [](TLambdaThread&) {});
    TLambdaThread b(nullptr, [](TLambdaThread&) {});
    EXPECT_NE(a.ThreadId(), 0u);
    EXPECT_NE(a.ThreadId(), b.ThreadId());

    // Waiting for a thread never started returns at once.
    a.WaitFor();
    EXPECT_FALSE(a.Finished());

    // An exception escaping Execute is kept instead of ending the process.
    TLambdaThread failing(nullptr, [](TLambdaThread&) { throw std::bad_alloc(); });
    failing.Resume();
    failing.WaitFor();
    EXPECT_TRUE(failing.Finished());
    EXPECT_THROW(std::rethrow_exception(failing.FatalException()), std::bad_alloc);

    // A worker that waits for itself does not hang, and without a dispatcher Synchronize runs
    // on the worker.
    bool ranInline = false;
    TLambdaThread self(nullptr, [&](TLambdaThread& me) {
        me.WaitFor();
        me.Synchronize([&] { ranInline = true; });
    });
    self.Resume();
    self.WaitFor();
    EXPECT_TRUE(ranInline);
}

TEST(PlatformThreads, DestroyingARunningThreadStopsIt) {
    TDeadlockGuard guard("destroying a worker blocked in a synchronous call");
    TTestDispatcher dispatcher;
    std::atomic<bool> stopped{false};
    {
        TLambdaThread worker(&dispatcher, [&](TLambdaThread& self) {
            while (!self.Terminated())
                self.Synchronize([] {}); // keeps needing the UI until told to stop
            stopped = true;
        });
        worker.Resume();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_TRUE(stopped);
}

TEST(PlatformThreads, ProcessUntilGivesUp) {
    TTestDispatcher dispatcher;
    EXPECT_FALSE(dispatcher.ProcessUntil([] { return false; }, 20));
}
