#pragma once
// The program's message box: a title, a main instruction, a content text, an icon code and the
// buttons. Icon codes: 101 warning, 102 confirmation, 104 information, 105 error, else none.

#include <QMessageBox>
#include <QString>

constexpr int TaskIconWarning = 101;
constexpr int TaskIconConfirmation = 102;
constexpr int TaskIconInformation = 104;
constexpr int TaskIconError = 105;

QMessageBox::Icon TaskMessageIcon(int iconCode);

// Shows the box modally and returns the button pressed.
QMessageBox::StandardButton TaskMessage(QWidget* parent, const QString& title,
                                        const QString& instruction, const QString& content,
                                        int iconCode,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);
