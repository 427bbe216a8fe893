#include "ui/TaskMessage.h"

#include <QApplication>

QMessageBox::Icon TaskMessageIcon(int iconCode) {
    switch (iconCode) {
    case TaskIconWarning:
        return QMessageBox::Warning;
    case TaskIconConfirmation:
        return QMessageBox::Question;
    case TaskIconInformation:
        return QMessageBox::Information;
    case TaskIconError:
        return QMessageBox::Critical;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButton TaskMessage(QWidget* parent, const QString& title,
                                        const QString& instruction, const QString& content,
                                        int iconCode, QMessageBox::StandardButtons buttons) {
    QMessageBox box(TaskMessageIcon(iconCode),
                    title.isEmpty() ? QApplication::applicationDisplayName() : title, instruction,
                    buttons, parent);
    box.setObjectName(QStringLiteral("TaskMessage"));
    box.setInformativeText(content);
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
