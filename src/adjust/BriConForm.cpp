#include "adjust/BriConForm.h"

#include "core/Numeric.h"
#include "ui/SpinEdit.h"
#include "ui/TrackBar.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

TTrackBar* MakeSlider(QWidget* parent, const char* name) {
    auto* slider = new TTrackBar(parent);
    slider->setObjectName(name);
    slider->setRange(-100, 100);
    slider->setValue(0);
    slider->SetFrequency(5);
    return slider;
}

TSpinEdit* MakeBox(QWidget* parent, const char* name) {
    auto* box = new TSpinEdit(parent);
    box->setObjectName(name);
    box->setRange(-100, 100);
    box->setSingleStep(1);
    box->setDecimals(0);
    box->setValue(0);
    return box;
}

} // namespace

TfrmBriCon::TfrmBriCon(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Brightness and Contrast");
    trkBri_ = MakeSlider(this, "trkBri");
    edtBri_ = MakeBox(this, "edtBri");
    trkCon_ = MakeSlider(this, "trkCon");
    edtCon_ = MakeBox(this, "edtCon");
    chkPreview_ = new QCheckBox("Preview", this);
    chkPreview_->setObjectName("chkPreview");
    chkPreview_->setChecked(true);
    btnReset_ = new QPushButton("Reset", this);
    btnReset_->setObjectName("btnReset");
    btnOK_ = new QPushButton("OK", this);
    btnOK_->setObjectName("btnOK");
    btnOK_->setDefault(true);
    btnCancel_ = new QPushButton("Cancel", this);
    btnCancel_->setObjectName("btnCancel");

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Brightness", this), 0, 0);
    grid->addWidget(trkBri_, 0, 1);
    grid->addWidget(edtBri_, 0, 2);
    grid->addWidget(new QLabel("Contrast", this), 1, 0);
    grid->addWidget(trkCon_, 1, 1);
    grid->addWidget(edtCon_, 1, 2);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkPreview_);
    buttons->addWidget(btnReset_);
    buttons->addStretch(1);
    buttons->addWidget(btnOK_);
    buttons->addWidget(btnCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(trkBri_, &QSlider::valueChanged, this, &TfrmBriCon::trkBriChange);
    connect(edtBri_, &QDoubleSpinBox::valueChanged, this, &TfrmBriCon::edtBriChange);
    connect(trkCon_, &QSlider::valueChanged, this, &TfrmBriCon::trkConChange);
    connect(edtCon_, &QDoubleSpinBox::valueChanged, this, &TfrmBriCon::edtConChange);
    connect(chkPreview_, &QCheckBox::clicked, this, &TfrmBriCon::chkPreviewClick);
    connect(btnReset_, &QPushButton::clicked, this, &TfrmBriCon::btnResetClick);
    connect(btnOK_, &QPushButton::clicked, this, &TfrmBriCon::btnOKClick);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmBriCon::~TfrmBriCon() = default;

void TfrmBriCon::SetDocument(TFImage* image, TUiDispatcher* dispatcher, const TAdjustHooks& hooks) {
    image_ = image;
    hooks_ = hooks;
    hooks_.Ok = [this] { accept(); };
    // The end of each pass also repaints the sliders.
    hooks_.Repaint = [this, repaint = hooks.Repaint] {
        if (repaint)
            repaint();
        trkBri_->update();
        trkCon_->update();
    };
    session_.reset();
    if (dispatcher)
        session_ = std::make_unique<TBriConSession>(*dispatcher, hooks_);
}

TBriConParams TfrmBriCon::Params() const {
    return {trkBri_->value(), trkCon_->value()};
}

void TfrmBriCon::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!session_ || !image_)
        return;
    session_->Open(*image_);
    reentry_ = 0;
    lastBrightness_ = trkBri_->value();
    PreviewTrigger();
}

void TfrmBriCon::PreviewTrigger() {
    if (session_)
        session_->UpdatePreview(Params(), chkPreview_->isChecked());
}

void TfrmBriCon::trkBriChange() {
    // The same position again builds no tables.
    if (trkBri_->value() == lastBrightness_)
        return;
    if (++reentry_ > 1)
        return;
    edtBri_->setValue(trkBri_->value());
    PreviewTrigger();
    lastBrightness_ = trkBri_->value();
    reentry_ = 0;
}

void TfrmBriCon::edtBriChange() {
    trkBri_->setValue(static_cast<int>(RoundEven(edtBri_->value())));
}

void TfrmBriCon::trkConChange() {
    edtCon_->setValue(trkCon_->value());
}

void TfrmBriCon::edtConChange() {
    trkCon_->setValue(static_cast<int>(RoundEven(edtCon_->value())));
    PreviewTrigger();
}

void TfrmBriCon::chkPreviewClick() {
    if (chkPreview_->isChecked())
        PreviewTrigger();
}

void TfrmBriCon::btnResetClick() {
    trkBri_->setValue(0);
    trkCon_->setValue(0);
    PreviewTrigger();
}

void TfrmBriCon::btnOKClick() {
    if (!session_ || !session_->IsOpen()) {
        reject();
        return;
    }
    // Waits for the worker (serving its progress calls); the session then closes the dialog.
    session_->Apply(Params());
}

void TfrmBriCon::done(int result) {
    if (session_)
        session_->Close();
    QDialog::done(result);
}
