#pragma once
// The "Histogram" dialog: the image's 256-bin histogram charted with Qt Charts; colour images
// choose between the channels and the intensity.

#include "adjust/Statistics.h"

#include <QDialog>

#include <functional>

class QChart;
class QChartView;
class QComboBox;
class QPushButton;
class TFImage;

class TfrmHistogram : public QDialog {
    Q_OBJECT
public:
    explicit TfrmHistogram(QWidget* parent = nullptr);

    void SetDocument(const TFImage* image) { image_ = image; }
    bool LogScale() const { return log_; }
    QChart* Chart() const;
    // The chart drawn on white, as Copy and Save give it.
    QImage ChartImage() const;
    // Replaceable in tests: given a default path, the chosen one or "".
    std::function<QString(const QString&)> AskBitmapPath;

public slots:
    void cmbHistogramTypeChange();
    void btnLogClick();
    void btnCopyClick();
    void btnPrintClick();
    void btnSaveClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void BuildSeries();

    const TFImage* image_ = nullptr;
    bool grey_ = false;
    bool log_ = true;
    TGreyHistogram greyHistogram_;
    TColourHistogram colourHistogram_;
    QChartView* Chart1_;
    QComboBox* cmbHistogramType_;
    QPushButton* btnLog_;
};
