// The Gamma and Brightness and Contrast dialogs driven by their controls, offscreen; the
// Statistics window's rows and exports; the Histogram dialog's series.

#include "adjust/BriConForm.h"
#include "adjust/GammaForm.h"
#include "adjust/HistogramForm.h"
#include "adjust/StatisticsForm.h"
#include "app/QtDispatcher.h"
#include "core/fimage.h"
#include "gui/AdjustFormTestSupport.h"
#include "support/ImageFixtures.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "ui/SpinEdit.h"
#include "ui/TrackBar.h"

#include <QAbstractSeries>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

class TestAdjustForms : public QObject {
    Q_OBJECT
    TQtDispatcher* dispatcher_ = nullptr;

private slots:
    void initTestCase() { dispatcher_ = new TQtDispatcher; }
    void cleanupTestCase() { delete dispatcher_; }

    void GammaOkMatchesTheEngineAndUndoRestores() {
        auto image = MakeRgb24(60, 40, Pattern());
        auto expected = MakeRgb24(60, 40, Pattern());
        auto original = MakeRgb24(60, 40, Pattern());
        QCOMPARE(ApplyGamma(*expected, 2.3f), 0);
        THooks hooks;
        TfrmGamma form;
        form.SetDocument(image.get(), dispatcher_, hooks.Make());
        QTimer::singleShot(0, [&] {
            // A typed value goes to the nearest tenth through the slider.
            Find<TSpinEdit>(form, "edtGamma")->setValue(2.34);
            QCOMPARE(Find<TTrackBar>(form, "trkGamma")->value(), 23);
            QCOMPARE(Find<TSpinEdit>(form, "edtGamma")->value(), 2.3);
            Find<QPushButton>(form, "btnOK")->click();
        });
        QCOMPARE(form.exec(), int(QDialog::Accepted));
        QVERIFY(SamePixels(*image, *expected));
        QVERIFY(Find<QPushButton>(form, "btnOK")->isEnabled());
        QCOMPARE(hooks.Progress.last(), QString(""));
        QVERIFY(hooks.Progress.contains("100%"));
        QVERIFY(hooks.Undo.UndoRestore(*image));
        QVERIFY(SamePixels(*image, *original));
    }

    void GammaCancelLeavesThePixelsAndShowsThemAgain() {
        auto image = MakeGrey16(50, 30, [](int x, int y) { return std::uint16_t(100 + x * y); });
        auto original = MakeGrey16(50, 30, [](int x, int y) { return std::uint16_t(100 + x * y); });
        const auto shown = DisplayBytes(*image);
        THooks hooks;
        TfrmGamma form;
        form.SetDocument(image.get(), dispatcher_, hooks.Make());
        QTimer::singleShot(0, [&] {
            Find<TTrackBar>(form, "trkGamma")->setValue(40);
            QTRY_VERIFY(DisplayBytes(*image) != shown); // the preview is on screen
            Find<QPushButton>(form, "btnReset")->click();
            QCOMPARE(Find<TSpinEdit>(form, "edtGamma")->value(), 1.0);
            Find<QPushButton>(form, "btnCancel")->click();
        });
        QCOMPARE(form.exec(), int(QDialog::Rejected));
        QVERIFY(SamePixels(*image, *original));
        QVERIFY(DisplayBytes(*image) == shown);
        QCOMPARE(hooks.ModeResets, 0);
        QVERIFY(!hooks.Undo.Available());
    }

    void BriConOkMatchesTheEngine() {
        auto image = MakeRgb24(40, 30, Pattern());
        auto expected = MakeRgb24(40, 30, Pattern());
        QCOMPARE(ApplyBriCon(*expected, {15, 20}), 0);
        THooks hooks;
        TfrmBriCon form;
        form.SetDocument(image.get(), dispatcher_, hooks.Make());
        QTimer::singleShot(0, [&] {
            Find<TTrackBar>(form, "trkBri")->setValue(15);
            QCOMPARE(Find<TSpinEdit>(form, "edtBri")->value(), 15.0);
            Find<TSpinEdit>(form, "edtCon")->setValue(20);
            QCOMPARE(Find<TTrackBar>(form, "trkCon")->value(), 20);
            const int built = form.Session()->TablesBuilt();
            Find<TTrackBar>(form, "trkBri")->setValue(15); // same position: no new tables
            QCOMPARE(form.Session()->TablesBuilt(), built);
            Find<QPushButton>(form, "btnOK")->click();
        });
        QCOMPARE(form.exec(), int(QDialog::Accepted));
        QVERIFY(SamePixels(*image, *expected));
        QVERIFY(hooks.Undo.Available());
        Find<QPushButton>(form, "btnReset")->click();
        QCOMPARE(Find<TSpinEdit>(form, "edtCon")->value(), 0.0);
    }

    void StatisticsRowsDeleteAndExports() {
        TMessageRecorder messages(TMessageResult::No);
        TTempDir dir;
        auto colour = MakeRgb24(3, 2, Pattern());
        colour->FileName = dir.Path("moon.png");
        auto grey = MakeGrey16(2, 2, [](int x, int) { return std::uint16_t(x); });
        TfrmStatistics form;
        form.AddImage(*colour);
        form.AddImage(*grey);
        auto* list = Find<QTreeWidget>(form, "lstReport");
        QCOMPARE(list->topLevelItemCount(), 4);
        QCOMPARE(list->topLevelItem(0)->text(0), QString("moon.png"));
        QCOMPARE(list->topLevelItem(3)->text(1), QString("*"));

        form.AskCsvPath = [&](const QString&) { return QString::fromStdString(dir.Path("r")); };
        form.btnSaveClick();
        QCOMPARE(QString::fromStdString(FileBytes(dir.Path("r.csv"))).count("\r\n"), 4);

        QString opened;
        form.OpenWorkbook = [&](const QString& path) { opened = path; };
        QString offered;
        form.AskWorkbookPath = [&](const QString& start) {
            offered = start;
            return start;
        };
        form.btnExcelClick();
        QCOMPARE(offered, QString::fromStdString(dir.Path("Zelvane Image Statistics.xlsx")));
        QCOMPARE(opened, offered);
        QVERIFY(QFileInfo(opened).size() > 0);
        form.AskWorkbookPath = [&](const QString&) {
            return QString::fromStdString(dir.Path("missing/book.xlsx"));
        };
        form.btnExcelClick();
        QCOMPARE(messages.Last().Text, std::string("Error Establishing Communication"));

        list->setCurrentItem(list->topLevelItem(1));
        Find<QToolButton>(form, "btnDelItem")->click();
        QCOMPARE(list->topLevelItemCount(), 3);
        Find<QToolButton>(form, "btnDelAll")->click(); // answered No
        QCOMPARE(list->topLevelItemCount(), 3);
        QCOMPARE(messages.Last().Text,
                 std::string("Are you sure you want to delete all items in this report?"));
        TMessageRecorder yes(TMessageResult::Yes);
        Find<QToolButton>(form, "btnDelAll")->click();
        QCOMPARE(list->topLevelItemCount(), 0);
    }

    void HistogramSeriesPerKind() {
        auto colour = MakeRgb48(4, 4, [](int x, int) {
            return std::array<std::uint16_t, 3>{std::uint16_t(x * 1000), 0, 65535};
        });
        colour->FileName = "/a/b/c.tif";
        TfrmHistogram form;
        form.SetDocument(colour.get());
        form.show();
        QCOMPARE(form.windowTitle(), QString("Histogram - c.tif"));
        const auto visible = [&] {
            QStringList names;
            for (QAbstractSeries* s : form.Chart()->series())
                if (s->isVisible())
                    names << s->name();
            return names;
        };
        QCOMPARE(visible(), (QStringList{"Red", "Green", "Blue"}));
        Find<QComboBox>(form, "cmbHistogramType")->setCurrentText("Intensity");
        QCOMPARE(visible(), QStringList{"Intensity"});
        QVERIFY(form.LogScale());
        Find<QPushButton>(form, "btnLog")->click();
        QVERIFY(!form.LogScale());
        TTempDir dir;
        form.AskBitmapPath = [&](const QString&) { return QString::fromStdString(dir.Path("h")); };
        Find<QPushButton>(form, "btnSave")->click();
        QVERIFY(QImage(QString::fromStdString(dir.Path("h.bmp"))).width() > 0);
        form.hide();

        auto grey = MakeGrey16(4, 4, [](int x, int) { return std::uint16_t(x * 10); });
        form.SetDocument(grey.get());
        form.show();
        QVERIFY(!Find<QComboBox>(form, "cmbHistogramType")->isEnabled());
        QCOMPARE(form.Chart()->series().size(), 1);
    }
};

QTEST_MAIN(TestAdjustForms)
#include "test_adjust_forms.moc"
