#include "core/platform/EngineThread.h"

#include "core/platform/UiDispatcher.h"

namespace {

std::atomic<std::uint64_t> nextThreadId{1};
thread_local const TEngineThread* currentThread = nullptr;

} // namespace

TEngineThread::TEngineThread(TUiDispatcher* dispatcher)
    : dispatcher_(dispatcher), threadId_(nextThreadId.fetch_add(1)) {}

TEngineThread::~TEngineThread() {
    if (started_) {
        Terminate();
        WaitFor();
    }
}

void TEngineThread::Resume() {
    std::lock_guard lock(joinMutex_);
    if (started_.exchange(true))
        return;
    try {
        thread_ = std::thread(&TEngineThread::Run, this);
    } catch (...) {
        started_ = false;
        throw;
    }
}

void TEngineThread::Run() {
    currentThread = this;
    try {
        Execute();
    } catch (...) {
        // Escaping the thread function would end the process.
        fatalException_ = std::current_exception();
    }
    finished_.store(true);
    if (dispatcher_)
        dispatcher_->NotifyThreadEnded();
}

void TEngineThread::WaitFor() {
    if (currentThread == this || !started_) // a thread cannot wait for itself
        return;
    if (dispatcher_)
        dispatcher_->WaitForThread(*this); // serves synchronous calls on the UI thread, then joins
    else
        Join();
}

void TEngineThread::Join() {
    if (currentThread == this)
        return;
    std::lock_guard lock(joinMutex_);
    if (thread_.joinable())
        thread_.join();
}

void TEngineThread::Synchronize(const std::function<void()>& fn) {
    if (dispatcher_)
        dispatcher_->CallSync(fn);
    else
        fn();
}
