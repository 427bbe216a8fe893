#pragma once
// Records every message box the engine shows while it lives; the previous sink comes back after.

#include "core/Messages.h"

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

class TMessageRecorder {
public:
    // answer: what the recorded boxes return for OkCancel/YesNo questions (Ok/Yes by default).
    explicit TMessageRecorder(TMessageResult answer = TMessageResult::Ok);
    ~TMessageRecorder();
    TMessageRecorder(const TMessageRecorder&) = delete;
    TMessageRecorder& operator=(const TMessageRecorder&) = delete;

    std::size_t Count() const;
    // The latest message; a default TMessage when none was recorded.
    TMessage Last() const;
    std::vector<TMessage> Messages() const;
    std::vector<std::string> Texts() const;
    // Messages of one kind, e.g. Count(TMessageKind::Error).
    std::size_t Count(TMessageKind kind) const;
    void Clear();

private:
    TMessageResult Record(const TMessage& message);
    TMessageResult answer_;
    mutable std::mutex mutex_; // engine threads may report too
    std::vector<TMessage> messages_;
    TMessageSink previous_;
};
