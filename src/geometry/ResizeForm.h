#pragma once
// The "Resize" dialog: target size by percentage, common dimensions or absolute size, and the
// resampling method. It only reads its controls and calls ResizeImage.

#include "geometry/ResampleCore.h"
#include "geometry/ResizeSize.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TDataContainerUndo;
class TFImage;
class TSpinEdit;
class TfrmMain;

class TfrmResize : public QDialog {
    Q_OBJECT
public:
    explicit TfrmResize(QWidget* parent = nullptr);

    // The document the next showing works on, and its undo store.
    void SetDocument(TFImage* image, TDataContainerUndo* undo);
    // Progress of the run ("n%" in the main window's progress panel; -1 clears it).
    void SetProgress(TResampleProgress progress) { progress_ = std::move(progress); }
    // The main window's FitToWindow, run after a successful resize.
    void SetFitToWindow(std::function<void()> fit) { fitToWindow_ = std::move(fit); }

    // The size OK would resize to, from the chosen mode and its fields.
    TResizeSize TargetSize() const;
    ResampleMethod Method() const;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void edtWidthChange();
    void edtHeightChange();
    void chkAspectRatioClick();
    void ModeClick();
    void btnOKClick();

private:
    void SetFields(double width, double height);
    int ImageWidth() const;
    int ImageHeight() const;

    TFImage* image_ = nullptr;
    TDataContainerUndo* undo_ = nullptr;
    TResampleProgress progress_;
    std::function<void()> fitToWindow_;

    QComboBox* cmbMethod_;
    QRadioButton* rbPercentage_;
    TSpinEdit* edtPercentage_;
    QLabel* lblPercent_;
    QRadioButton* rbCommon_;
    QComboBox* cmbCommon_;
    QRadioButton* rbAbsolute_;
    QLabel* lblWidth_;
    TSpinEdit* edtWidth_;
    QLabel* lblWidthUnit_;
    QLabel* lblHeight_;
    TSpinEdit* edtHeight_;
    QLabel* lblHeightUnit_;
    QCheckBox* chkAspectRatio_;
    QLabel* lblConvert_;
    QPushButton* btnOK_;
    QPushButton* btnCancel_;
};

// Creates the permanent Resize dialog and hooks Resize, Flip Horizontal and Flip Vertical into
// the main window's actions.
void RegisterGeometryTools(TfrmMain& main);
