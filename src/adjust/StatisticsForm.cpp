#include "adjust/StatisticsForm.h"

#include "app/FileDialogFilter.h"
#include "core/Messages.h"
#include "core/fimage.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QToolButton* MakeButton(QWidget* parent, const char* name, const char* text, const char* hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    const QString h = QString::fromUtf8(hint);
    button->setToolTip(h.section('|', 0, 0));
    button->setStatusTip(h.section('|', 1));
    return button;
}

} // namespace

TfrmStatistics::TfrmStatistics(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Statistics");
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    setModal(false);
    lstReport_ = new QTreeWidget(this);
    lstReport_->setObjectName("lstReport");
    lstReport_->setRootIsDecorated(false);
    QStringList captions;
    for (const char* caption : StatisticsColumnCaptions())
        captions << caption;
    lstReport_->setHeaderLabels(captions);
    lstReport_->setContextMenuPolicy(Qt::CustomContextMenu);

    auto* save = MakeButton(this, "btnSave", "Save", "Save|Save data as a CSV file");
    auto* excel =
        MakeButton(this, "btnExcel", "Excel", "Send to Excel|Send data to Microsoft Excel");
    auto* delItem =
        MakeButton(this, "btnDelItem", "Delete", "Delete Item|Delete the selected item");
    auto* delAll = MakeButton(this, "btnDelAll", "Delete All", "Delete All|Delete all items");
    popup_ = new QMenu(this);
    popup_->setObjectName("PopupMenu1");
    QAction* deleteItem = popup_->addAction("&Delete Item");
    deleteItem->setObjectName("DeleteItem1");
    QAction* deleteAll = popup_->addAction("Delete &All");
    deleteAll->setObjectName("DeleteAll1");

    auto* buttons = new QHBoxLayout;
    for (QToolButton* b : {save, excel, delItem, delAll})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(lstReport_);
    resize(760, 260);

    connect(save, &QToolButton::clicked, this, &TfrmStatistics::btnSaveClick);
    connect(excel, &QToolButton::clicked, this, &TfrmStatistics::btnExcelClick);
    connect(delItem, &QToolButton::clicked, this, &TfrmStatistics::btnDelItemClick);
    connect(delAll, &QToolButton::clicked, this, &TfrmStatistics::btnDelAllClick);
    connect(deleteItem, &QAction::triggered, this, &TfrmStatistics::btnDelItemClick);
    connect(deleteAll, &QAction::triggered, this, &TfrmStatistics::btnDelAllClick);
    connect(lstReport_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->popup(lstReport_->viewport()->mapToGlobal(at)); });

    AskCsvPath = [this](const QString& start) {
        return QFileDialog::getSaveFileName(
            this, "Save", start, QtFileFilter("CSV Files (*.csv)|*.csv|All Files (*.*)|*.*|"));
    };
    AskWorkbookPath = [this](const QString& start) {
        return QFileDialog::getSaveFileName(this, "Send to Excel", start,
                                            "Excel Workbook (*.xlsx);;All Files (*)");
    };
    OpenWorkbook = [](const QString& path) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    };
}

void TfrmStatistics::AddImage(const TFImage& image) {
    report_.AddImage(image);
    if (!image.FileName.empty())
        lastFolder_ = QFileInfo(QString::fromStdString(image.FileName)).absolutePath();
    Fill();
}

void TfrmStatistics::Fill() {
    lstReport_->clear();
    for (const TStatisticsRow& row : report_.Rows()) {
        QStringList columns;
        for (const std::string& text : row)
            columns << QString::fromStdString(text);
        lstReport_->addTopLevelItem(new QTreeWidgetItem(columns));
    }
    for (int c = 0; c < lstReport_->columnCount(); ++c)
        lstReport_->resizeColumnToContents(c);
}

void TfrmStatistics::btnSaveClick() {
    QString path = AskCsvPath ? AskCsvPath(lastFolder_) : QString();
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += ".csv";
    report_.SaveCsv(path.toStdString()); // silent on failure
}

void TfrmStatistics::btnExcelClick() {
    const QString start =
        (lastFolder_.isEmpty() ? QString() : lastFolder_ + "/") + "Zelvane Image Statistics.xlsx";
    QString path = AskWorkbookPath ? AskWorkbookPath(start) : QString();
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += ".xlsx";
    if (!WriteStatisticsWorkbook(report_.Rows(), path.toStdString())) {
        TMessage message;
        message.Kind = TMessageKind::Error;
        message.Title = "Error";
        message.Text = "Error Establishing Communication";
        message.Detail = "There was an error establishing communication with Microsoft Excel.  "
                         "Please make sure Microsoft Excel is installed correctly on this "
                         "computer.";
        ShowMessage(message);
        return;
    }
    if (OpenWorkbook)
        OpenWorkbook(path);
}

void TfrmStatistics::btnDelItemClick() {
    const int index = lstReport_->indexOfTopLevelItem(lstReport_->currentItem());
    if (index < 0)
        return;
    report_.Delete(static_cast<std::size_t>(index));
    Fill();
}

void TfrmStatistics::btnDelAllClick() {
    TMessage message;
    message.Kind = TMessageKind::Confirmation;
    message.Text = "Are you sure you want to delete all items in this report?";
    message.Buttons = TMessageButtons::YesNo;
    if (ShowMessage(message) != TMessageResult::Yes)
        return;
    report_.Clear();
    Fill();
}
