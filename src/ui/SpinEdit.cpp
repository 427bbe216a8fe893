#include "ui/SpinEdit.h"

#include <QKeyEvent>
#include <QLineEdit>

TSpinEdit::TSpinEdit(QWidget* parent) : QDoubleSpinBox(parent) {
    setKeyboardTracking(false);
    setAccelerated(true);
}

void TSpinEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        interpretText();
        emit EnterPressed();
        selectAll();
        event->accept();
        return;
    }
    QDoubleSpinBox::keyPressEvent(event);
}
