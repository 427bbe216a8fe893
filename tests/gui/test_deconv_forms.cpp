// The three deconvolution dialogs, offscreen: controls, Preview, OK with Undo, Cancel.

#include "app/QtDispatcher.h"
#include "core/DataContainerUndo.h"
#include "core/fimage.h"
#include "deconv/LucyRichardsonForm.h"
#include "deconv/MaxEntForm.h"
#include "deconv/VanCittertForm.h"
#include "support/ImageFixtures.h"
#include "ui/SpinEdit.h"
#include "ui/TrackBar.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

template <class T> T* Find(QWidget& form, const char* name) {
    T* child = form.findChild<T*>(name);
    if (!child)
        qFatal("no control %s", name);
    return child;
}

std::unique_ptr<TfrmDeconvolution> MakeForm(TDeconvMethod method) {
    switch (method) {
    case TDeconvMethod::LucyRichardson:
        return std::make_unique<TfrmLucyRichardson>();
    case TDeconvMethod::VanCittert:
        return std::make_unique<TfrmVanCittert>();
    case TDeconvMethod::MaxEnt:
        break;
    }
    return std::make_unique<TfrmMaximumEntropy>();
}

std::unique_ptr<TFImage> StarImage(int width, int height) {
    return MakeGrey16(width, height, [](int x, int y) {
        const double r2 = (x - 40) * (x - 40) + (y - 30) * (y - 30);
        return static_cast<std::uint16_t>(300 + x + 20000 * std::exp(-r2 / 6.0));
    });
}

struct TDocument {
    explicit TDocument(std::unique_ptr<TFImage> picture) : image(std::move(picture)) {
        hooks.Undo = [this](TFImage& i) { undo.UndoSave(i); };
        hooks.ImageChanged = [this] { ++changed; };
    }
    std::unique_ptr<TFImage> image;
    TDataContainerUndo undo;
    TDeconvHooks hooks;
    int changed = 0;
};

const TDeconvMethod kMethods[] = {TDeconvMethod::LucyRichardson, TDeconvMethod::VanCittert,
                                  TDeconvMethod::MaxEnt};

} // namespace

class TestDeconvForms : public QObject {
    Q_OBJECT

    std::unique_ptr<TQtDispatcher> dispatcher_;

private slots:
    void initTestCase() { dispatcher_ = std::make_unique<TQtDispatcher>(); }

    void ControlsFollowEachDialogsTable() {
        for (TDeconvMethod method : kMethods) {
            auto form = MakeForm(method);
            const TDeconvMethodInfo& info = MethodInfo(method);
            QCOMPARE(form->windowTitle(), QString(info.Caption));
            QCOMPARE(form->property("HelpContext").toInt(), info.HelpContext);
            auto* trkSigma = Find<TTrackBar>(*form, "trkSigma");
            auto* edtSigma = Find<TSpinEdit>(*form, "edtSigma");
            QCOMPARE(edtSigma->value(), double(info.DefaultSigma));
            QCOMPARE(trkSigma->minimum(), info.SigmaSliderMin);
            QCOMPARE(trkSigma->value(), int(info.DefaultSigma * 10));
            trkSigma->setValue(37);
            QCOMPARE(edtSigma->value(), 3.7);
            edtSigma->setValue(25); // clamped to the spin's range
            QCOMPARE(edtSigma->value(), 10.0);
            QCOMPARE(trkSigma->value(), 100);
            // Kurtosis only for Moffat.
            auto* edtKurtosis = Find<TSpinEdit>(*form, "edtKurtosis");
            QVERIFY(!edtKurtosis->isEnabled());
            Find<QRadioButton>(*form, "rbMoffat")->click();
            QVERIFY(edtKurtosis->isEnabled());
            QCOMPARE(form->Params().Psf, PsfKind::Moffat);
            Find<TTrackBar>(*form, "trkKurtosis")->setValue(310);
            QCOMPARE(form->Params().Kurtosis, 3.1f);
            Find<QRadioButton>(*form, "rbCauchy")->click();
            QVERIFY(!edtKurtosis->isEnabled());
            // Iterations: the spin goes beyond the slider where the table says so.
            auto* edtIterations = Find<TSpinEdit>(*form, "edtIterations");
            QCOMPARE(edtIterations->value(), 10.0);
            QCOMPARE(edtIterations->minimum(), 1.0);
            edtIterations->setValue(5000);
            QCOMPARE(form->Params().Iterations,
                     method == TDeconvMethod::LucyRichardson ? 100 : 5000);
            QCOMPARE(form->findChild<QCheckBox*>("chkAggressive") != nullptr,
                     method == TDeconvMethod::LucyRichardson);
        }
    }

    void AggressiveLimitsTheIterations() {
        TfrmLucyRichardson form;
        auto* chk = Find<QCheckBox>(form, "chkAggressive");
        auto* edt = Find<TSpinEdit>(form, "edtIterations");
        auto* trk = Find<TTrackBar>(form, "trkIterations");
        QVERIFY(chk->isChecked());
        QCOMPARE(edt->maximum(), 100.0);
        QCOMPARE(trk->maximum(), 100);
        chk->click();
        QCOMPARE(edt->maximum(), 1000.0);
        QCOMPARE(trk->maximum(), 1000);
        edt->setValue(700);
        QCOMPARE(trk->value(), 700);
        QVERIFY(!form.Params().Aggressive);
        chk->click();
        QCOMPARE(edt->value(), 100.0);
        QVERIFY(form.Params().Aggressive);
    }

    void PreviewThenOkWritesTheImageAndUndoRestoresIt() {
        for (TDeconvMethod method : kMethods) {
            TDocument doc(StarImage(120, 90));
            const auto original = StarImage(120, 90);
            auto form = MakeForm(method);
            form->SetDocument(doc.image.get(), dispatcher_.get(), doc.hooks);
            form->show();
            auto* image1 = Find<QLabel>(*form, "Image1");
            const QImage before = image1->pixmap().toImage();
            QCOMPARE(before.size(), QSize(256, 256));
            Find<TSpinEdit>(*form, "edtIterations")->setValue(5);
            QTest::mouseClick(Find<QPushButton>(*form, "btnPreview"), Qt::LeftButton);
            QTRY_VERIFY(!form->Session()->PreviewRunning());
            QVERIFY(image1->pixmap().toImage() != before);
            QCOMPARE(Find<QLabel>(*form, "Image3")->pixmap().toImage(), before);
            QCOMPARE(Find<QLabel>(*form, "lblStatus")->text(), QString("Idle"));
            QVERIFY(Find<QPushButton>(*form, "btnOK")->isEnabled());
            QVERIFY(SamePixels(*doc.image, *original)); // a preview never writes

            QTest::mouseClick(Find<QPushButton>(*form, "btnOK"), Qt::LeftButton);
            QTRY_VERIFY(!form->isVisible());
            QCOMPARE(form->result(), int(QDialog::Accepted));
            QCOMPARE(doc.changed, 1);
            QVERIFY(!SamePixels(*doc.image, *original));
            QVERIFY(doc.undo.UndoRestore(*doc.image));
            QVERIFY(SamePixels(*doc.image, *original));
        }
    }

    void CancelStopsAFinalRunAndCloseIsRefusedMeanwhile() {
        TDocument doc(StarImage(400, 300));
        const auto original = StarImage(400, 300);
        TfrmLucyRichardson form;
        form.SetDocument(doc.image.get(), dispatcher_.get(), doc.hooks);
        form.show();
        Find<QCheckBox>(form, "chkAggressive")->click();
        Find<TSpinEdit>(form, "edtIterations")->setValue(1000);
        QTest::mouseClick(Find<QPushButton>(form, "btnOK"), Qt::LeftButton);
        QTRY_VERIFY(Find<QLabel>(form, "lblStatus")->text().startsWith("Iteration: "));
        QVERIFY(!Find<QPushButton>(form, "btnOK")->isEnabled());
        form.close();
        QVERIFY(form.isVisible());
        QTest::mouseClick(Find<QPushButton>(form, "btnCancel"), Qt::LeftButton);
        QCOMPARE(Find<QLabel>(form, "lblStatus")->text(), QString("Stopping - please wait..."));
        QTRY_VERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QVERIFY(SamePixels(*doc.image, *original));
        QVERIFY(!doc.undo.Available());
        QCOMPARE(doc.changed, 0);
    }

    void DraggingMovesTheRegion() {
        TDocument doc(StarImage(300, 300));
        TfrmVanCittert form;
        form.SetDocument(doc.image.get(), dispatcher_.get(), doc.hooks);
        form.show();
        auto* image1 = Find<QLabel>(form, "Image1");
        QTest::mousePress(image1, Qt::LeftButton, {}, QPoint(150, 50));
        QMouseEvent move(QEvent::MouseMove, QPointF(50, 50), image1->mapToGlobal(QPointF(50, 50)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(image1, &move);
        QCOMPARE(form.Session()->Region().Left, 44);
        QTest::mouseClick(Find<QPushButton>(form, "btnCancel"), Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }
};

QTEST_MAIN(TestDeconvForms)
#include "test_deconv_forms.moc"
