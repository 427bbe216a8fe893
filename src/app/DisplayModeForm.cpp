#include "app/DisplayModeForm.h"

#include "core/GreyStatistics.h"
#include "core/Numeric.h"
#include "core/fimage.h"
#include "ui/DialogFont.h"
#include "ui/RangeSlider.h"
#include "ui/SpinEdit.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QValueAxis>

#include <algorithm>

namespace {

constexpr int RandomSampleCount = 5000;
constexpr double FieldLimitStart = 2e32;

int RoundToInt(double v) {
    return static_cast<int>(std::clamp(RoundEven(v), -2147483647.0, 2147483647.0));
}

TSpinEdit* MakeField(const char* name, QWidget* parent) {
    auto* field = new TSpinEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setDecimals(2);
    field->setRange(0, FieldLimitStart);
    field->setSingleStep(1);
    field->setMinimumWidth(110);
    field->setMaximumWidth(140);
    return field;
}

} // namespace

TfrmDisplayMode::TfrmDisplayMode(std::function<TFImage*()> image, std::function<void()> repaint,
                                 QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), image_(std::move(image)),
      repaint_(std::move(repaint)) {
    setObjectName(QStringLiteral("frmDisplayMode"));
    setWindowTitle(QStringLiteral("Display Mode"));
    setProperty("HelpContext", 4);
    setModal(false);
    ApplyDialogFont(this);

    chart_ = new QChart;
    chart_->setBackgroundBrush(Qt::black);
    chart_->setBackgroundRoundness(0);
    chart_->setMargins(QMargins(2, 2, 2, 2));
    chart_->legend()->hide();
    bars_ = new QLineSeries;
    bars_->setPen(QPen(Qt::white, 1.5));
    chart_->addSeries(bars_);
    auto* x = new QValueAxis;
    auto* y = new QLogValueAxis;
    for (QAbstractAxis* axis : {static_cast<QAbstractAxis*>(x), static_cast<QAbstractAxis*>(y)}) {
        axis->setVisible(false);
        axis->setGridLineVisible(false);
        axis->setLabelsVisible(false);
    }
    chart_->addAxis(x, Qt::AlignBottom);
    chart_->addAxis(y, Qt::AlignLeft);
    bars_->attachAxis(x);
    bars_->attachAxis(y);
    auto* view = new QChartView(chart_, this);
    view->setObjectName(QStringLiteral("chtHistogram"));
    view->setMinimumSize(280, 130);
    view->setFrameShape(QFrame::Box);

    slider_ = new TRangeSlider(this);
    slider_->setObjectName(QStringLiteral("trkDisplayRange"));
    slider_->SetRange(0, 255);
    slider_->SetValues(0, 255);

    lblMinimum_ = new QLabel(QStringLiteral("Minimum"), this);
    lblMinimum_->setObjectName(QStringLiteral("lblMinimum"));
    lblMaximum_ = new QLabel(QStringLiteral("Maximum"), this);
    lblMaximum_->setObjectName(QStringLiteral("lblMaximum"));
    lblMode_ = new QLabel(QStringLiteral("Mode"), this);
    lblMode_->setObjectName(QStringLiteral("lblMode"));
    edtMinimum_ = MakeField("edtMinimum", this);
    edtMaximum_ = MakeField("edtMaximum", this);
    cmbMode_ = new QComboBox(this);
    cmbMode_->setObjectName(QStringLiteral("cmbMode"));
    cmbMode_->addItems({QStringLiteral("Random Sampling"), QStringLiteral("Min and Max"),
                        QStringLiteral("User Defined")});
    cmbMode_->setCurrentIndex(MinAndMax);

    auto* grid = new QGridLayout(this);
    grid->addWidget(view, 0, 0, 1, 4);
    grid->addWidget(slider_, 1, 0, 1, 4);
    grid->addWidget(lblMinimum_, 2, 0);
    grid->addWidget(edtMinimum_, 2, 1);
    grid->addWidget(lblMaximum_, 2, 2);
    grid->addWidget(edtMaximum_, 2, 3);
    grid->addWidget(lblMode_, 3, 0);
    grid->addWidget(cmbMode_, 3, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    connect(cmbMode_, &QComboBox::currentIndexChanged, this, [this] { ApplyMode(); });
    connect(slider_, &TRangeSlider::Pressed, this, [this] { SelectModeQuietly(UserDefined); });
    connect(slider_, &TRangeSlider::ValuesChanged, this, &TfrmDisplayMode::ThumbsMoved);
    connect(edtMinimum_, &TSpinEdit::EnterPressed, this, &TfrmDisplayMode::MinimumEntered);
    connect(edtMaximum_, &TSpinEdit::EnterPressed, this, &TfrmDisplayMode::MaximumEntered);
    SetControlsEnabled(false);
}

TfrmDisplayMode::TMode TfrmDisplayMode::Mode() const {
    return static_cast<TMode>(cmbMode_->currentIndex());
}

void TfrmDisplayMode::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ResetMode();
    Recompute();
}

bool TfrmDisplayMode::HasGreyImage() const {
    const TFImage* image = image_ ? image_() : nullptr;
    return image && !image->Empty() &&
           (image->Kind() == TImageKind::Grey16 || image->Kind() == TImageKind::GreyFloat);
}

void TfrmDisplayMode::ClearHistogram() {
    bars_->clear();
}

void TfrmDisplayMode::SetControlsEnabled(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(lblMinimum_), static_cast<QWidget*>(lblMaximum_),
                       static_cast<QWidget*>(lblMode_), static_cast<QWidget*>(cmbMode_),
                       static_cast<QWidget*>(slider_), static_cast<QWidget*>(edtMinimum_),
                       static_cast<QWidget*>(edtMaximum_)})
        w->setEnabled(enabled);
}

void TfrmDisplayMode::SelectModeQuietly(TMode mode) {
    const QSignalBlocker block(cmbMode_);
    cmbMode_->setCurrentIndex(mode);
}

void TfrmDisplayMode::ResetMode() {
    SelectModeQuietly(MinAndMax);
}

void TfrmDisplayMode::Recompute() {
    try {
        ClearHistogram();
        if (!isVisible())
            return;
        if (!HasGreyImage()) {
            SetControlsEnabled(false);
            return;
        }
        const TFImage& image = *image_();
        TGreyStatistics statistics;
        if (GreyHistogram(image, 1, statistics) < 0)
            return;
        QList<QPointF> points;
        points.reserve(3 * 256);
        double tallest = 1;
        // Vertical white strokes from below the axis up to the count of each bin; empty bins
        // stay under the axis.
        const double floor = 0.5;
        for (int i = 0; i < 256; ++i) {
            const double count = static_cast<double>(statistics.Counts[i]) / GreyHistogramWeight;
            const double xPos = i * statistics.Scale;
            const double top = std::max(count, floor);
            tallest = std::max(tallest, count);
            points << QPointF(xPos, floor) << QPointF(xPos, top) << QPointF(xPos, floor);
        }
        bars_->replace(points);
        const auto axesX = chart_->axes(Qt::Horizontal);
        const auto axesY = chart_->axes(Qt::Vertical);
        if (!axesX.isEmpty())
            axesX.first()->setRange(-statistics.Scale, 256 * statistics.Scale);
        if (!axesY.isEmpty())
            axesY.first()->setRange(floor, tallest * 1.5);

        if (Mode() != UserDefined) {
            const double low = std::max(0.0, statistics.Minimum);
            const double high = statistics.Maximum;
            slider_->SetRange(RoundToInt(low), RoundToInt(high));
            slider_->SetValues(RoundToInt(low), RoundToInt(high));
            edtMinimum_->setMaximum(high);
            edtMaximum_->setMaximum(high);
            edtMinimum_->setValue(low);
            edtMaximum_->setValue(high);
            const double step = high > 0 ? high / 100 : 1;
            edtMinimum_->setSingleStep(step);
            edtMaximum_->setSingleStep(step);
        }
        SetControlsEnabled(true);
    } catch (const std::exception&) {
        // the window keeps what it showed
    }
}

void TfrmDisplayMode::ApplyMode() {
    if (!HasGreyImage())
        return;
    TFImage& image = *image_();
    double low = 0, high = 0;
    switch (Mode()) {
    case RandomSampling:
        if (GreyRandomRange(image, low, high, RandomSampleCount) < 0)
            return;
        break;
    case MinAndMax:
        if (GreyMinMax(image, low, high) < 0)
            return;
        break;
    case UserDefined:
        low = edtMinimum_->value();
        high = edtMaximum_->value();
        break;
    }
    edtMinimum_->setValue(low);
    edtMaximum_->setValue(high);
    slider_->SetValues(RoundToInt(low), RoundToInt(high));
    ApplyFieldsToImage();
}

void TfrmDisplayMode::ApplyFieldsToImage() {
    TFImage& image = *image_();
    image.DisplayLow = static_cast<float>(edtMinimum_->value());
    image.DisplayHigh = static_cast<float>(edtMaximum_->value());
    image.RefreshDisplay();
    if (repaint_)
        repaint_();
}

void TfrmDisplayMode::ThumbsMoved(int low, int high) {
    if (!HasGreyImage())
        return;
    edtMinimum_->setValue(low);
    edtMaximum_->setValue(high);
    ApplyFieldsToImage();
}

void TfrmDisplayMode::MinimumEntered() {
    if (!HasGreyImage())
        return;
    SelectModeQuietly(UserDefined);
    TFImage& image = *image_();
    image.DisplayLow = static_cast<float>(edtMinimum_->value());
    slider_->SetLow(RoundToInt(edtMinimum_->value()));
    image.RefreshDisplay();
    if (repaint_)
        repaint_();
}

void TfrmDisplayMode::MaximumEntered() {
    if (!HasGreyImage())
        return;
    SelectModeQuietly(UserDefined);
    TFImage& image = *image_();
    image.DisplayHigh = static_cast<float>(edtMaximum_->value());
    slider_->SetHigh(RoundToInt(edtMaximum_->value()));
    image.RefreshDisplay();
    if (repaint_)
        repaint_();
}
