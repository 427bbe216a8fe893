#include "adjust/CurvesForm.h"

#include "core/fimage.h"

#include <QCheckBox>
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

TfrmCurves::TfrmCurves(QWidget* parent) : QDialog(parent) {
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
    btnReset_ = new QPushButton("Reset", grpTransferMap_);
    btnReset_->setObjectName("btnReset");
    auto* channel = new QHBoxLayout;
    channel->addWidget(channelLabel);
    channel->addWidget(cmbChannel_);
    channel->addStretch(1);
    channel->addWidget(btnReset_);
    auto* group = new QVBoxLayout(grpTransferMap_);
    group->addLayout(channel);
    group->addWidget(Image1_, 0, Qt::AlignHCenter);
    group->addWidget(StaticText1_);

    chkPreview_ = new QCheckBox("Preview", this);
    chkPreview_->setObjectName("chkPreview");
    chkPreview_->setChecked(true);
    btnOK_ = new QPushButton("OK", this);
    btnOK_->setObjectName("btnOK");
    btnOK_->setDefault(true);
    btnCancel_ = new QPushButton("Cancel", this);
    btnCancel_->setObjectName("btnCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkPreview_);
    buttons->addStretch(1);
    buttons->addWidget(btnOK_);
    buttons->addWidget(btnCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grpTransferMap_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Image1_, &TCurveView::Edited, this, [this](bool preview) {
        if (preview)
            UpdatePreview();
    });
    connect(cmbChannel_, &QComboBox::currentIndexChanged, this, &TfrmCurves::cmbChannelChange);
    connect(btnReset_, &QPushButton::clicked, this, &TfrmCurves::btnResetClick);
    connect(chkPreview_, &QCheckBox::clicked, this, &TfrmCurves::UpdatePreview);
    connect(btnOK_, &QPushButton::clicked, this, &TfrmCurves::btnOKClick);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmCurves::~TfrmCurves() = default;

void TfrmCurves::SetDocument(TFImage* image, TUiDispatcher* dispatcher, const TAdjustHooks& hooks) {
    image_ = image;
    hooks_ = hooks;
    hooks_.Ok = [this] { accept(); };
    session_.reset();
    if (dispatcher)
        session_ = std::make_unique<TCurvesSession>(CurvesProtocol, *dispatcher, hooks_);
}

void TfrmCurves::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Every opening starts from the default curves on "RGB".
    editor_.Open();
    Image1_->update();
    {
        const QSignalBlocker block(cmbChannel_);
        cmbChannel_->setCurrentIndex(0);
    }
    cmbChannel_->setEnabled(image_ && !image_->IsHighPrecisionGrey);
    if (!session_ || !image_ || !session_->Open(*image_))
        return;
    UpdatePreview();
}

void TfrmCurves::UpdatePreview() {
    if (session_)
        session_->UpdatePreview(editor_.Params(), chkPreview_->isChecked());
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

void TfrmCurves::EnableControls(bool enabled) {
    btnOK_->setEnabled(enabled);
    btnCancel_->setEnabled(enabled);
    grpTransferMap_->setEnabled(enabled);
}

void TfrmCurves::btnOKClick() {
    if (!session_ || !session_->IsOpen()) {
        reject();
        return;
    }
    EnableControls(false);
    // The curves shown, whether or not Preview is checked.
    if (!session_->Apply(editor_.Params()))
        EnableControls(true);
}

void TfrmCurves::done(int result) {
    if (session_ && !session_->CanClose())
        return;
    if (session_)
        session_->Close(result == QDialog::Accepted);
    EnableControls(true);
    QDialog::done(result);
}
