#include "ui/DialogFont.h"

#include <QFontDatabase>
#include <QWidget>

QFont DialogFont() {
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
}

void ApplyDialogFont(QWidget* widget) {
    if (widget)
        widget->setFont(DialogFont());
}
