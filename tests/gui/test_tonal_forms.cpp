// The Levels, Curves and Hue/Saturation/Lightness dialogs driven by their controls, offscreen:
// OK against the engine routine, Cancel, Reset and Undo.

#include "adjust/CurvesForm.h"
#include "adjust/HSIForm.h"
#include "adjust/LevelsForm.h"
#include "app/QtDispatcher.h"
#include "core/fimage.h"
#include "gui/AdjustFormTestSupport.h"
#include "support/ImageFixtures.h"
#include "ui/RangeSlider.h"
#include "ui/SpinEdit.h"
#include "ui/TrackBar.h"

#include <QAbstractSeries>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QLogValueAxis>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestTonalForms : public QObject {
    Q_OBJECT
    TQtDispatcher* dispatcher_ = nullptr;

private slots:
    void initTestCase() { dispatcher_ = new TQtDispatcher; }
    void cleanupTestCase() { delete dispatcher_; }

    void LevelsOkMatchesTheEngineAndUndoRestores() {
        auto image = MakeRgb24(40, 30, Pattern());
        auto expected = MakeRgb24(40, 30, Pattern());
        QCOMPARE(ApplyLevels(*expected, {0, 127, 0, 255, LevelsRed}), 0);
        THooks hooks;
        TfrmLevels form;
        form.SetDocument(image.get(), dispatcher_, hooks.Make());
        QTimer::singleShot(0, [&] {
            // The identity at opening, over the full scale.
            QCOMPARE(Find<TSpinEdit>(form, "edtInMin")->value(), 0.0);
            QCOMPARE(Find<TSpinEdit>(form, "edtOutMax")->value(), 255.0);
            QVERIFY(Find<QComboBox>(form, "cmbChannel")->isEnabled());
            Find<QComboBox>(form, "cmbChannel")->setCurrentIndex(LevelsRed);
            Find<TSpinEdit>(form, "edtInMax")->setValue(127);
            QCOMPARE(Find<TRangeSlider>(form, "trkInLevels")->High(), 127);
            // The log axis changes the chart only.
            Find<QCheckBox>(form, "chkLog")->click();
            QVERIFY(qobject_cast<QLogValueAxis*>(form.Chart()->axes(Qt::Vertical).value(0)));
            QCOMPARE(form.Chart()->series().size(), 1);
            Find<QPushButton>(form, "btnOK")->click();
        });
        QCOMPARE(form.exec(), int(QDialog::Accepted));
        QVERIFY(SamePixels(*image, *expected));
        // Progress counts the index of the row just done: 29 of 30 rows is 97%.
        QVERIFY(hooks.Progress.contains("90%"));
        QCOMPARE(hooks.Progress.last(), QString(""));
        QVERIFY(hooks.Undo.UndoRestore(*image));
        QVERIFY(SamePixels(*image, *MakeRgb24(40, 30, Pattern())));
    }

    void LevelsOnGreyStartsAtTheDataRangeAndResets() {
        auto image = MakeGrey16(30, 20, [](int x, int y) { return std::uint16_t(1000 + x * y); });
        const auto shown = DisplayBytes(*image);
        THooks hooks;
        TfrmLevels form;
        form.SetDocument(image.get(), dispatcher_, hooks.Make());
        QTimer::singleShot(0, [&] {
            QVERIFY(!Find<QComboBox>(form, "cmbChannel")->isEnabled());
            QCOMPARE(Find<TSpinEdit>(form, "edtInMin")->value(), 1000.0);
            QCOMPARE(Find<TSpinEdit>(form, "edtInMax")->value(), 1000.0 + 29 * 19);
            QCOMPARE(Find<TSpinEdit>(form, "edtOutMin")->decimals(), 2);
            Find<TSpinEdit>(form, "edtInMax")->setValue(1200);
            Find<TSpinEdit>(form, "edtOutMax")->setValue(1300);
            QTRY_VERIFY(DisplayBytes(*image) != shown); // the preview is on screen
            Find<QPushButton>(form, "btnReset")->click();
            QCOMPARE(Find<TSpinEdit>(form, "edtInMax")->value(), 1000.0 + 29 * 19);
            QCOMPARE(Find<TSpinEdit>(form, "edtOutMax")->value(), 1000.0 + 29 * 19);
            QCOMPARE(Find<TRangeSlider>(form, "trkOutLevels")->High(), 1000 + 29 * 19);
            Find<QPushButton>(form, "btnCancel")->click();
        });
        QCOMPARE(form.exec(), int(QDialog::Rejected));
        QVERIFY(SamePixels(
            *image, *MakeGrey16(30, 20, [](int x, int y) { return std::uint16_t(1000 + x * y); })));
        QVERIFY(DisplayBytes(*image) == shown);
        QVERIFY(!hooks.Undo.Available());
    }

    void CurvesDragAPointThenOk() {
        auto image = MakeRgb48(30, 20, [](int x, int y) {
            return std::array<std::uint16_t, 3>{std::uint16_t(x * 2000), std::uint16_t(y * 3000),
                                                40000};
        });
        auto original = MakeRgb48(30, 20, [](int x, int y) {
            return std::array<std::uint16_t, 3>{std::uint16_t(x * 2000), std::uint16_t(y * 3000),
                                                40000};
        });
        auto expected = MakeRgb48(30, 20, [](int x, int y) {
            return std::array<std::uint16_t, 3>{std::uint16_t(x * 2000), std::uint16_t(y * 3000),
                                                40000};
        });
        TCurvesParams params;
        params.Sets[CurveRgb] = {{0, 255, false}, {128, 60, false}, {255, 0, false}};
        QCOMPARE(ApplyCurves(*expected, params), 0);

        THooks hooks;
        TfrmCurves form;
        form.SetDocument(image.get(), dispatcher_, hooks.Make());
        QTimer::singleShot(0, [&] {
            auto* editor = Find<QWidget>(form, "Image1");
            QTest::mousePress(editor, Qt::LeftButton, {}, TCurveView::WidgetPoint(128, 120));
            QTest::mouseMove(editor, TCurveView::WidgetPoint(128, 90));
            QTest::mouseMove(editor, TCurveView::WidgetPoint(128, 60));
            QTest::mouseRelease(editor, Qt::LeftButton, {}, TCurveView::WidgetPoint(128, 60));
            QCOMPARE(form.Editor().Points().size(), 3u);
            // A right click on an end point changes nothing.
            QTest::mouseClick(editor, Qt::RightButton, {}, TCurveView::WidgetPoint(255, 0));
            QCOMPARE(form.Editor().Points().size(), 3u);
            // OK applies the curves shown, also with Preview off.
            Find<QCheckBox>(form, "chkPreview")->click();
            Find<QPushButton>(form, "btnOK")->click();
        });
        QCOMPARE(form.exec(), int(QDialog::Accepted));
        QVERIFY(SamePixels(*image, *expected));
        QVERIFY(hooks.Undo.UndoRestore(*image));
        QVERIFY(SamePixels(*image, *original));
    }

    void CurvesOpenWithTheNeutralCurveAndOkKeepsTheImage() {
        const auto grey = [](int x, int y) { return std::uint16_t(500 + x * 7 + y); };
        auto image = MakeGrey16(20, 10, grey);
        THooks hooks;
        TfrmCurves form;
        form.SetDocument(image.get(), dispatcher_, hooks.Make());
        QTimer::singleShot(0, [&] {
            QVERIFY(!Find<QComboBox>(form, "cmbChannel")->isEnabled());
            auto* editor = Find<QWidget>(form, "Image1");
            QTest::mouseClick(editor, Qt::LeftButton, {}, TCurveView::WidgetPoint(60, 60));
            Find<QPushButton>(form, "btnReset")->click();
            QVERIFY(form.Editor().Points() == DefaultCurvePoints());
            Find<QPushButton>(form, "btnOK")->click();
        });
        QCOMPARE(form.exec(), int(QDialog::Accepted));
        QVERIFY(SamePixels(*image, *MakeGrey16(20, 10, grey)));
        QCOMPARE(hooks.ModeResets, 1);
        QVERIFY(hooks.Undo.Available());
    }

    void HSIOkMatchesTheEngineResetAndCancel() {
        auto image = MakeRgb24(30, 20, Pattern());
        auto expected = MakeRgb24(30, 20, Pattern());
        QCOMPARE(ApplyHSI(*expected, {120, -30, 10}), 0);
        THooks hooks;
        TfrmHSI form;
        form.SetDocument(image.get(), dispatcher_, hooks.Make());
        QTimer::singleShot(0, [&] {
            Find<TSpinEdit>(form, "edtHue")->setValue(119.6); // to the nearest whole degree
            QCOMPARE(Find<TTrackBar>(form, "trkHue")->value(), 120);
            QCOMPARE(Find<TSpinEdit>(form, "edtHue")->value(), 120.0);
            Find<TTrackBar>(form, "trkSaturation")->setValue(-30);
            QCOMPARE(Find<TSpinEdit>(form, "edtSaturation")->value(), -30.0);
            Find<TTrackBar>(form, "trkIntensity")->setValue(10);
            Find<QPushButton>(form, "btnOK")->click();
        });
        QCOMPARE(form.exec(), int(QDialog::Accepted));
        QVERIFY(SamePixels(*image, *expected));

        // Reopening keeps the positions; Reset and Cancel leave the image alone.
        const auto shown = DisplayBytes(*image);
        QTimer::singleShot(0, [&] {
            QCOMPARE(Find<TTrackBar>(form, "trkHue")->value(), 120);
            QTRY_VERIFY(DisplayBytes(*image) != shown);
            Find<QPushButton>(form, "btnReset")->click();
            QCOMPARE(Find<TSpinEdit>(form, "edtIntensity")->value(), 0.0);
            Find<QPushButton>(form, "btnCancel")->click();
        });
        QCOMPARE(form.exec(), int(QDialog::Rejected));
        QVERIFY(SamePixels(*image, *expected));
        QVERIFY(DisplayBytes(*image) == shown);
    }
};

QTEST_MAIN(TestTonalForms)
#include "test_tonal_forms.moc"
