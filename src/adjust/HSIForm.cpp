#include "adjust/HSIForm.h"

#include "core/Numeric.h"
#include "core/fimage.h"
#include "ui/SpinEdit.h"
#include "ui/TrackBar.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmHSI::TfrmHSI(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Hue, Saturation and Lightness");
    grpHSI_ = new QGroupBox(this);
    grpHSI_->setObjectName("grpHSI");
    auto* grid = new QGridLayout(grpHSI_);
    const auto row = [&](int r, const char* caption, const char* trkName, const char* edtName,
                         int limit, int ticks, TTrackBar*& slider, TSpinEdit*& box) {
        auto* label = new QLabel(caption, grpHSI_);
        slider = new TTrackBar(grpHSI_);
        slider->setObjectName(trkName);
        slider->setRange(-limit, limit);
        slider->setValue(0);
        slider->SetFrequency(ticks);
        box = new TSpinEdit(grpHSI_);
        box->setObjectName(edtName);
        box->setRange(-limit, limit);
        box->setDecimals(2);
        box->setSingleStep(1);
        box->setValue(0);
        label->setBuddy(box);
        grid->addWidget(label, r, 0);
        grid->addWidget(slider, r, 1);
        grid->addWidget(box, r, 2);
        Pair(slider, box);
    };
    row(0, "Hue", "trkHue", "edtHue", HSIHueLimit, 20, trkHue_, edtHue_);
    row(1, "Sauration", "trkSaturation", "edtSaturation", HSIPercentLimit, 10, trkSaturation_,
        edtSaturation_);
    row(2, "Lightness", "trkIntensity", "edtIntensity", HSIPercentLimit, 10, trkIntensity_,
        edtIntensity_);
    grid->setColumnStretch(1, 1);

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
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkPreview_);
    buttons->addWidget(btnReset_);
    buttons->addStretch(1);
    buttons->addWidget(btnOK_);
    buttons->addWidget(btnCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grpHSI_);
    layout->addLayout(buttons);
    setMinimumWidth(440);

    connect(btnReset_, &QPushButton::clicked, this, &TfrmHSI::btnResetClick);
    connect(chkPreview_, &QCheckBox::clicked, this, &TfrmHSI::UpdatePreview);
    connect(btnOK_, &QPushButton::clicked, this, &TfrmHSI::btnOKClick);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

TfrmHSI::~TfrmHSI() = default;

void TfrmHSI::Pair(TTrackBar* slider, TSpinEdit* box) {
    connect(slider, &QSlider::valueChanged, this, [this, slider, box] {
        box->setValue(slider->value());
        UpdatePreview();
    });
    connect(box, &QDoubleSpinBox::valueChanged, this,
            [slider, box] { slider->setValue(static_cast<int>(RoundEven(box->value()))); });
}

void TfrmHSI::SetDocument(TFImage* image, TUiDispatcher* dispatcher, const TAdjustHooks& hooks) {
    image_ = image;
    hooks_ = hooks;
    hooks_.Ok = [this] { accept(); };
    session_.reset();
    if (dispatcher)
        session_ = std::make_unique<THSISession>(HSIProtocol, *dispatcher, hooks_);
}

THSIParams TfrmHSI::Params() const {
    return {static_cast<float>(trkHue_->value()), static_cast<float>(trkSaturation_->value()),
            static_cast<float>(trkIntensity_->value())};
}

void TfrmHSI::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!session_ || !image_ || !session_->Open(*image_))
        return;
    UpdatePreview();
}

void TfrmHSI::UpdatePreview() {
    if (session_)
        session_->UpdatePreview(Params(), chkPreview_->isChecked());
}

void TfrmHSI::btnResetClick() {
    for (TTrackBar* slider : {trkHue_, trkSaturation_, trkIntensity_})
        slider->setValue(0);
    UpdatePreview();
}

void TfrmHSI::EnableControls(bool enabled) {
    btnOK_->setEnabled(enabled);
    btnCancel_->setEnabled(enabled);
    grpHSI_->setEnabled(enabled);
}

void TfrmHSI::btnOKClick() {
    if (!session_ || !session_->IsOpen()) {
        reject();
        return;
    }
    EnableControls(false);
    if (!session_->Apply(Params()))
        EnableControls(true);
}

void TfrmHSI::done(int result) {
    if (session_ && !session_->CanClose())
        return;
    if (session_)
        session_->Close(result == QDialog::Accepted);
    EnableControls(true);
    QDialog::done(result);
}
