#pragma once
// The "Hue, Saturation and Lightness" dialog: three sliders with their number boxes, read into
// the tool's parameters for the engine's session.

#include "adjust/AdjustForm.h"
#include "adjust/HSI.h"

class QGroupBox;
class TSpinEdit;
class TTrackBar;

class TfrmHSI : public TAdjustToolForm<THSISession> {
    Q_OBJECT
public:
    explicit TfrmHSI(QWidget* parent = nullptr);
    ~TfrmHSI() override;

    // The slider positions.
    THSIParams Params() const override;

private:
    // A slider and its box: the box follows the slider and previews, the slider takes the
    // box's rounded value.
    void Pair(TTrackBar* slider, TSpinEdit* box);
    void btnResetClick() override;

    QGroupBox* grpHSI_;
    TTrackBar *trkHue_, *trkSaturation_, *trkIntensity_;
    TSpinEdit *edtHue_, *edtSaturation_, *edtIntensity_;
};
