// The three deconvolutions from the main window's actions: shortcut, dialog, Preview, OK, Undo.

#include "app/MainForm.h"
#include "app/QtDispatcher.h"
#include "core/fimage.h"
#include "deconv/DeconvolutionForm.h"
#include "support/ImageFixtures.h"
#include "ui/SpinEdit.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <cmath>

namespace {

// A blurred star field on a sloping sky.
std::unique_ptr<TFImage> StarField() {
    return MakeRgb48(150, 110, [](int x, int y) {
        double v = 3000 + 20.0 * x;
        const int stars[][2] = {{30, 25}, {90, 60}, {120, 20}, {60, 90}};
        for (const auto& s : stars) {
            const double r2 = (x - s[0]) * (x - s[0]) + (y - s[1]) * (y - s[1]);
            v += 40000 * std::exp(-r2 / 8.0);
        }
        const auto c = static_cast<std::uint16_t>(std::min(v, 65535.0));
        return std::array<std::uint16_t, 3>{c, static_cast<std::uint16_t>(c * 0.8),
                                            static_cast<std::uint16_t>(c * 0.6)};
    });
}

} // namespace

class TestDeconvMain : public QObject {
    Q_OBJECT

private slots:
    void ActionsRunTheDialogsOnTheDocument() {
        TQtDispatcher dispatcher;
        TfrmMain main(&dispatcher);
        RegisterDeconvolutionTools(main);
        main.show();
        main.AdoptDocument(StarField(), "stars", false);
        const auto original = StarField();
        const struct {
            const char* Action;
            const char* Shortcut;
        } cases[] = {{"acnProcessLucyRichardson", "Ctrl+L"},
                     {"acnProcessVanCittert", "Ctrl+T"},
                     {"acnProcessMaxExt", "Ctrl+M"}};
        for (const auto& c : cases) {
            QAction* action = main.Action(c.Action);
            QVERIFY(action);
            QCOMPARE(action->shortcut(), QKeySequence(c.Shortcut));
            QVERIFY(action->isEnabled());
            bool previewed = false;
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<TfrmDeconvolution*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                dialog->findChild<TSpinEdit*>("edtIterations")->setValue(4);
                dialog->findChild<QPushButton*>("btnPreview")->click();
                QTRY_VERIFY(!dialog->Session()->PreviewRunning());
                previewed = true;
                dialog->findChild<QPushButton*>("btnOK")->click();
            });
            action->trigger();
            QVERIFY(previewed);
            QVERIFY(!SamePixels(*main.Image(), *original));
            QVERIFY(main.Action("acnEditUndo")->isEnabled());
            main.UndoRestore();
            QVERIFY(SamePixels(*main.Image(), *original));
        }
    }
};

QTEST_MAIN(TestDeconvMain)
#include "test_deconv_main.moc"
