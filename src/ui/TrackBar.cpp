#include "ui/TrackBar.h"

TTrackBar::TTrackBar(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setTickPosition(QSlider::TicksBelow);
    setTickInterval(1);
}
