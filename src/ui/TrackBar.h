#pragma once
// Horizontal slider with tick marks below it, the dialogs' track bar.

#include <QSlider>

class TTrackBar : public QSlider {
    Q_OBJECT
public:
    explicit TTrackBar(QWidget* parent = nullptr);
    // Tick marks every frequency steps.
    void SetFrequency(int frequency) { setTickInterval(frequency); }
};
