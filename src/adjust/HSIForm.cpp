#include "adjust/HSIForm.h"

#include "core/Numeric.h"
#include "core/fimage.h"
#include "ui/SpinEdit.h"
#include "ui/TrackBar.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

TfrmHSI::TfrmHSI(QWidget* parent) : TAdjustToolForm(HSIProtocol, parent) {
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

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grpHSI_);
    layout->addLayout(MakeButtonRow());
    setMinimumWidth(440);
    DisableWhileBusy({grpHSI_});
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

THSIParams TfrmHSI::Params() const {
    return {static_cast<float>(trkHue_->value()), static_cast<float>(trkSaturation_->value()),
            static_cast<float>(trkIntensity_->value())};
}

void TfrmHSI::btnResetClick() {
    for (TTrackBar* slider : {trkHue_, trkSaturation_, trkIntensity_})
        slider->setValue(0);
    UpdatePreview();
}
