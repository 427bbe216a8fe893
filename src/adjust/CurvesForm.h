#pragma once
// The "Curves" dialog: the 256 x 256 curve editor ("Transfer Map") and the channel list. The
// point editing lives in the engine's TCurveEditor; the dialog turns mouse events into its calls,
// draws its points and curve, and hands its curves to the session.

#include "adjust/AdjustForm.h"
#include "adjust/CurveEditor.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;

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

class TfrmCurves : public TAdjustToolForm<TCurvesSession> {
    Q_OBJECT
public:
    explicit TfrmCurves(QWidget* parent = nullptr);
    ~TfrmCurves() override;

    const TCurveEditor& Editor() const { return editor_; }
    // The curves shown, whether or not Preview is checked.
    TCurvesParams Params() const override;

private slots:
    void cmbChannelChange();

private:
    void FormShow() override;
    void btnResetClick() override;

    TCurveEditor editor_;
    QGroupBox* grpTransferMap_;
    TCurveView* Image1_;
    QComboBox* cmbChannel_;
    QLabel* StaticText1_;
};
