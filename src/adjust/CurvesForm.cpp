#include "adjust/CurvesForm.h"

#include "core/fimage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

// ---- the editor surface ----

TCurveView::TCurveView(TCurveEditor& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    setFixedSize(sizeHint());
    setCursor(Qt::CrossCursor);
}

QSize TCurveView::sizeHint() const {
    return {CurveEditorSize + 2 * Inset + 1, CurveEditorSize + 2 * Inset + 1};
}

void TCurveView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.translate(Inset, Inset);
    p.setPen(QColor(192, 192, 192));
    for (int i = 64; i < CurveEditorSize; i += 64) {
        p.drawLine(0, i, CurveEditorSize, i);
        p.drawLine(i, 0, i, CurveEditorSize);
    }
    p.setPen(Qt::black);
    p.drawRect(0, 0, CurveEditorSize, CurveEditorSize);

    const std::array<int, CurveEditorSize> rows = editor_.CurveRows();
    QPolygon curve;
    for (int i = 0; i < CurveEditorSize; ++i)
        curve << QPoint(i, rows[i]);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawPolyline(curve);
    p.setRenderHint(QPainter::Antialiasing, false);

    const QColor fills[] = {QColor(192, 192, 192), Qt::red, Qt::green, Qt::blue};
    p.setBrush(fills[editor_.Channel()]);
    for (const TCurvePoint& point : editor_.Points())
        p.drawRect(point.X - 3, point.Y - 3, 6, 6);
}

void TCurveView::Handle(TCurveEditor::TAction action) {
    if (action == TCurveEditor::None)
        return;
    repaint();
    emit Edited(action == TCurveEditor::RedrawAndPreview);
}

void TCurveView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint() - QPoint(Inset, Inset);
    const TCurveEditor::TButton button =
        event->button() == Qt::LeftButton    ? TCurveEditor::LeftButton
        : event->button() == Qt::RightButton ? TCurveEditor::RightButton
                                             : TCurveEditor::OtherButton;
    Handle(editor_.MouseDown(button, at.x(), at.y()));
}

void TCurveView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint() - QPoint(Inset, Inset);
    Handle(editor_.MouseMove(at.x(), at.y()));
}

void TCurveView::mouseReleaseEvent(QMouseEvent*) {
    Handle(editor_.MouseUp());
}

// ---- the dialog ----

TfrmCurves::TfrmCurves(QWidget* parent) : TAdjustToolForm(CurvesProtocol, parent) {
    setWindowTitle("Curves");
    grpTransferMap_ = new QGroupBox("Transfer Map", this);
    grpTransferMap_->setObjectName("grpTransferMap");
    cmbChannel_ = new QComboBox(grpTransferMap_);
    cmbChannel_->setObjectName("cmbChannel");
    cmbChannel_->addItems({"RGB", "Red", "Green", "Blue"});
    auto* channelLabel = new QLabel("Channel", grpTransferMap_);
    channelLabel->setBuddy(cmbChannel_);
    Image1_ = new TCurveView(editor_, grpTransferMap_);
    Image1_->setObjectName("Image1");
    StaticText1_ = new QLabel("Right-click to remove control node.", grpTransferMap_);
    StaticText1_->setObjectName("StaticText1");
    QPushButton* reset = MakeResetButton(grpTransferMap_);
    auto* channel = new QHBoxLayout;
    channel->addWidget(channelLabel);
    channel->addWidget(cmbChannel_);
    channel->addStretch(1);
    channel->addWidget(reset);
    auto* group = new QVBoxLayout(grpTransferMap_);
    group->addLayout(channel);
    group->addWidget(Image1_, 0, Qt::AlignHCenter);
    group->addWidget(StaticText1_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grpTransferMap_);
    layout->addLayout(MakeButtonRow());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    DisableWhileBusy({grpTransferMap_});

    connect(Image1_, &TCurveView::Edited, this, [this](bool preview) {
        if (preview)
            UpdatePreview();
    });
    connect(cmbChannel_, &QComboBox::currentIndexChanged, this, &TfrmCurves::cmbChannelChange);
}

TfrmCurves::~TfrmCurves() = default;

TCurvesParams TfrmCurves::Params() const {
    return editor_.Params();
}

void TfrmCurves::FormShow() {
    // Every opening starts from the default curves on "RGB".
    editor_.Open();
    Image1_->update();
    {
        const QSignalBlocker block(cmbChannel_);
        cmbChannel_->setCurrentIndex(0);
    }
    cmbChannel_->setEnabled(Image() && !Image()->IsHighPrecisionGrey);
    TAdjustForm::FormShow();
}

void TfrmCurves::cmbChannelChange() {
    editor_.SelectChannel(cmbChannel_->currentIndex());
    Image1_->update();
    UpdatePreview();
}

void TfrmCurves::btnResetClick() {
    editor_.Reset();
    Image1_->update();
    UpdatePreview();
}
