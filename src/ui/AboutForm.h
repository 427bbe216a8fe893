#pragma once
// The about box: product title and the program's version.

#include <QDialog>

class QLabel;

// "Ver: " and the four version numbers joined by ".".
QString VersionText();

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget* parent = nullptr);
};
