#pragma once
// The "Levels" dialog: the histogram above the input range, two two-thumb sliders with their
// number boxes, the channel list and the ramp above the output slider. The boxes hold the
// parameters; the sliders follow them.

#include "adjust/Levels.h"

#include <QDialog>

#include <memory>

class QChart;
class QChartView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class TRangeSlider;
class TSpinEdit;

class TfrmLevels : public QDialog {
    Q_OBJECT
public:
    explicit TfrmLevels(QWidget* parent = nullptr);
    ~TfrmLevels() override;

    void SetDocument(TFImage* image, TUiDispatcher* dispatcher, const TAdjustHooks& hooks);
    // The four boxes and the channel.
    TLevelsParams Params() const;
    TLevelsSession* Session() const { return session_.get(); }
    QChart* Chart() const;

public slots:
    void done(int result) override; // refused while an apply runs

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void cmbChannelChange();
    void chkLogClick();
    void btnResetClick();
    void btnOKClick();
    void UpdatePreview();

private:
    void FormShow();
    void DrawRamp();
    void BuildChart();
    // Slider positions are values, except for GreyFloat data, whose range is cut in steps.
    int PositionOf(double value) const;
    double ValueAt(int position) const;
    void SetBoxesAndThumbs(double low, double high, TSpinEdit* lowBox, TSpinEdit* highBox,
                           TRangeSlider* slider);
    void BoxChanged(TSpinEdit* box, TRangeSlider* slider, bool low);
    void EnableControls(bool enabled);

    TFImage* image_ = nullptr;
    TAdjustHooks hooks_;
    std::unique_ptr<TLevelsSession> session_;
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
    QCheckBox* chkPreview_;
    QPushButton *btnReset_, *btnOK_, *btnCancel_;
};
