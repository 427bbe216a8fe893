#pragma once
// "Custom Zoom": a free zoom percentage from 1 to 2400.

#include <QDialog>

class TSpinEdit;

class TfrmCustomZoom : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCustomZoom(QWidget* parent = nullptr);
    double Percent() const;

private:
    TSpinEdit* edtZoom_ = nullptr;
};
