// The Resize dialog's arithmetic and its OK run, offscreen.

#include "app/MainForm.h"
#include "core/DataContainerUndo.h"
#include "core/fimage.h"
#include "geometry/ResizeForm.h"
#include "support/ImageFixtures.h"
#include "ui/SpinEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

class TestResizeForm : public QObject {
    Q_OBJECT

    template <class T> T* Find(TfrmResize& form, const char* name) {
        T* child = form.findChild<T*>(name);
        if (!child)
            qFatal("no control %s", name);
        return child;
    }

private slots:
    void ShowTakesTheImageSize() {
        auto image = MakeGrey16(400, 300, [](int x, int) { return x; });
        TfrmResize form;
        form.SetDocument(image.get(), nullptr);
        form.show();
        QCOMPARE(Find<TSpinEdit>(form, "edtWidth")->value(), 400.0);
        QCOMPARE(Find<TSpinEdit>(form, "edtHeight")->value(), 300.0);
        QVERIFY(Find<QRadioButton>(form, "rbAbsolute")->isChecked());
        QVERIFY(Find<QCheckBox>(form, "chkAspectRatio")->isChecked());
        QVERIFY(!Find<TSpinEdit>(form, "edtPercentage")->isEnabled());
        QCOMPARE(Find<QComboBox>(form, "cmbMethod")->currentText(), QString("Nearest Neighbor"));
        QCOMPARE(Find<QComboBox>(form, "cmbMethod")->count(), 6);
        QVERIFY(!Find<QLabel>(form, "lblConvert")->isVisible());
    }

    void AspectRatioFollowsTheFields() {
        auto image = MakeGrey16(400, 300, [](int x, int) { return x; });
        TfrmResize form;
        form.SetDocument(image.get(), nullptr);
        form.show();
        auto* width = Find<TSpinEdit>(form, "edtWidth");
        auto* height = Find<TSpinEdit>(form, "edtHeight");
        auto* aspect = Find<QCheckBox>(form, "chkAspectRatio");
        width->setValue(100);
        QCOMPARE(height->value(), 75.0);
        height->setValue(150);
        QCOMPARE(width->value(), 200.0);
        // Unlocked, the fields are independent; locking again derives the height from the width.
        aspect->click();
        QCOMPARE(height->value(), 150.0);
        height->setValue(10);
        QCOMPARE(width->value(), 200.0);
        aspect->click();
        QCOMPARE(height->value(), 150.0);
        QCOMPARE(form.TargetSize(), (TResizeSize{200, 150}));
    }

    void ModesGiveTheirTargetSize() {
        auto image = MakeGrey16(400, 300, [](int x, int) { return x; });
        TfrmResize form;
        form.SetDocument(image.get(), nullptr);
        form.show();
        Find<QRadioButton>(form, "rbPercentage")->click();
        QVERIFY(Find<TSpinEdit>(form, "edtPercentage")->isEnabled());
        QVERIFY(!Find<TSpinEdit>(form, "edtWidth")->isEnabled());
        Find<TSpinEdit>(form, "edtPercentage")->setValue(12.5);
        QCOMPARE(form.TargetSize(), (TResizeSize{50, 38})); // 37.5 rounds to even
        Find<QRadioButton>(form, "rbCommon")->click();
        QVERIFY(Find<QComboBox>(form, "cmbCommon")->isEnabled());
        Find<QComboBox>(form, "cmbCommon")->setCurrentIndex(5);
        QCOMPARE(form.TargetSize(), (TResizeSize{1600, 1200}));
    }

    void OkResizesWithUndoAndFitsTheWindow() {
        auto image = MakeGrey16(40, 30, [](int x, int y) { return x + y; });
        image->FitsHeader = NewFitsHeader(16, 40, 30, "t", 32768, 1);
        TDataContainerUndo undo;
        TfrmResize form;
        form.SetDocument(image.get(), &undo);
        int fits = 0;
        QList<int> progress;
        form.SetFitToWindow([&fits] { ++fits; });
        form.SetProgress([&progress](int percent) { progress.append(percent); });
        form.show();
        Find<QComboBox>(form, "cmbMethod")->setCurrentIndex(2);
        Find<TSpinEdit>(form, "edtWidth")->setValue(20);
        QTest::mouseClick(Find<QPushButton>(form, "btnOK"), Qt::LeftButton);
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(image->Width, 20);
        QCOMPARE(image->Height, 15);
        QCOMPARE(IntegerKeyword(image->FitsHeader, "NAXIS1"), 20);
        QCOMPARE(fits, 1);
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.last(), -1);
        QVERIFY(undo.Available());
        QVERIFY(Find<QPushButton>(form, "btnOK")->isEnabled());
        QVERIFY(Find<QPushButton>(form, "btnCancel")->isEnabled());
    }

    void IndexedImagesAreAnnouncedAndConverted() {
        TFImage image;
        QCOMPARE(image.Allocate(true, 4, 4, 8), 0);
        TfrmResize form;
        form.SetDocument(&image, nullptr);
        form.show();
        QVERIFY(Find<QLabel>(form, "lblConvert")->isVisible());
        Find<TSpinEdit>(form, "edtWidth")->setValue(8);
        Find<QPushButton>(form, "btnOK")->click();
        QCOMPARE(image.Kind(), TImageKind::RGB24);
        QCOMPARE(image.Width, 8);
    }

    // Through the main window: the flips and Resize on their Image actions, with Undo.
    void ImageMenuActionsRunOnTheDocument() {
        TfrmMain main;
        RegisterGeometryTools(main);
        main.AdoptDocument(MakeGrey16(400, 300, [](int x, int y) { return x + 1000 * (y % 2); }),
                           "Paste", false);
        for (const char* name : {"acnImageResize", "acnImageFlipHorz", "acnImageFlipVert"})
            QVERIFY2(main.Action(name) && main.Action(name)->isEnabled(), name);
        QVERIFY(!main.Action("acnEditUndo")->isEnabled());

        main.Action("acnImageFlipHorz")->trigger();
        QCOMPARE(main.Image()->Grey16At(0, 0), std::uint16_t{399});
        QVERIFY(main.Action("acnEditUndo")->isEnabled());
        main.Action("acnEditUndo")->trigger();
        QCOMPARE(main.Image()->Grey16At(0, 0), std::uint16_t{0});

        auto* form = main.findChild<TfrmResize*>("frmResize");
        QVERIFY(form);
        bool ran = false;
        QTimer::singleShot(0, [&] {
            Find<TSpinEdit>(*form, "edtWidth")->setValue(200);
            Find<QPushButton>(*form, "btnOK")->click();
            ran = true;
        });
        main.Action("acnImageResize")->trigger();
        QVERIFY(ran);
        QCOMPARE(main.Image()->Width, 200);
        QCOMPARE(main.Image()->Height, 150);
        QCOMPARE(main.StatusText(PanelProgress), QString());
        QVERIFY(main.Action("acnEditUndo")->isEnabled());
        main.Action("acnEditUndo")->trigger();
        QCOMPARE(main.Image()->Width, 400);
    }
};

QTEST_MAIN(TestResizeForm)
#include "test_resize_form.moc"
