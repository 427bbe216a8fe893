#pragma once
// The "Gamma" dialog: one slider with its number box. It reads them into the gamma and drives
// the engine's session; the preview and the apply run on the session's threads.

#include "adjust/AdjustForm.h"
#include "adjust/Gamma.h"

class QGroupBox;
class TSpinEdit;
class TTrackBar;
class TfrmMain;

class TfrmGamma : public TAdjustToolForm<TGammaSession> {
    Q_OBJECT
public:
    explicit TfrmGamma(QWidget* parent = nullptr);
    ~TfrmGamma() override;

    float Gamma() const;
    TGammaParams Params() const override;

private slots:
    void trkGammaChange();
    void edtGammaChange();

private:
    void btnResetClick() override;

    QGroupBox* grpGamma_;
    TTrackBar* trkGamma_;
    TSpinEdit* edtGamma_;
};

// The permanent tonal dialogs (Gamma, Brightness and Contrast, Levels, Curves, Hue/Saturation/
// Lightness) and the measurement windows on the main window's actions.
void RegisterAdjustTools(TfrmMain& main);
