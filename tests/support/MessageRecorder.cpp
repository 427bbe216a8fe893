#include "support/MessageRecorder.h"

#include <utility>

TMessageRecorder::TMessageRecorder(TMessageResult answer) : answer_(answer) {
    previous_ = SetMessageSink([this](const TMessage& message) { return Record(message); });
}

TMessageRecorder::~TMessageRecorder() {
    SetMessageSink(std::move(previous_));
}

TMessageResult TMessageRecorder::Record(const TMessage& message) {
    {
        std::lock_guard lock(mutex_);
        messages_.push_back(message);
    }
    if (message.Buttons == TMessageButtons::Ok)
        return TMessageResult::Ok;
    if (message.Buttons == TMessageButtons::YesNo)
        return answer_ == TMessageResult::Ok ? TMessageResult::Yes : answer_;
    return answer_ == TMessageResult::Yes ? TMessageResult::Ok : answer_;
}

std::size_t TMessageRecorder::Count() const {
    std::lock_guard lock(mutex_);
    return messages_.size();
}

std::size_t TMessageRecorder::Count(TMessageKind kind) const {
    std::lock_guard lock(mutex_);
    std::size_t n = 0;
    for (const TMessage& m : messages_)
        n += m.Kind == kind;
    return n;
}

TMessage TMessageRecorder::Last() const {
    std::lock_guard lock(mutex_);
    return messages_.empty() ? TMessage{} : messages_.back();
}

std::vector<TMessage> TMessageRecorder::Messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
}

std::vector<std::string> TMessageRecorder::Texts() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> texts;
    texts.reserve(messages_.size());
    for (const TMessage& m : messages_)
        texts.push_back(m.Text);
    return texts;
}

void TMessageRecorder::Clear() {
    std::lock_guard lock(mutex_);
    messages_.clear();
}
