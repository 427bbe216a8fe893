#include "adjust/LevelsForm.h"

#include "core/Numeric.h"
#include "core/fimage.h"
#include "ui/RangeSlider.h"
#include "ui/SpinEdit.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {

constexpr int RampWidth = 256, RampHeight = 17;

TSpinEdit* Box(const char* name, QWidget* parent) {
    auto* box = new TSpinEdit(parent);
    box->setObjectName(name);
    box->setSingleStep(1);
    box->setDecimals(0);
    box->setRange(0, 255);
    return box;
}

TRangeSlider* Slider(const char* name, QWidget* parent) {
    auto* slider = new TRangeSlider(parent);
    slider->setObjectName(name);
    slider->SetRange(0, 255);
    slider->SetValues(0, 255);
    return slider;
}

} // namespace

TfrmLevels::TfrmLevels(QWidget* parent) : TAdjustToolForm(LevelsProtocol, parent) {
    setWindowTitle("Levels");
    grpLevels_ = new QGroupBox("Levels", this);
    grpLevels_->setObjectName("grpLevels");
    cmbChannel_ = new QComboBox(grpLevels_);
    cmbChannel_->setObjectName("cmbChannel");
    cmbChannel_->addItems({"RGB", "Red", "Green", "Blue"});
    cmbChannel_->setCurrentIndex(0);
    auto* channelLabel = new QLabel("Channel", grpLevels_);
    channelLabel->setBuddy(cmbChannel_);
    chkLog_ = new QCheckBox("Log scale", grpLevels_);
    chkLog_->setObjectName("chkLog");
    Chart1_ = new QChartView(new QChart, grpLevels_);
    Chart1_->setObjectName("Chart1");
    Chart1_->setMinimumSize(280, 130);
    Chart1_->setFrameShape(QFrame::StyledPanel);
    trkInLevels_ = Slider("trkInLevels", grpLevels_);
    edtInMin_ = Box("edtInMin", grpLevels_);
    edtInMax_ = Box("edtInMax", grpLevels_);
    auto* top = new QHBoxLayout;
    top->addWidget(channelLabel);
    top->addWidget(cmbChannel_);
    top->addStretch(1);
    top->addWidget(chkLog_);
    auto* inBoxes = new QHBoxLayout;
    inBoxes->addWidget(edtInMin_);
    inBoxes->addStretch(1);
    inBoxes->addWidget(edtInMax_);
    auto* levels = new QVBoxLayout(grpLevels_);
    levels->addLayout(top);
    levels->addWidget(Chart1_, 1);
    levels->addWidget(trkInLevels_);
    levels->addLayout(inBoxes);

    grpOutput_ = new QGroupBox("Output Levels", this);
    grpOutput_->setObjectName("grpOutput");
    Image1_ = new QLabel(grpOutput_);
    Image1_->setObjectName("Image1");
    Image1_->setScaledContents(true);
    Image1_->setFixedHeight(RampHeight);
    Image1_->setMinimumWidth(64);
    trkOutLevels_ = Slider("trkOutLevels", grpOutput_);
    edtOutMin_ = Box("edtOutMin", grpOutput_);
    edtOutMax_ = Box("edtOutMax", grpOutput_);
    auto* outBoxes = new QHBoxLayout;
    outBoxes->addWidget(edtOutMin_);
    outBoxes->addStretch(1);
    outBoxes->addWidget(edtOutMax_);
    auto* output = new QVBoxLayout(grpOutput_);
    // The ramp spans the track between the thumbs' extreme positions.
    auto* ramp = new QHBoxLayout;
    ramp->setContentsMargins(6, 0, 6, 0);
    ramp->addWidget(Image1_);
    output->addLayout(ramp);
    output->addWidget(trkOutLevels_);
    output->addLayout(outBoxes);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grpLevels_, 1);
    layout->addWidget(grpOutput_);
    layout->addLayout(MakeButtonRow());
    resize(380, 440);
    DisableWhileBusy({ResetButton(), grpLevels_, grpOutput_});

    connect(cmbChannel_, &QComboBox::currentIndexChanged, this, &TfrmLevels::cmbChannelChange);
    connect(chkLog_, &QCheckBox::clicked, this, &TfrmLevels::chkLogClick);
    // While a thumb moves its boxes follow; the boxes' handlers move the thumbs and preview.
    connect(trkInLevels_, &TRangeSlider::ValuesChanged, this, [this](int low, int high) {
        edtInMin_->setValue(ValueAt(low));
        edtInMax_->setValue(ValueAt(high));
    });
    connect(trkOutLevels_, &TRangeSlider::ValuesChanged, this, [this](int low, int high) {
        edtOutMin_->setValue(ValueAt(low));
        edtOutMax_->setValue(ValueAt(high));
    });
    connect(edtInMin_, &QDoubleSpinBox::valueChanged, this,
            [this] { BoxChanged(edtInMin_, trkInLevels_, true); });
    connect(edtInMax_, &QDoubleSpinBox::valueChanged, this,
            [this] { BoxChanged(edtInMax_, trkInLevels_, false); });
    connect(edtOutMin_, &QDoubleSpinBox::valueChanged, this,
            [this] { BoxChanged(edtOutMin_, trkOutLevels_, true); });
    connect(edtOutMax_, &QDoubleSpinBox::valueChanged, this,
            [this] { BoxChanged(edtOutMax_, trkOutLevels_, false); });
    DrawRamp();
}

TfrmLevels::~TfrmLevels() = default;

QChart* TfrmLevels::Chart() const {
    return Chart1_->chart();
}

TLevelsParams TfrmLevels::Params() const {
    return {static_cast<float>(edtInMin_->value()), static_cast<float>(edtInMax_->value()),
            static_cast<float>(edtOutMin_->value()), static_cast<float>(edtOutMax_->value()),
            cmbChannel_->currentIndex()};
}

int TfrmLevels::PositionOf(double value) const {
    const double span = opening_.Maximum - opening_.Minimum;
    if (!scaled_)
        return static_cast<int>(RoundEven(value));
    if (!(span > 0))
        return 0;
    return static_cast<int>(RoundEven((value - opening_.Minimum) / span * ScaledSteps));
}

double TfrmLevels::ValueAt(int position) const {
    if (!scaled_)
        return position;
    return opening_.Minimum + (opening_.Maximum - opening_.Minimum) * position / ScaledSteps;
}

void TfrmLevels::BoxChanged(TSpinEdit* box, TRangeSlider* slider, bool low) {
    const int position = PositionOf(box->value());
    if (low)
        slider->SetLow(position);
    else
        slider->SetHigh(position);
    UpdatePreview();
}

void TfrmLevels::FormShow() {
    TFImage* image = Image();
    if (!image)
        return;
    const bool grey = image->IsHighPrecisionGrey;
    if (grey) {
        const QSignalBlocker block(cmbChannel_);
        cmbChannel_->setCurrentIndex(0);
    }
    cmbChannel_->setEnabled(!grey);
    DrawRamp();
    if (Session() && !Session()->Open(*image))
        return;

    opening_ = LevelsOpening(*image);
    scaled_ = image->Kind() == TImageKind::GreyFloat;
    BuildChart();
    const int low = scaled_ ? 0 : PositionOf(opening_.Minimum);
    const int high = scaled_ ? ScaledSteps : PositionOf(opening_.Maximum);
    for (TRangeSlider* slider : {trkInLevels_, trkOutLevels_}) {
        slider->SetRange(low, high);
        slider->SetValues(low, high);
    }
    for (TSpinEdit* box : {edtInMin_, edtInMax_, edtOutMin_, edtOutMax_}) {
        const QSignalBlocker block(box);
        box->setDecimals(grey ? 2 : 0);
        box->setRange(opening_.Minimum, opening_.Maximum);
    }
    SetBoxesAndThumbs(opening_.Minimum, opening_.Maximum, edtInMin_, edtInMax_, trkInLevels_);
    SetBoxesAndThumbs(opening_.Minimum, opening_.Maximum, edtOutMin_, edtOutMax_, trkOutLevels_);
    UpdatePreview();
}

void TfrmLevels::SetBoxesAndThumbs(double low, double high, TSpinEdit* lowBox, TSpinEdit* highBox,
                                   TRangeSlider* slider) {
    {
        const QSignalBlocker blockLow(lowBox), blockHigh(highBox);
        lowBox->setValue(low);
        highBox->setValue(high);
    }
    slider->SetValues(slider->Minimum(), slider->Maximum());
}

void TfrmLevels::DrawRamp() {
    QImage ramp(RampWidth, RampHeight, QImage::Format_RGB32);
    const int channel = cmbChannel_->currentIndex();
    for (int x = 0; x < RampWidth; ++x) {
        const QRgb colour = channel == 1   ? qRgb(x, 0, 0)
                            : channel == 2 ? qRgb(0, x, 0)
                            : channel == 3 ? qRgb(0, 0, x)
                                           : qRgb(x, x, x);
        for (int y = 0; y < RampHeight; ++y)
            ramp.setPixel(x, y, colour);
    }
    Image1_->setPixmap(QPixmap::fromImage(ramp));
}

void TfrmLevels::BuildChart() {
    QChart* chart = Chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis);
    chart->setTitle("");
    chart->legend()->hide();
    chart->setMargins(QMargins(0, 0, 0, 0));
    chart->setBackgroundRoundness(0);
    chart->layout()->setContentsMargins(0, 0, 0, 0);

    // A filled stair per bin; on a log axis empty bins sit on the floor a logarithm can reach.
    const bool log = chkLog_->isChecked();
    const double floor = log ? 0.5 : 0;
    auto* upper = new QLineSeries(chart);
    double most = 1;
    for (int i = 0; i < 256; ++i) {
        const double v = std::max(opening_.Histogram[i], floor);
        upper->append(i, v);
        upper->append(i + 1, v);
        most = std::max(most, v);
    }
    auto* lower = new QLineSeries(chart);
    lower->append(0, floor);
    lower->append(256, floor);
    auto* area = new QAreaSeries(upper, lower);
    area->setName("Histogram");
    area->setBrush(QColor(64, 64, 64));
    area->setPen(QPen(QColor(64, 64, 64)));
    chart->addSeries(area);

    auto* x = new QValueAxis;
    x->setRange(0, 256);
    QAbstractAxis* y;
    if (log) {
        auto* logAxis = new QLogValueAxis;
        logAxis->setBase(10);
        logAxis->setRange(floor, most * 1.5);
        y = logAxis;
    } else {
        auto* linear = new QValueAxis;
        linear->setRange(0, most * 1.05);
        y = linear;
    }
    for (QAbstractAxis* axis : {static_cast<QAbstractAxis*>(x), y}) {
        axis->setVisible(false);
        chart->addAxis(axis, axis == x ? Qt::AlignBottom : Qt::AlignLeft);
        area->attachAxis(axis);
    }
}

void TfrmLevels::cmbChannelChange() {
    DrawRamp();
    UpdatePreview();
}

void TfrmLevels::chkLogClick() {
    BuildChart();
}

void TfrmLevels::btnResetClick() {
    SetBoxesAndThumbs(ValueAt(trkInLevels_->Minimum()), ValueAt(trkInLevels_->Maximum()), edtInMin_,
                      edtInMax_, trkInLevels_);
    SetBoxesAndThumbs(ValueAt(trkOutLevels_->Minimum()), ValueAt(trkOutLevels_->Maximum()),
                      edtOutMin_, edtOutMax_, trkOutLevels_);
    UpdatePreview();
}
