#pragma once
// The "Gamma" dialog: one slider with its number box. It reads them into the gamma and drives
// the engine's session; the preview and the apply run on the session's threads.

#include "adjust/Gamma.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QGroupBox;
class QPushButton;
class TSpinEdit;
class TTrackBar;
class TfrmMain;

class TfrmGamma : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGamma(QWidget* parent = nullptr);
    ~TfrmGamma() override;

    // The document of the next showing; hooks: repaint, progress, undo, display mode, re-fit.
    void SetDocument(TFImage* image, TUiDispatcher* dispatcher, const TAdjustHooks& hooks);
    float Gamma() const;
    TGammaSession* Session() const { return session_.get(); }

public slots:
    void done(int result) override; // refused while an apply runs

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void trkGammaChange();
    void edtGammaChange();
    void btnResetClick();
    void btnOKClick();
    void UpdatePreview();

private:
    void EnableControls(bool enabled);

    TFImage* image_ = nullptr;
    TAdjustHooks hooks_;
    std::unique_ptr<TGammaSession> session_;
    QGroupBox* grpGamma_;
    TTrackBar* trkGamma_;
    TSpinEdit* edtGamma_;
    QCheckBox* chkPreview_;
    QPushButton* btnReset_;
    QPushButton* btnOK_;
    QPushButton* btnCancel_;
};

// The permanent tonal dialogs (Gamma, Brightness and Contrast, Levels, Curves, Hue/Saturation/
// Lightness) and the measurement windows on the main window's actions.
void RegisterAdjustTools(TfrmMain& main);
