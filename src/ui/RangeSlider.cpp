#include "ui/RangeSlider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {
constexpr int ThumbHalf = 6; // half the width of a thumb, also the track's inset
}

TRangeSlider::TRangeSlider(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TRangeSlider::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    SetValues(low_, high_);
}

void TRangeSlider::SetValues(int low, int high) {
    high_ = std::clamp(high, minimum_, maximum_);
    low_ = std::clamp(low, minimum_, high_);
    update();
}

int TRangeSlider::PositionOf(int value) const {
    const int span = std::max(1, width() - 2 * ThumbHalf - 1);
    if (maximum_ == minimum_)
        return ThumbHalf;
    return ThumbHalf + static_cast<int>(std::lround(static_cast<double>(value - minimum_) * span /
                                                    (static_cast<double>(maximum_) - minimum_)));
}

int TRangeSlider::ValueAt(int x) const {
    const int span = std::max(1, width() - 2 * ThumbHalf - 1);
    const double t = std::clamp(static_cast<double>(x - ThumbHalf) / span, 0.0, 1.0);
    return minimum_ + static_cast<int>(std::lround(t * (static_cast<double>(maximum_) - minimum_)));
}

void TRangeSlider::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int trackY = 7;
    const QPalette& pal = palette();
    p.setPen(pal.color(QPalette::Mid));
    p.setBrush(pal.color(QPalette::Base));
    p.drawRoundedRect(QRectF(ThumbHalf - 1, trackY - 2, width() - 2 * ThumbHalf + 1, 5), 2, 2);
    // The chosen stretch, from black to white.
    QLinearGradient ramp(PositionOf(low_), 0, PositionOf(high_), 0);
    ramp.setColorAt(0, Qt::black);
    ramp.setColorAt(1, Qt::white);
    p.setBrush(ramp);
    p.drawRect(QRectF(PositionOf(low_), trackY - 2, PositionOf(high_) - PositionOf(low_), 5));

    const auto thumb = [&](int value, const QColor& fill, bool focused) {
        const double x = PositionOf(value) + 0.5;
        QPainterPath path;
        path.moveTo(x, trackY + 1);
        path.lineTo(x + ThumbHalf, trackY + 9);
        path.lineTo(x + ThumbHalf, height() - 2);
        path.lineTo(x - ThumbHalf, height() - 2);
        path.lineTo(x - ThumbHalf, trackY + 9);
        path.closeSubpath();
        p.setPen(QPen(focused && hasFocus() ? pal.color(QPalette::Highlight) : QColor(60, 60, 60),
                      focused && hasFocus() ? 2 : 1));
        p.setBrush(fill);
        p.drawPath(path);
    };
    thumb(low_, Qt::black, focused_ == TThumb::Low);
    thumb(high_, Qt::white, focused_ == TThumb::High);
}

void TRangeSlider::mousePressEvent(QMouseEvent* event) {
    if (!isEnabled() || event->button() != Qt::LeftButton)
        return;
    emit Pressed();
    const int x = static_cast<int>(event->position().x());
    const int dLow = std::abs(x - PositionOf(low_));
    const int dHigh = std::abs(x - PositionOf(high_));
    // Thumbs on one spot: the side of the press decides which one moves.
    if (dLow == dHigh)
        dragged_ = x < PositionOf(low_) ? TThumb::Low : TThumb::High;
    else
        dragged_ = dLow < dHigh ? TThumb::Low : TThumb::High;
    focused_ = dragged_;
    MoveDragged(ValueAt(x));
}

void TRangeSlider::mouseMoveEvent(QMouseEvent* event) {
    if (dragged_ != TThumb::None)
        MoveDragged(ValueAt(static_cast<int>(event->position().x())));
}

void TRangeSlider::mouseReleaseEvent(QMouseEvent*) {
    dragged_ = TThumb::None;
}

void TRangeSlider::MoveDragged(int value) {
    const int oldLow = low_, oldHigh = high_;
    if (dragged_ == TThumb::Low || (dragged_ == TThumb::None && focused_ == TThumb::Low))
        SetValues(std::min(value, high_), high_);
    else
        SetValues(low_, std::max(value, low_));
    if (low_ != oldLow || high_ != oldHigh)
        emit ValuesChanged(low_, high_);
}

void TRangeSlider::keyPressEvent(QKeyEvent* event) {
    const int step = std::max(1, (maximum_ - minimum_) / 100);
    const int current = focused_ == TThumb::Low ? low_ : high_;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        MoveDragged(current - step);
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        MoveDragged(current + step);
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        QWidget::keyPressEvent(event);
        return;
    case Qt::Key_Space:
        focused_ = focused_ == TThumb::Low ? TThumb::High : TThumb::Low;
        update();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}
