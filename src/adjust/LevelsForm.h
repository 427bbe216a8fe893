#pragma once
// The "Levels" dialog: the histogram above the input range, two two-thumb sliders with their
// number boxes, the channel list and the ramp above the output slider. The boxes hold the
// parameters; the sliders follow them.

#include "adjust/AdjustForm.h"
#include "adjust/Levels.h"

class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class TRangeSlider;
class TSpinEdit;

class TfrmLevels : public TAdjustToolForm<TLevelsSession> {
    Q_OBJECT
public:
    explicit TfrmLevels(QWidget* parent = nullptr);
    ~TfrmLevels() override;

    // The four boxes and the channel.
    TLevelsParams Params() const override;
    QChart* Chart() const;

private slots:
    void cmbChannelChange();
    void chkLogClick();

private:
    void FormShow() override;
    void btnResetClick() override;
    void DrawRamp();
    void BuildChart();
    // Slider positions are values, except for GreyFloat data, whose range is cut in steps.
    int PositionOf(double value) const;
    double ValueAt(int position) const;
    void SetBoxesAndThumbs(double low, double high, TSpinEdit* lowBox, TSpinEdit* highBox,
                           TRangeSlider* slider);
    void BoxChanged(TSpinEdit* box, TRangeSlider* slider, bool low);

    TLevelsOpening opening_;
    bool scaled_ = false;
    static constexpr int ScaledSteps = 10000;

    QGroupBox *grpLevels_, *grpOutput_;
    QComboBox* cmbChannel_;
    QCheckBox* chkLog_;
    QChartView* Chart1_;
    TRangeSlider *trkInLevels_, *trkOutLevels_;
    TSpinEdit *edtInMin_, *edtInMax_, *edtOutMin_, *edtOutMax_;
    QLabel* Image1_;
};
