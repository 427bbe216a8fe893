#include "app/MessageSink.h"

#include "core/Messages.h"
#include "core/platform/UiDispatcher.h"
#include "ui/TaskMessage.h"

#include <QApplication>
#include <QWidget>

namespace {

int IconCode(TMessageKind kind) {
    switch (kind) {
    case TMessageKind::Warning:
        return TaskIconWarning;
    case TMessageKind::Confirmation:
        return TaskIconConfirmation;
    case TMessageKind::Information:
        return TaskIconInformation;
    case TMessageKind::Error:
        return TaskIconError;
    case TMessageKind::Plain:
        break;
    }
    return 0;
}

TMessageResult ShowBox(const TMessage& message) {
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    if (message.Buttons == TMessageButtons::OkCancel)
        buttons = QMessageBox::Ok | QMessageBox::Cancel;
    else if (message.Buttons == TMessageButtons::YesNo)
        buttons = QMessageBox::Yes | QMessageBox::No;
    const auto pressed =
        TaskMessage(QApplication::activeWindow(), QString::fromStdString(message.Title),
                    QString::fromStdString(message.Text), QString::fromStdString(message.Detail),
                    IconCode(message.Kind), buttons);
    switch (pressed) {
    case QMessageBox::Cancel:
        return TMessageResult::Cancel;
    case QMessageBox::Yes:
        return TMessageResult::Yes;
    case QMessageBox::No:
        return TMessageResult::No;
    default:
        return TMessageResult::Ok;
    }
}

} // namespace

void InstallMessageBoxSink(TUiDispatcher& dispatcher) {
    SetMessageSink([&dispatcher](const TMessage& message) {
        // A box belongs to the GUI thread. Engine threads go through the dispatcher's
        // synchronous call, which the GUI thread also serves while it waits for a worker.
        TMessageResult result = TMessageResult::Ok;
        dispatcher.CallSync([&] { result = ShowBox(message); });
        return result;
    });
}
