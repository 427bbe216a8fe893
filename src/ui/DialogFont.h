#pragma once
// The font of the windows: the desktop's general font, the counterpart of the icon-title font.

#include <QFont>

class QWidget;

QFont DialogFont();
void ApplyDialogFont(QWidget* widget);
