#include "adjust/HistogramForm.h"

#include "core/fimage.h"

#include <QApplication>
#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineSeries>
#include <QLinearGradient>
#include <QLogValueAxis>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <filesystem>

namespace {

// A stair line through (x[i], y[i]): flat from x[i] to x[i+1]. On a log axis zero counts sit
// on the axis floor, which a logarithm cannot reach.
QLineSeries* Stairs(const double* y, int stride, double step, bool log, QObject* parent) {
    auto* series = new QLineSeries(parent);
    for (int i = 0; i < 256; ++i) {
        const double v = log ? std::max(y[i * stride], 0.5) : y[i * stride];
        series->append(i * step, v);
        series->append((i + 1) * step, v);
    }
    return series;
}

} // namespace

TfrmHistogram::TfrmHistogram(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Histogram");
    setSizeGripEnabled(true);
    Chart1_ = new QChartView(new QChart, this);
    Chart1_->setObjectName("Chart1");
    Chart1_->setRenderHint(QPainter::Antialiasing);
    cmbHistogramType_ = new QComboBox(this);
    cmbHistogramType_->setObjectName("cmbHistogramType");
    cmbHistogramType_->addItems({"RGB", "Red", "Green", "Blue", "Intensity"});
    btnLog_ = new QPushButton("Log Scale", this);
    btnLog_->setObjectName("btnLog");
    btnLog_->setCheckable(true);
    btnLog_->setChecked(true);
    auto* copy = new QPushButton("Copy", this);
    copy->setObjectName("btnCopy");
    auto* print = new QPushButton("Print", this);
    print->setObjectName("btnPrint");
    auto* save = new QPushButton("Save", this);
    save->setObjectName("btnSave");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmbHistogramType_);
    buttons->addWidget(btnLog_);
    buttons->addStretch(1);
    for (QPushButton* b : {copy, print, save})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Chart1_, 1);
    layout->addLayout(buttons);
    resize(640, 440);

    connect(cmbHistogramType_, &QComboBox::currentIndexChanged, this,
            &TfrmHistogram::cmbHistogramTypeChange);
    connect(btnLog_, &QPushButton::clicked, this, &TfrmHistogram::btnLogClick);
    connect(copy, &QPushButton::clicked, this, &TfrmHistogram::btnCopyClick);
    connect(print, &QPushButton::clicked, this, &TfrmHistogram::btnPrintClick);
    connect(save, &QPushButton::clicked, this, &TfrmHistogram::btnSaveClick);

    AskBitmapPath = [this](const QString& start) {
        return QFileDialog::getSaveFileName(this, "Save", start,
                                            "Bitmap Files (*.bmp);;All Files (*.*)");
    };
}

QChart* TfrmHistogram::Chart() const {
    return Chart1_->chart();
}

void TfrmHistogram::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfrmHistogram::FormShow() {
    if (!image_)
        return;
    const QString name =
        QString::fromStdString(std::filesystem::path(image_->FileName).filename().string());
    setWindowTitle("Histogram - " + name);
    QChart* chart = Chart();
    chart->setTitle("Histogram - " + name);
    chart->setTitleFont(QFont("Arial", 16));
    chart->setTitleBrush(Qt::black);
    chart->legend()->hide();
    QLinearGradient background(0, 0, 0, 1);
    background.setCoordinateMode(QGradient::ObjectBoundingMode);
    background.setColorAt(0, Qt::white);
    background.setColorAt(1, QColor(200, 200, 200));
    chart->setBackgroundBrush(background);

    const TImageKind kind = image_->Kind();
    grey_ = kind == TImageKind::Grey16 || kind == TImageKind::GreyFloat;
    if (grey_)
        RegionGreyHistogram(WholeImage(*image_), *image_, greyHistogram_);
    else
        RegionColourHistogram(WholeImage(*image_), *image_, colourHistogram_);
    cmbHistogramType_->setEnabled(!grey_);
    {
        const QSignalBlocker block(cmbHistogramType_);
        cmbHistogramType_->setCurrentIndex(0);
    }
    BuildSeries();
}

void TfrmHistogram::BuildSeries() {
    QChart* chart = Chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes())
        chart->removeAxis(axis);

    auto* xAxis = new QValueAxis;
    xAxis->setTitleText("Pixel Value");
    xAxis->setGridLineVisible(false);
    QAbstractAxis* yAxis;
    if (log_) {
        auto* logAxis = new QLogValueAxis;
        logAxis->setBase(10);
        logAxis->setLabelFormat("%g");
        yAxis = logAxis;
    } else {
        yAxis = new QValueAxis;
    }
    yAxis->setTitleText("Frequency");
    yAxis->setGridLineVisible(false);
    chart->addAxis(xAxis, Qt::AlignBottom);
    chart->addAxis(yAxis, Qt::AlignLeft);

    const auto add = [&](QAbstractSeries* series, const QString& name) {
        series->setName(name);
        chart->addSeries(series);
        series->attachAxis(xAxis);
        series->attachAxis(yAxis);
    };
    const auto area = [&](const double* counts, double step, QColor colour, const QString& name) {
        auto* upper = Stairs(counts, 1, step, log_, chart);
        auto* lower = new QLineSeries(chart);
        const double floor = log_ ? 0.5 : 0;
        lower->append(0, floor);
        lower->append(256 * step, floor);
        auto* series = new QAreaSeries(upper, lower);
        series->setBrush(colour);
        series->setPen(QPen(colour));
        add(series, name);
    };

    double maxCount = 1;
    if (grey_) {
        const double step = greyHistogram_.Scale > 0 ? 1.0 / greyHistogram_.Scale : 1.0;
        area(greyHistogram_.Bins, step, Qt::black, "Grey");
        maxCount =
            std::max(maxCount, *std::max_element(greyHistogram_.Bins, greyHistogram_.Bins + 256));
        xAxis->setRange(0, 256 * step);
    } else {
        const double step = 1.0 / colourHistogram_.Scale;
        double channels[3][256], intensity[256];
        for (int i = 0; i < 256; ++i) {
            for (int c = 0; c < 3; ++c) {
                channels[c][i] = colourHistogram_.Counts[i][c];
                maxCount = std::max(maxCount, channels[c][i]);
            }
            intensity[i] = (channels[0][i] + channels[1][i] + channels[2][i]) / 3;
        }
        const QColor colours[3] = {Qt::red, Qt::darkGreen, Qt::blue};
        const char* names[3] = {"Red", "Green", "Blue"};
        for (int c = 0; c < 3; ++c) {
            auto* line = Stairs(channels[c], 1, step, log_, chart);
            line->setPen(QPen(colours[c]));
            add(line, names[c]);
        }
        area(intensity, step, Qt::darkGray, "Intensity");
        xAxis->setRange(0, 256 * step);
        cmbHistogramTypeChange();
    }
    yAxis->setRange(log_ ? 0.5 : 0, maxCount * (log_ ? 2 : 1.05));
}

void TfrmHistogram::cmbHistogramTypeChange() {
    if (grey_)
        return;
    const QString type = cmbHistogramType_->currentText();
    for (QAbstractSeries* series : Chart()->series()) {
        const QString name = series->name();
        series->setVisible(type == "RGB" ? name != "Intensity" : name == type);
    }
}

void TfrmHistogram::btnLogClick() {
    log_ = !log_;
    btnLog_->setChecked(log_);
    BuildSeries();
}

QImage TfrmHistogram::ChartImage() const {
    QImage picture(Chart1_->size(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    Chart1_->render(&painter);
    return picture;
}

void TfrmHistogram::btnCopyClick() {
    QApplication::clipboard()->setImage(ChartImage());
}

void TfrmHistogram::btnPrintClick() {
    QPrinter printer;
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int copies = printer.copyCount();
    printer.setCopyCount(1); // the copies are printed here, one page each
    if (copies <= 0)
        return;
    QPainter painter(&printer);
    for (int i = 0; i < copies; ++i) {
        if (i > 0)
            printer.newPage();
        Chart1_->render(&painter);
    }
}

void TfrmHistogram::btnSaveClick() {
    QString path = AskBitmapPath ? AskBitmapPath(QString()) : QString();
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += ".bmp";
    ChartImage().save(path, "BMP");
}
