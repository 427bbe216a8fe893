#pragma once
// The "Hue, Saturation and Lightness" dialog: three sliders with their number boxes, read into
// the tool's parameters for the engine's session.

#include "adjust/HSI.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QGroupBox;
class QPushButton;
class TSpinEdit;
class TTrackBar;

class TfrmHSI : public QDialog {
    Q_OBJECT
public:
    explicit TfrmHSI(QWidget* parent = nullptr);
    ~TfrmHSI() override;

    void SetDocument(TFImage* image, TUiDispatcher* dispatcher, const TAdjustHooks& hooks);
    // The slider positions.
    THSIParams Params() const;
    THSISession* Session() const { return session_.get(); }

public slots:
    void done(int result) override; // refused while an apply runs

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void btnResetClick();
    void btnOKClick();
    void UpdatePreview();

private:
    // A slider and its box: the box follows the slider and previews, the slider takes the
    // box's rounded value.
    void Pair(TTrackBar* slider, TSpinEdit* box);
    void EnableControls(bool enabled);

    TFImage* image_ = nullptr;
    TAdjustHooks hooks_;
    std::unique_ptr<THSISession> session_;
    QGroupBox* grpHSI_;
    TTrackBar *trkHue_, *trkSaturation_, *trkIntensity_;
    TSpinEdit *edtHue_, *edtSaturation_, *edtIntensity_;
    QCheckBox* chkPreview_;
    QPushButton *btnReset_, *btnOK_, *btnCancel_;
};
