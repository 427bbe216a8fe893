#pragma once
// Every user-visible box of the engine goes through here. The application connects the sink to
// message boxes, zelvane-cli to stderr, and the tests to a recorder.

#include <functional>
#include <string>

enum class TMessageKind { Plain, Warning, Confirmation, Information, Error };

enum class TMessageButtons { Ok, OkCancel, YesNo };

// What the user chose; a sink that cannot ask answers with the default (Ok / Yes).
enum class TMessageResult { Ok, Cancel, Yes, No };

struct TMessage {
    TMessageKind Kind = TMessageKind::Plain;
    std::string Title;  // empty: the application's title
    std::string Text;   // the main text (the task dialog's main instruction)
    std::string Detail; // content text under it; may be empty
    TMessageButtons Buttons = TMessageButtons::Ok;
};

using TMessageSink = std::function<TMessageResult(const TMessage&)>;

// Installs a sink and returns the previous one. With no sink, messages go to stderr.
TMessageSink SetMessageSink(TMessageSink sink);

TMessageResult ShowMessage(const TMessage& message);
void ShowWarning(const std::string& text);
void ShowError(const std::string& text);
void ShowInformation(const std::string& text);

// "An error has occured. Please note error number: <n>." in an error box.
void ReportError(int number);
std::string ErrorNumberText(int number);
