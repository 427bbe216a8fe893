#pragma once
// The "Curves" dialog: the 256 x 256 curve editor ("Transfer Map") and the channel list. The
// point editing lives in the engine's TCurveEditor; the dialog turns mouse events into its calls,
// draws its points and curve, and hands its curves to the session.

#include "adjust/CurveEditor.h"

#include <QDialog>
#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// Image1: the editor surface. Editor coordinates start Inset pixels in from the widget's corner,
// so the squares of the end points show whole.
class TCurveView : public QWidget {
    Q_OBJECT
public:
    static constexpr int Inset = 4;
    TCurveView(TCurveEditor& editor, QWidget* parent);
    QSize sizeHint() const override;
    // The widget position of an editor point.
    static QPoint WidgetPoint(int x, int y) { return {x + Inset, y + Inset}; }

signals:
    // After an edit: the curve changed (preview) or only its drawing.
    void Edited(bool preview);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void Handle(TCurveEditor::TAction action);
    TCurveEditor& editor_;
};

class TfrmCurves : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCurves(QWidget* parent = nullptr);
    ~TfrmCurves() override;

    void SetDocument(TFImage* image, TUiDispatcher* dispatcher, const TAdjustHooks& hooks);
    const TCurveEditor& Editor() const { return editor_; }
    TCurvesSession* Session() const { return session_.get(); }

public slots:
    void done(int result) override; // refused while an apply runs

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void cmbChannelChange();
    void btnResetClick();
    void btnOKClick();
    void UpdatePreview();

private:
    void EnableControls(bool enabled);

    TFImage* image_ = nullptr;
    TAdjustHooks hooks_;
    std::unique_ptr<TCurvesSession> session_;
    TCurveEditor editor_;
    QGroupBox* grpTransferMap_;
    TCurveView* Image1_;
    QComboBox* cmbChannel_;
    QLabel* StaticText1_;
    QCheckBox* chkPreview_;
    QPushButton *btnReset_, *btnOK_, *btnCancel_;
};
