// The main window offscreen: actions and their enablement, open/step/save flows, recent files,
// settings, zoom and painting, undo, the display-mode and palette windows, help, drag and drop.

#include "app/ActionTable.h"
#include "app/DisplayModeForm.h"
#include "app/ImageView.h"
#include "app/MainForm.h"
#include "app/ViewPalForm.h"
#include "core/DataContainerUndo.h"
#include "core/Zoom.h"
#include "core/fimage.h"
#include "support/ImageFixtures.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "ui/AboutForm.h"
#include "ui/HelpHook.h"
#include "ui/SpinEdit.h"
#include "ui/StatusPanels.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QStatusTipEvent>
#include <QtTest>

namespace {

QSettings AppSettings() {
    return QSettings(QStringLiteral("Nortane Systems"), QStringLiteral("Zelvane Image 3.0XE"));
}

QString Title(const QString& suffix) {
    return QStringLiteral("Zelvane Image 3.0XE - ") + suffix;
}

std::unique_ptr<TFImage> SmallColour(std::uint8_t shade = 9) {
    return MakeRgb24(4, 3, [shade](int x, int y) {
        return std::array<std::uint8_t, 3>{shade, std::uint8_t(x), std::uint8_t(y)};
    });
}

// Writes a small PNG and returns its path.
QString WritePng(const TTempDir& dir, const std::string& name, std::uint8_t shade = 9) {
    const std::string path = dir.Path(name);
    if (SmallColour(shade)->SaveToFile(path) != 0)
        qFatal("cannot write %s", path.c_str());
    return QString::fromStdString(path);
}

bool Enabled(TfrmMain& main, const char* name) {
    QAction* action = main.Action(QString::fromLatin1(name));
    if (!action)
        qFatal("no action %s", name);
    return action->isEnabled();
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { AppSettings().clear(); }

    void EveryActionOfTheTableExistsWithCategoryAndShortcut() {
        TfrmMain main;
        QCOMPARE(static_cast<int>(ActionTable().size()), 55);
        for (const TActionSpec& spec : ActionTable()) {
            QAction* action = main.Action(QString::fromLatin1(spec.Name));
            QVERIFY2(action, spec.Name);
            QCOMPARE(action->objectName(), QString::fromLatin1(spec.Name));
            QCOMPARE(action->property("Category").toInt(), spec.Category);
        }
        QCOMPARE(main.Action("acnViewZoomIn")->shortcut(),
                 QKeySequence(Qt::KeypadModifier | Qt::Key_Plus));
        QCOMPARE(main.Action("acnViewZoomOut")->shortcut(),
                 QKeySequence(Qt::KeypadModifier | Qt::Key_Minus));
        QCOMPARE(main.Action("acnViewFitToWindow")->shortcut(), QKeySequence(Qt::Key_F7));
        QCOMPARE(main.Action("acnImageNext")->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(main.Action("acnFileOpen")->statusTip(), QString("Open a file"));
        QCOMPARE(main.Action("acnFileOpen")->toolTip(), QString("Open"));
        QCOMPARE(main.windowTitle(), QString("Zelvane Image 3.0XE"));
        // Hints land in the first status panel, not in a message over all panels.
        QStatusTipEvent tip(main.Action("acnFileSaveAs")->statusTip());
        QApplication::sendEvent(&main, &tip);
        QCOMPARE(main.StatusText(PanelHint), QString("Save this image with a different name"));
        QVERIFY(main.StatusPanels()->Panel(PanelSize)->isVisibleTo(&main));
    }

    void ToolsAreHiddenUntilRegistered() {
        TfrmMain main;
        QVERIFY(main.Action("acnFileOpen")->isVisible());
        QVERIFY(!main.Action("acnProcessLRGB")->isVisible());
        int runs = 0;
        main.RegisterTool("acnProcessLRGB", [&runs] { ++runs; });
        QVERIFY(main.Action("acnProcessLRGB")->isVisible());
        main.Action("acnProcessLRGB")->trigger();
        QCOMPARE(runs, 1);
    }

    void EnablementFollowsTheImageKind() {
        struct Case {
            const char* Kind;
            std::unique_ptr<TFImage> Image;
            // Save, EditPal, EXIF, FITSHeader, Gamma, Print
            bool On[6];
        };
        std::vector<Case> cases;
        cases.push_back({"empty", std::make_unique<TFImage>(), {0, 0, 0, 0, 0, 0}});
        auto indexed = std::make_unique<TFImage>();
        indexed->Allocate(true, 4, 4, 8);
        cases.push_back({"Indexed8", std::move(indexed), {1, 1, 0, 0, 0, 0}});
        cases.push_back({"RGB24", SmallColour(), {1, 0, 1, 0, 1, 1}});
        cases.push_back({"RGB48",
                         MakeRgb48(2, 2,
                                   [](int, int) {
                                       return std::array<std::uint16_t, 3>{1, 2, 3};
                                   }),
                         {1, 0, 1, 0, 1, 1}});
        cases.push_back(
            {"Grey16", MakeGrey16(2, 2, [](int, int) { return 5; }), {1, 0, 0, 1, 1, 1}});
        cases.push_back(
            {"GreyFloat", MakeGreyFloat(2, 2, [](int, int) { return 0.5f; }), {1, 0, 0, 1, 1, 1}});
        auto packed = std::make_unique<TFImage>();
        packed->Allocate(false, 2, 2, 16, 0xF800, 0x07E0, 0x001F);
        cases.push_back({"packed 16-bit colour", std::move(packed), {1, 0, 0, 0, 0, 0}});

        const char* names[6] = {"acnFileSave",       "acnImageEditPal", "acnViewEXIF",
                                "acnViewFITSHeader", "acnProcessGamma", "acnFilePrint"};
        TfrmMain main;
        // A hidden action is never enabled: show the tools as if they were built.
        for (const char* name : names)
            main.RegisterTool(QString::fromLatin1(name), [] {});
        for (Case& c : cases) {
            main.AdoptDocument(std::move(c.Image), "Paste", false);
            for (int i = 0; i < 6; ++i)
                QVERIFY2(Enabled(main, names[i]) == c.On[i],
                         qPrintable(QString("%1: %2").arg(c.Kind, names[i])));
            QVERIFY(Enabled(main, "acnFileOpen"));
            QVERIFY(Enabled(main, "acnHelpAbout"));
            // No folder behind an adopted image: nothing to step through.
            QVERIFY(!Enabled(main, "acnImageNext"));
            QVERIFY(!Enabled(main, "acnEditUndo"));
        }
    }

    void OpenStepsThroughTheFolderAndWraps() {
        TTempDir dir;
        const QStringList written = {WritePng(dir, "a.png", 1), WritePng(dir, "b.png", 2),
                                     WritePng(dir, "c.tif", 3)};
        WriteBytes(dir.Path("notes.txt"), "text");
        TfrmMain main;
        QVERIFY(main.OpenImage(written[1]));
        QCOMPARE(main.windowTitle(), Title(written[1]));
        QCOMPARE(main.DocumentName(), written[1]);
        const QStringList list = main.FolderList();
        QCOMPARE(list.size(), 3);
        const int start = main.FolderIndex();
        QCOMPARE(list.value(start), written[1]);
        QVERIFY(Enabled(main, "acnImageNext"));

        main.NextImage();
        QCOMPARE(main.windowTitle(), Title(list[(start + 1) % 3]));
        main.NextImage();
        main.NextImage();
        QCOMPARE(main.FolderIndex(), start);
        main.PreviousImage();
        QCOMPARE(main.windowTitle(), Title(list[(start + 2) % 3]));
        // Stepping leaves the recent files alone.
        QCOMPARE(main.RecentFiles(), QStringList{written[1]});
        QCOMPARE(main.StatusText(PanelSize), QString("4 x 3 x 24 BPP"));
    }

    void FailedOpenReportsAndLeavesAnEmptyDocument() {
        TTempDir dir;
        const QString good = WritePng(dir, "good.png");
        WriteBytes(dir.Path("broken.png"), "not an image at all");
        TMessageRecorder messages;
        TfrmMain main;
        QVERIFY(main.OpenImage(good));
        QVERIFY(!main.OpenImage(QString::fromStdString(dir.Path("broken.png"))));
        QVERIFY(messages.Count() >= 1);
        QCOMPARE(main.StatusText(PanelHint), QString("Could not open image."));
        QCOMPARE(main.StatusText(PanelSize), QString());
        QVERIFY(main.Image()->Empty());
        QVERIFY(!Enabled(main, "acnFileSave"));
    }

    void RecentFilesKeepEightNewestFirst() {
        TTempDir dir;
        QStringList paths;
        for (int i = 0; i < 9; ++i)
            paths << WritePng(dir, std::string("r").append(std::to_string(i)).append(".png"));
        {
            TfrmMain main;
            for (const QString& path : paths)
                QVERIFY(main.OpenImage(path));
            QCOMPARE(main.RecentFiles().size(), 8);
            QCOMPARE(main.RecentFiles().first(), paths[8]);
            QVERIFY(!main.RecentFiles().contains(paths[0]));
            QVERIFY(main.OpenImage(paths[4]));
            QCOMPARE(main.RecentFiles().first(), paths[4]);
            QCOMPARE(main.RecentFiles().size(), 8);
            main.AddRecentFile(QString::fromStdString(dir.Path("missing.png")));
            QCOMPARE(main.RecentFiles().first(), paths[4]);
            main.WriteRecentFiles();
            QCOMPARE(main.findChild<QAction*>("mnuRecent1")->text(), "&1 " + paths[4]);
        }
        QSettings settings = AppSettings();
        QCOMPARE(settings.value("RecentFiles/FileHistory/File1").toString(), paths[4]);
        QCOMPARE(settings.value("RecentFiles/FileHistory/File8").toString(), paths[1]);
        TfrmMain again;
        QCOMPARE(again.RecentFiles().first(), paths[4]);
        QCOMPARE(again.RecentFiles().size(), 8);
    }

    void FirstStartIsMaximisedAndPlacementIsRemembered() {
        {
            TfrmMain main;
            main.show();
            QVERIFY(main.isMaximized());
            QVERIFY(!main.DisplayModeWindow()->isVisible());
            QCOMPARE(main.DisplayModeWindow()->pos(), QPoint(300, 300));
            main.showNormal();
            main.setGeometry(40, 50, 700, 500);
            main.DisplayModeWindow()->show();
            main.DisplayModeWindow()->move(120, 130);
            main.WriteSettings();
        }
        QSettings settings = AppSettings();
        QCOMPARE(settings.value("State").toInt(), 2);
        QCOMPARE(settings.value("Width").toInt(), 700);
        QCOMPARE(settings.value("DisplayModeLeft").toInt(), 120);
        TfrmMain again;
        again.show();
        QVERIFY(!again.isMaximized());
        QCOMPARE(again.geometry(), QRect(40, 50, 700, 500));
        QVERIFY(again.DisplayModeWindow()->isVisible());
        QCOMPARE(again.DisplayModeWindow()->pos(), QPoint(120, 130));
    }

    void SavingRenamesOnlyForPlainWriters() {
        TTempDir dir;
        TfrmMain main;
        QVERIFY(main.OpenImage(WritePng(dir, "start.png")));
        const QString png = QString::fromStdString(dir.Path("copy.png"));
        QVERIFY(main.SaveImageAs(png));
        QCOMPARE(main.windowTitle(), Title(png));
        const QString jpg = QString::fromStdString(dir.Path("copy.jpg"));
        QVERIFY(main.SaveImageAs(jpg));
        QVERIFY(QFileInfo::exists(jpg));
        QCOMPARE(main.windowTitle(), Title(png));
    }

    void UndoFollowsTheSnapshot() {
        TTempDir dir;
        TfrmMain main;
        main.AdoptDocument(MakeGrey16(3, 2, [](int x, int) { return 100 + x; }), "Paste", false);
        QVERIFY(!Enabled(main, "acnEditUndo"));
        QVERIFY(main.UndoSave());
        QVERIFY(Enabled(main, "acnEditUndo"));
        main.Image()->SetGrey16(0, 0, 9);
        main.Action("acnEditUndo")->trigger();
        QCOMPARE(int(main.Image()->Grey16At(0, 0)), 100);
        QVERIFY(!Enabled(main, "acnEditUndo"));
        // A second Undo has nothing to do.
        main.UndoRestore();
        QCOMPARE(int(main.Image()->Grey16At(0, 0)), 100);

        QVERIFY(main.UndoSave());
        QVERIFY(main.OpenImage(WritePng(dir, "next.png")));
        QVERIFY(!Enabled(main, "acnEditUndo"));
        QVERIFY(!main.UndoStore().Available());
    }

    void ZoomFitAndStatus() {
        TfrmMain main;
        main.resize(1020, 800);
        main.AdoptDocument(MakeGrey16(100, 50, [](int, int) { return 1; }), "Paste", false);
        QCOMPARE(main.Zoom().Factor, 1.0f); // smaller than the window: stays 100 %
        QCOMPARE(main.StatusText(PanelZoom), QString("100%"));
        main.SetZoomLevel(15);
        main.ZoomIn();
        QCOMPARE(main.Zoom().Index, 15);
        QCOMPARE(main.PaintBox()->size(), QSize(1600, 800));
        main.SetZoomPercent(150);
        QCOMPARE(main.Zoom().Index, 6);
        QCOMPARE(main.StatusText(PanelZoom), QString("150%"));
        main.ZoomOut();
        QCOMPARE(main.Zoom().Factor, 0.75f);
        QCOMPARE(main.PaintBox()->size(), QSize(75, 38)); // 37.5 ties to 38

        main.AdoptDocument(MakeGrey16(4000, 3000, [](int, int) { return 1; }), "Paste", false);
        QVERIFY(main.Zoom().Factor < 0.26f);
        QCOMPARE(main.Zoom().Index, ZoomIndexForFactor(main.Zoom().Factor));
        QCOMPARE(main.PaintBox()->width(), ZoomedSide(4000, main.Zoom().Factor));
        QCOMPARE(main.StatusText(PanelSize), QString("4000 x 3000 x 16 BPP"));
    }

    void PaintingRepeatsPixelsWithoutBlending() {
        TfrmMain main;
        main.AdoptDocument(MakeRgb24(2, 2,
                                     [](int x, int y) {
                                         return std::array<std::uint8_t, 3>{
                                             std::uint8_t(x ? 0 : 255), std::uint8_t(y ? 255 : 0),
                                             0};
                                     }),
                           "Paste", false);
        main.SetZoomLevel(FixedZoomLevel(8)); // 8 : 1
        QCOMPARE(main.PaintBox()->size(), QSize(16, 16));
        const QImage shot = main.PaintBox()->grab().toImage();
        QCOMPARE(shot.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(shot.pixel(7, 7), qRgb(255, 0, 0));
        QCOMPARE(shot.pixel(8, 7), qRgb(0, 0, 0));
        QCOMPARE(shot.pixel(7, 8), qRgb(255, 255, 0));
        QCOMPARE(shot.pixel(15, 15), qRgb(0, 255, 0));
    }

    void PointerReadout() {
        TfrmMain main;
        main.AdoptDocument(MakeGrey16(300, 10, [](int x, int) { return x == 199 ? 40000 : 0; }),
                           "Paste", false);
        main.SetZoomPercent(200);
        main.ShowPixelInfo(399, 5);
        QCOMPARE(main.StatusText(PanelPosition), QString("X: 199, Y: 2"));
        QCOMPARE(main.StatusText(PanelValue), QString("[40000]"));
        // Beyond the image the panels keep their text.
        main.ShowPixelInfo(900, 5);
        QCOMPARE(main.StatusText(PanelPosition), QString("X: 199, Y: 2"));
    }

    void DisplayModeWindowModes() {
        TTempDir dir;
        TfrmMain main;
        main.AdoptDocument(MakeGreyFloat(4, 4, [](int x, int y) { return x * 10.0f - y; }), "Paste",
                           false);
        TfrmDisplayMode* window = main.DisplayModeWindow();
        window->show();
        auto* mode = window->findChild<QComboBox*>("cmbMode");
        auto* minimum = window->findChild<TSpinEdit*>("edtMinimum");
        auto* maximum = window->findChild<TSpinEdit*>("edtMaximum");
        QVERIFY(mode && minimum && maximum);
        QCOMPARE(mode->currentText(), QString("Min and Max"));
        QVERIFY(mode->isEnabled());
        QCOMPARE(minimum->value(), 0.0); // the negative minimum shows as 0
        QCOMPARE(maximum->value(), 30.0);

        // User Defined applies the fields; opening a file selects Min and Max again.
        minimum->setValue(5);
        maximum->setValue(20);
        mode->setCurrentIndex(TfrmDisplayMode::UserDefined);
        QCOMPARE(main.Image()->DisplayLow, 5.0f);
        QCOMPARE(main.Image()->DisplayHigh, 20.0f);
        QVERIFY(main.OpenImage(WritePng(dir, "colour.png")));
        QCOMPARE(window->Mode(), TfrmDisplayMode::MinAndMax);
        QVERIFY(!mode->isEnabled()); // a colour image has no stretch to set

        // An all-zero image: Min and Max gives 0 and 0, which shows white.
        main.AdoptDocument(MakeGrey16(3, 3, [](int, int) { return 0; }), "Paste", true);
        mode->setCurrentIndex(TfrmDisplayMode::RandomSampling);
        mode->setCurrentIndex(TfrmDisplayMode::MinAndMax);
        QCOMPARE(main.Image()->DisplayLow, 0.0f);
        QCOMPARE(main.Image()->DisplayHigh, 0.0f);
        QCOMPARE(int(main.Image()->DisplayBitmap.Row(1)[3]), 255);
    }

    void UndoResetsTheDisplayMode() {
        TfrmMain main;
        main.AdoptDocument(MakeGrey16(4, 4, [](int x, int) { return 1000 * (x + 1); }), "Paste",
                           false);
        TfrmDisplayMode* window = main.DisplayModeWindow();
        window->show();
        auto* mode = window->findChild<QComboBox*>("cmbMode");
        window->findChild<TSpinEdit*>("edtMinimum")->setValue(1500);
        mode->setCurrentIndex(TfrmDisplayMode::UserDefined);
        QVERIFY(main.UndoSave());
        main.UndoRestore();
        QCOMPARE(window->Mode(), TfrmDisplayMode::MinAndMax);
        QCOMPARE(main.Image()->DisplayLow, 1000.0f);
        QCOMPARE(main.Image()->DisplayHigh, 4000.0f);
    }

    void PaletteWindowSelectsAndEditsEntries() {
        auto image = std::make_unique<TFImage>();
        QCOMPARE(image->Allocate(true, 4, 1, 4), 0); // 16 entries
        image->RefreshDisplay();
        TFImage* raw = image.get();
        int changes = 0;
        TfrmViewPal palette([raw] { return raw; }, [&changes] { ++changes; });
        palette.show();
        auto* index = palette.findChild<QLabel*>("lblIndex");
        auto* edit = palette.findChild<QPushButton*>("btnEditColor");
        palette.ClickAt(10, 25); // second row: past the 16 entries
        QCOMPARE(palette.SelectedIndex(), -1);
        QVERIFY(!edit->isEnabled());
        palette.ClickAt(3 + 18 * 5 + 2, 5); // sixth swatch
        QCOMPARE(palette.SelectedIndex(), 5);
        QCOMPARE(index->text(), QString("Index: 5"));
        QCOMPARE(palette.findChild<QLabel*>("lblValue")->text(), QString("Value: R: 5 G: 5 B: 5"));
        QVERIFY(edit->isEnabled());
        palette.SetSelectedColour(QColor(10, 20, 30));
        QCOMPARE(int(raw->PaletteEntries()[5].rgbRed), 10);
        QCOMPARE(int(raw->PaletteEntries()[5].rgbBlue), 30);
        QCOMPARE(changes, 1);
        palette.hide();
        QCOMPARE(index->text(), QString("Index: "));
        QVERIFY(!edit->isEnabled());
    }

    void HelpAndAbout() {
        QList<QUrl> opened;
        const THelpOpener old = SetHelpOpener([&opened](const QUrl& url) {
            opened << url;
            return true;
        });
        TfrmMain main;
        main.Action("acnHelpContents")->trigger();
        SetHelpOpener(old);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(QFileInfo(opened.first().toLocalFile()).fileName(), QString("index.html"));
        QVERIFY(QFileInfo::exists(opened.first().toLocalFile()));
        QCOMPARE(VersionText(), QString("Ver: 3.0.0.1"));
        TfrmAbout about;
        QCOMPARE(about.windowTitle(), QString("About Zelvane Image"));
    }

    void DroppingAFileOpensIt() {
        TTempDir dir;
        const QString path = WritePng(dir, "dropped.png");
        TfrmMain main;
        main.show();
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&main, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&main, &drop);
        QTRY_COMPARE(main.windowTitle(), Title(path));
    }
};

int main(int argc, char* argv[]) {
    // Settings go to a folder of their own, never to the user's.
    TTempDir config;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.Path()));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_main_window.moc"
