#pragma once
// The "Statistics" window: the growing report of image statistics, saved as CSV or exported as
// a spreadsheet workbook. It stays on top and is not modal.

#include "adjust/StatisticsReport.h"

#include <QDialog>

#include <functional>

class QMenu;
class QTreeWidget;
class QToolButton;

class TfrmStatistics : public QDialog {
    Q_OBJECT
public:
    explicit TfrmStatistics(QWidget* parent = nullptr);

    // Adds the rows of the image (the action does this before showing the window).
    void AddImage(const TFImage& image);
    const TStatisticsReport& Report() const { return report_; }

    // File choosers, replaceable in tests: given a default path, the chosen one or "".
    std::function<QString(const QString&)> AskCsvPath;
    std::function<QString(const QString&)> AskWorkbookPath;
    // Opens a written workbook with the desktop's default application.
    std::function<void(const QString&)> OpenWorkbook;

public slots:
    void btnSaveClick();
    void btnExcelClick();
    void btnDelItemClick();
    void btnDelAllClick();

private:
    void Fill();

    TStatisticsReport report_;
    QString lastFolder_;
    QTreeWidget* lstReport_;
    QMenu* popup_;
};
