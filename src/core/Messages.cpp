#include "core/Messages.h"

#include <cstdio>
#include <mutex>
#include <utility>

namespace {

std::mutex sinkMutex;
TMessageSink currentSink;

const char* KindName(TMessageKind kind) {
    switch (kind) {
    case TMessageKind::Warning:
        return "warning";
    case TMessageKind::Error:
        return "error";
    case TMessageKind::Information:
        return "information";
    case TMessageKind::Confirmation:
        return "question";
    case TMessageKind::Plain:
        break;
    }
    return "message";
}

} // namespace

TMessageSink SetMessageSink(TMessageSink sink) {
    std::lock_guard lock(sinkMutex);
    return std::exchange(currentSink, std::move(sink));
}

TMessageResult ShowMessage(const TMessage& message) {
    TMessageSink sink;
    {
        std::lock_guard lock(sinkMutex);
        sink = currentSink;
    }
    if (sink)
        return sink(message);
    std::fprintf(stderr, "%s: %s\n", KindName(message.Kind), message.Text.c_str());
    if (!message.Detail.empty())
        std::fprintf(stderr, "%s\n", message.Detail.c_str());
    return message.Buttons == TMessageButtons::YesNo ? TMessageResult::Yes : TMessageResult::Ok;
}

static void Show(TMessageKind kind, const std::string& text) {
    TMessage message;
    message.Kind = kind;
    message.Text = text;
    ShowMessage(message);
}

void ShowWarning(const std::string& text) {
    Show(TMessageKind::Warning, text);
}
void ShowError(const std::string& text) {
    Show(TMessageKind::Error, text);
}
void ShowInformation(const std::string& text) {
    Show(TMessageKind::Information, text);
}

std::string ErrorNumberText(int number) {
    return "An error has occured. Please note error number: " + std::to_string(number) + ".";
}

void ReportError(int number) {
    ShowError(ErrorNumberText(number));
}
