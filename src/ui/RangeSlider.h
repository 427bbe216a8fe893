#pragma once
// A slider with two thumbs on one track: a black thumb for the low value and a white one for
// the high value. The low thumb never passes the high one.

#include <QWidget>

class TRangeSlider : public QWidget {
    Q_OBJECT
public:
    explicit TRangeSlider(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum);
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }
    // Values are kept inside the range and in order; no signal is sent.
    void SetValues(int low, int high);
    void SetLow(int low) { SetValues(low, high_); }
    void SetHigh(int high) { SetValues(low_, high); }
    int Low() const { return low_; }
    int High() const { return high_; }

    QSize sizeHint() const override { return {200, 24}; }
    QSize minimumSizeHint() const override { return {60, 24}; }

signals:
    void Pressed();
    // A thumb was moved by the user.
    void ValuesChanged(int low, int high);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int PositionOf(int value) const;
    int ValueAt(int x) const;
    void MoveDragged(int value);

    int minimum_ = 0, maximum_ = 255;
    int low_ = 0, high_ = 255;
    enum class TThumb { None, Low, High } dragged_ = TThumb::None, focused_ = TThumb::Low;
};
