#pragma once
// The "Brightness and Contrast" dialog: two sliders with number boxes driving the engine's
// brightness-and-contrast session.

#include "adjust/BriConThreads.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QPushButton;
class TSpinEdit;
class TTrackBar;

class TfrmBriCon : public QDialog {
    Q_OBJECT
public:
    explicit TfrmBriCon(QWidget* parent = nullptr);
    ~TfrmBriCon() override;

    void SetDocument(TFImage* image, TUiDispatcher* dispatcher, const TAdjustHooks& hooks);
    TBriConParams Params() const;
    TBriConSession* Session() const { return session_.get(); }

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void trkBriChange();
    void edtBriChange();
    void trkConChange();
    void edtConChange();
    void chkPreviewClick();
    void btnResetClick();
    void btnOKClick();

private:
    void PreviewTrigger();

    TFImage* image_ = nullptr;
    TAdjustHooks hooks_;
    std::unique_ptr<TBriConSession> session_;
    int lastBrightness_ = 0;
    int reentry_ = 0;
    TTrackBar* trkBri_;
    TSpinEdit* edtBri_;
    TTrackBar* trkCon_;
    TSpinEdit* edtCon_;
    QCheckBox* chkPreview_;
    QPushButton* btnReset_;
    QPushButton* btnOK_;
    QPushButton* btnCancel_;
};
