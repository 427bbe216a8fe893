#pragma once
// The layout and protocol shared by the three deconvolution dialogs: PSF choice and picture,
// sigma, kurtosis and iteration controls, the dragged 256 x 256 preview region with before and
// after pictures, Preview, OK, Cancel, status and progress. The run itself is the engine's
// TDeconvSession; this class reads the controls and shows what the session reports.

#include "deconv/DeconvSession.h"

#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class TSpinEdit;
class TTrackBar;
class TfrmMain;

// What the main window does around a final run.
struct TDeconvHooks {
    std::function<void(TFImage&)> Undo; // snapshot before the write
    std::function<void()> ImageChanged; // redraw at the current zoom, Undo on
    std::function<void()> RecomputeDisplayMode;
};

class TfrmDeconvolution : public QDialog, private TDeconvHost {
    Q_OBJECT
public:
    TfrmDeconvolution(TDeconvMethod method, QWidget* parent = nullptr);
    ~TfrmDeconvolution() override;

    // The document and the dispatcher of the next showing.
    void SetDocument(TFImage* image, TUiDispatcher* dispatcher, const TDeconvHooks& hooks);
    TDeconvParams Params() const;
    TDeconvSession* Session() const { return session_.get(); }

public slots:
    void done(int result) override; // refused while a run is in progress
    void reject() override;         // Escape is the Cancel button

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void grpPSFClick();
    void trkSigmaChange();
    void edtSigmaChange();
    void trkKurtosisChange();
    void edtKurtosisChange();
    void trkIterationsChange();
    void edtIterationsChange();
    void chkAggressiveClick();
    void btnPreviewClick();
    void btnOKClick();
    void btnCancelClick();

private:
    // TDeconvHost
    void StateChanged() override;
    void RegionChanged() override;
    void PreviewResult(const TDisplayBitmap& bitmap) override;
    void TakeUndoSnapshot(TFImage& image) override;
    void ImageChanged() override;
    void RecomputeDisplayMode() override;
    void CloseDialog(bool accepted) override;

    PsfKind Kind() const;
    void DrawPsf();
    void ApplyIterationLimits();
    void ShowPicture(QLabel* picture, const TDisplayBitmap& bitmap);

    TDeconvMethod method_;
    TFImage* image_ = nullptr;
    TDeconvHooks hooks_;
    std::unique_ptr<TDeconvSession> session_;
    QGroupBox* grpPSF_;
    QRadioButton* psfButtons_[4];
    TTrackBar* trkSigma_;
    TSpinEdit* edtSigma_;
    TTrackBar* trkKurtosis_;
    TSpinEdit* edtKurtosis_;
    QLabel* lblKurtosis_;
    TTrackBar* trkIterations_;
    TSpinEdit* edtIterations_;
    QCheckBox* chkAggressive_ = nullptr;
    QLabel* image1_;
    QLabel* image2_;
    QLabel* image3_;
    QPushButton* btnPreview_;
    QLabel* lblStatus_;
    QProgressBar* progressBar_;
    QPushButton* btnOK_;
    QPushButton* btnCancel_;
};

// The permanent deconvolution dialogs on the main window's Process actions.
void RegisterDeconvolutionTools(TfrmMain& main);
