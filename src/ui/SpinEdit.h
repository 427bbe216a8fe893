#pragma once
// Numeric field with arrow buttons that reports Enter: the key is consumed and the text stays
// selected, so the next value can be typed straight over it.

#include <QDoubleSpinBox>

class TSpinEdit : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

signals:
    void EnterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
