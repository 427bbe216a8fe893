#pragma once
// The display-mode window: the histogram of a high-precision grey image and the stretch
// (DisplayLow, DisplayHigh) shown as black and white, chosen from the full range, a random
// sample or by hand.

#include <QDialog>

#include <functional>

class QChart;
class QComboBox;
class QLabel;
class QLineSeries;
class TFImage;
class TRangeSlider;
class TSpinEdit;

class TfrmDisplayMode : public QDialog {
    Q_OBJECT
public:
    enum TMode { RandomSampling = 0, MinAndMax = 1, UserDefined = 2 };

    // image: the open document at the time of the call; repaint: redraws the main view.
    TfrmDisplayMode(std::function<TFImage*()> image, std::function<void()> repaint,
                    QWidget* parent = nullptr);

    // Refreshes the histogram and the controls from the image (nothing while hidden).
    void Recompute();
    // Selects "Min and Max" without applying it.
    void ResetMode();
    // Applies the selected mode to the image's stretch.
    void ApplyMode();
    TMode Mode() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ClearHistogram();
    void SetControlsEnabled(bool enabled);
    void SelectModeQuietly(TMode mode);
    void ThumbsMoved(int low, int high);
    void MinimumEntered();
    void MaximumEntered();
    void ApplyFieldsToImage();
    bool HasGreyImage() const;

    std::function<TFImage*()> image_;
    std::function<void()> repaint_;
    QChart* chart_ = nullptr;
    QLineSeries* bars_ = nullptr;
    TRangeSlider* slider_ = nullptr;
    TSpinEdit* edtMinimum_ = nullptr;
    TSpinEdit* edtMaximum_ = nullptr;
    QLabel* lblMinimum_ = nullptr;
    QLabel* lblMaximum_ = nullptr;
    QLabel* lblMode_ = nullptr;
    QComboBox* cmbMode_ = nullptr;
};
