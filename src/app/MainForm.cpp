#include "app/MainForm.h"

#include "app/ActionIcons.h"
#include "app/ActionTable.h"
#include "app/CustomZoomForm.h"
#include "app/DisplayModeForm.h"
#include "app/FileDialogFilter.h"
#include "app/ImageView.h"
#include "app/ViewPalForm.h"
#include "core/DataContainerUndo.h"
#include "core/FileTypes.h"
#include "core/FolderList.h"
#include "core/Readout.h"
#include "core/SaveByExtension.h"
#include "core/fimage.h"
#include "ui/AboutForm.h"
#include "ui/HelpHook.h"
#include "ui/StatusPanels.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QSettings>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QUrl>

#include <algorithm>

const char* const ProductTitle = "Zelvane Image 3.0XE";
const char* const ProductWebSite = "https://zelvane.example/";

namespace {

TfrmMain* TheMainForm = nullptr;

constexpr int MaxRecentFiles = 8;
const char* const RecentFilesGroup = "RecentFiles/FileHistory";

QSettings Settings() {
    return QSettings(QStringLiteral("Nortane Systems"), QStringLiteral("Zelvane Image 3.0XE"));
}

QString AbsolutePath(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

TfrmMain* MainForm() {
    return TheMainForm;
}

TfrmMain::TfrmMain(TUiDispatcher* dispatcher, QWidget* parent)
    : QMainWindow(parent), dispatcher_(dispatcher), image_(std::make_unique<TFImage>()),
      undo_(std::make_unique<TDataContainerUndo>()) {
    TheMainForm = this;
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(ProductTitle));
    setWindowIcon(AppIcon());
    setAcceptDrops(true);

    scrollBox_ = new TScrollBox(this);
    paintBox_ = new TPaintBox;
    paintBox_->SetSource([this] { return image_.get(); }, [this] { return zoom_.Factor; });
    paintBox_->resize(0, 0);
    scrollBox_->setWidget(paintBox_);
    setCentralWidget(scrollBox_);

    status_ = new TStatusPanels({300, 150, 75, 125, 200, 200, 50}, this);
    status_->setObjectName(QStringLiteral("stbMain"));
    setStatusBar(status_);

    CreateActions();
    CreateMenusAndToolBar();
    ConnectBuiltActions();

    displayMode_ =
        new TfrmDisplayMode([this] { return image_.get(); }, [this] { RepaintView(); }, this);
    displayMode_->move(300, 300);

    connect(paintBox_, &TPaintBox::PointerMoved, this, &TfrmMain::ShowPixelInfo);
    connect(scrollBox_, &TScrollBox::PointerOutsideSurface, this, [this] {
        SetStatusText(PanelPosition, QString());
        SetStatusText(PanelValue, QString());
    });
    connect(scrollBox_, &TScrollBox::WheelSteps, this, &TfrmMain::WheelZoom);

    ReadRecentFiles();
    EnableActions();
    resize(1024, 768);
}

TfrmMain::~TfrmMain() {
    if (TheMainForm == this)
        TheMainForm = nullptr;
}

// ---------------------------------------------------------------- actions, menus, toolbar

void TfrmMain::CreateActions() {
    for (const TActionSpec& spec : ActionTable()) {
        auto* action = new QAction(QString::fromUtf8(spec.Caption), this);
        action->setObjectName(QString::fromLatin1(spec.Name));
        action->setProperty("Category", spec.Category);
        const QString hint = QString::fromLatin1(spec.Hint);
        const int bar = hint.indexOf('|');
        if (!hint.isEmpty()) {
            action->setToolTip(bar < 0 ? hint : hint.left(bar));
            action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
        }
        if (*spec.Shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(spec.Shortcut)));
        action->setIcon(ActionIcon(spec));
        action->setIconVisibleInMenu(false);
        action->setVisible(spec.Built);
        addAction(action); // shortcuts work while the menu bar is hidden too
        actions_.insert(action->objectName(), action);
    }
}

void TfrmMain::CreateMenusAndToolBar() {
    for (const TMenuSpec& spec : MenuTable()) {
        const QString path = QString::fromLatin1(spec.Path);
        const int slash = path.lastIndexOf('/');
        QMenu* menu = nullptr;
        if (slash < 0) {
            menu = menuBar()->addMenu(QString::fromLatin1(spec.Caption));
        } else {
            // Submenus are placed when their first action comes up.
            menu = new QMenu(QString::fromLatin1(spec.Caption), this);
        }
        menu->setObjectName(QStringLiteral("mnu") + QString(path).remove(' ').replace('/', ""));
        menus_.insert(path, menu);
    }
    QSet<QString> placedSubmenus;
    for (const TActionSpec& spec : ActionTable()) {
        const QString path = QString::fromLatin1(spec.Menu);
        if (path.isEmpty())
            continue;
        QAction* action = actions_.value(QString::fromLatin1(spec.Name));
        const int slash = path.lastIndexOf('/');
        QMenu* parentMenu = menus_.value(slash < 0 ? path : path.left(slash));
        if (spec.SeparatorBefore)
            parentMenu->addSeparator();
        if (slash >= 0 && !placedSubmenus.contains(path)) {
            parentMenu->addMenu(menus_.value(path));
            placedSubmenus.insert(path);
        }
        menus_.value(path)->addAction(action);
        if (action->objectName() == QLatin1String("acnFileOpen")) {
            recentMenu_ = parentMenu->addMenu(QStringLiteral("Open &Recent"));
            recentMenu_->setObjectName(QStringLiteral("mnuFileOpenRecent"));
        }
    }

    toolBar_ = addToolBar(QStringLiteral("Standard"));
    toolBar_->setObjectName(QStringLiteral("tlbMain"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(22, 22));
    std::vector<const TActionSpec*> onBar;
    for (const TActionSpec& spec : ActionTable())
        if (spec.ToolbarPosition > 0)
            onBar.push_back(&spec);
    std::sort(onBar.begin(), onBar.end(), [](const TActionSpec* a, const TActionSpec* b) {
        return a->ToolbarPosition < b->ToolbarPosition;
    });
    for (const TActionSpec* spec : onBar)
        toolBar_->addAction(actions_.value(QString::fromLatin1(spec->Name)));
    UpdateMenuVisibility();
}

void TfrmMain::UpdateMenuVisibility() {
    // A menu with nothing to offer is not shown (submenus first, then their parents).
    QList<QString> paths = menus_.keys();
    std::sort(paths.begin(), paths.end(),
              [](const QString& a, const QString& b) { return a.count('/') > b.count('/'); });
    for (const QString& path : paths) {
        QMenu* menu = menus_.value(path);
        bool any = false;
        for (QAction* a : menu->actions())
            any = any || (!a->isSeparator() && a->isVisible());
        menu->menuAction()->setVisible(any);
    }
}

void TfrmMain::RegisterTool(const QString& actionName, std::function<void()> fn) {
    QAction* action = actions_.value(actionName);
    if (!action)
        return;
    tools_.insert(actionName, fn);
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(action, &QAction::triggered, this, [this, actionName] {
        if (auto fn = tools_.value(actionName))
            fn();
    });
    action->setVisible(true);
    UpdateMenuVisibility();
}

void TfrmMain::ConnectBuiltActions() {
    const auto on = [this](const char* name, auto fn) {
        connect(actions_.value(QString::fromLatin1(name)), &QAction::triggered, this, fn);
    };
    on("acnFileOpen", [this] { OpenDialog(); });
    on("acnFileSave", [this] { SaveDialog(); });
    on("acnFileSaveAs", [this] { SaveDialog(); });
    on("acnFileExit", [this] { close(); });
    on("acnEditUndo", [this] { UndoRestore(); });
    on("acnViewZoomIn", [this] { ZoomKeepingCentre([this] { ZoomIn(); }); });
    on("acnViewZoomOut", [this] { ZoomKeepingCentre([this] { ZoomOut(); }); });
    on("acnViewZoomCustom", [this] { ShowCustomZoom(); });
    on("acnViewFitToWindow", [this] {
        FitToWindow();
        ResizeView();
    });
    for (int n = 1; n <= 9; ++n) {
        connect(actions_.value(QStringLiteral("acnViewZoom%1").arg(n)), &QAction::triggered, this,
                [this, n] { ZoomKeepingCentre([this, n] { SetZoomLevel(FixedZoomLevel(n)); }); });
    }
    on("acnViewDisplayMode", [this] { ShowDisplayMode(); });
    on("acnImageNext", [this] { NextImage(); });
    on("acnImagePrevious", [this] { PreviousImage(); });
    on("acnImageEditPal", [this] { ShowPalette(); });
    on("acnHelpContents", [] { ShowHelpContents(); });
    on("acnHelpWeb", [] { QDesktopServices::openUrl(QUrl(QString::fromLatin1(ProductWebSite))); });
    on("acnHelpAbout", [this] {
        TfrmAbout about(this);
        about.exec();
    });
}

void TfrmMain::EnableActions() {
    try {
        for (QAction* action : std::as_const(actions_))
            action->setEnabled(false);
        const std::vector<int> on =
            EnabledCategories(!image_->Empty(), image_->BitsPerPixel, image_->IsHighPrecisionGrey);
        for (QAction* action : std::as_const(actions_)) {
            const int category = action->property("Category").toInt();
            if (std::find(on.begin(), on.end(), category) != on.end())
                action->setEnabled(true);
        }
        if (!image_->Empty() && folderList_.empty()) {
            actions_.value(QStringLiteral("acnImageNext"))->setEnabled(false);
            actions_.value(QStringLiteral("acnImagePrevious"))->setEnabled(false);
        }
        SyncUndoAction();
    } catch (...) {
        // the actions keep what they got
    }
}

void TfrmMain::SyncUndoAction() {
    actions_.value(QStringLiteral("acnEditUndo"))->setEnabled(undo_->Available());
}

// ---------------------------------------------------------------- status bar

void TfrmMain::SetStatusText(int panel, const QString& text) {
    status_->SetText(panel, text);
}

QString TfrmMain::StatusText(int panel) const {
    return status_->Text(panel);
}

void TfrmMain::UpdateStatus() {
    if (image_->Empty()) {
        SetStatusText(PanelSize, QString());
        SetStatusText(PanelZoom, QString());
        return;
    }
    SetStatusText(PanelSize, QString::fromStdString(ImageSizeText(image_->Width, image_->Height,
                                                                  image_->BitsPerPixel)));
    SetStatusText(PanelZoom, QString::fromStdString(ZoomText(zoom_.Factor)));
}

void TfrmMain::ShowPixelInfo(int x, int y) {
    int ix = 0, iy = 0;
    if (image_->Empty() || !PixelUnderPointer(*image_, zoom_.Factor, x, y, ix, iy))
        return;
    SetStatusText(PanelPosition, QString::fromStdString(PositionText(ix, iy)));
    SetStatusText(PanelValue, QString::fromStdString(PixelValueText(*image_, ix, iy)));
}

bool TfrmMain::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        SetStatusText(PanelHint, static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// ---------------------------------------------------------------- zoom and view

void TfrmMain::ResizeView() {
    paintBox_->resize(ZoomedSide(image_->Width, zoom_.Factor),
                      ZoomedSide(image_->Height, zoom_.Factor));
    paintBox_->update();
    UpdateStatus();
}

void TfrmMain::RepaintView() {
    paintBox_->update();
}

void TfrmMain::ZoomIn() {
    zoom_.In();
    ResizeView();
}

void TfrmMain::ZoomOut() {
    zoom_.Out();
    ResizeView();
}

void TfrmMain::SetZoomLevel(int index) {
    zoom_.SetLevel(index);
    ResizeView();
}

void TfrmMain::SetZoomPercent(double percent) {
    zoom_.SetPercent(percent);
    ResizeView();
}

void TfrmMain::FitToWindow() {
    zoom_.Reset();
    const QToolBar* bar = toolBar_;
    const int menuHeight = menuBar()->isVisible() ? menuBar()->height() : 0;
    const auto percent =
        FitZoomPercent(width(), height() - menuHeight, bar && bar->isVisible() ? bar->height() : 0,
                       status_->isVisible() ? status_->height() : 0, image_->Width, image_->Height);
    if (percent)
        SetZoomPercent(*percent);
}

void TfrmMain::ZoomKeeping(const std::function<void()>& change, QPointF anchorFraction,
                           QPoint viewportPoint) {
    change();
    // Scroll so the anchor (as a fraction of the surface) sits under the same viewport point.
    const QSize size = paintBox_->size();
    scrollBox_->horizontalScrollBar()->setValue(
        static_cast<int>(anchorFraction.x() * size.width()) - viewportPoint.x());
    scrollBox_->verticalScrollBar()->setValue(static_cast<int>(anchorFraction.y() * size.height()) -
                                              viewportPoint.y());
}

void TfrmMain::ZoomKeepingCentre(const std::function<void()>& change) {
    const QSize view = scrollBox_->viewport()->size();
    const QPoint centre(view.width() / 2, view.height() / 2);
    const QPoint onSurface = paintBox_->mapFrom(scrollBox_->viewport(), centre);
    const QSize size = paintBox_->size();
    const QPointF fraction(size.width() > 0 ? double(onSurface.x()) / size.width() : 0.5,
                           size.height() > 0 ? double(onSurface.y()) / size.height() : 0.5);
    ZoomKeeping(change, fraction, centre);
}

void TfrmMain::WheelZoom(int steps, QPoint surfacePoint) {
    if (image_->Empty())
        return;
    const QSize size = paintBox_->size();
    const QPointF fraction(size.width() > 0 ? double(surfacePoint.x()) / size.width() : 0.5,
                           size.height() > 0 ? double(surfacePoint.y()) / size.height() : 0.5);
    const QPoint viewportPoint = scrollBox_->viewport()->mapFrom(paintBox_, surfacePoint);
    ZoomKeeping(
        [this, steps] {
            for (int i = 0; i < std::abs(steps); ++i) {
                if (steps > 0)
                    zoom_.In();
                else
                    zoom_.Out();
            }
            ResizeView();
        },
        fraction, viewportPoint);
}

void TfrmMain::ShowCustomZoom() {
    TfrmCustomZoom dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        ZoomKeepingCentre([&] { SetZoomPercent(dialog.Percent()); });
}

// ---------------------------------------------------------------- documents

void TfrmMain::SetCaption(const QString& suffix) {
    setWindowTitle(QString::fromLatin1(ProductTitle) + " - " + suffix);
}

bool TfrmMain::LoadDocument(const QString& path) {
    UndoDiscard();
    image_ = std::make_unique<TFImage>();
    emit DocumentReplaced();
    const bool loaded = image_->LoadFromFile(path.toStdString()) >= 0;
    if (!loaded) {
        SetStatusText(PanelHint, QStringLiteral("Could not open image."));
        SetStatusText(PanelSize, QString());
        // The window holds an empty document now: nothing may act on the old one.
        setWindowTitle(QString::fromLatin1(ProductTitle));
        documentName_.clear();
        zoom_.Reset();
        ResizeView();
        SetStatusText(PanelSize, QString());
        EnableActions();
        RefreshDisplayMode();
    }
    return loaded;
}

void TfrmMain::ShowLoaded() {
    zoom_.Reset();
    FitToWindow();
    ResizeView();
    scrollBox_->horizontalScrollBar()->setValue(0);
    scrollBox_->verticalScrollBar()->setValue(0);
    RepaintView();
}

bool TfrmMain::OpenImage(const QString& requested) {
    const QString path = AbsolutePath(requested);
    if (!LoadDocument(path))
        return false;
    ShowLoaded();
    SetCaption(path);
    UpdateStatus();
    documentName_ = path;
    folderList_ = BuildFolderList(path.toStdString());
    folderIndex_ = FolderIndexOf(folderList_, path.toStdString());
    ResetDisplayMode();
    EnableActions();
    AddRecentFile(path);
    return true;
}

void TfrmMain::StepTo(int index) {
    if (index < 0 || index >= static_cast<int>(folderList_.size()))
        return;
    folderIndex_ = index;
    const QString path = QString::fromStdString(folderList_[index]);
    if (!LoadDocument(path))
        return;
    ShowLoaded();
    documentName_ = path;
    EnableActions();
    SetCaption(path);
    UpdateStatus();
    ResetDisplayMode();
}

void TfrmMain::NextImage() {
    UndoDiscard();
    StepTo(NextFolderIndex(folderIndex_, static_cast<int>(folderList_.size())));
}

void TfrmMain::PreviousImage() {
    UndoDiscard();
    StepTo(PreviousFolderIndex(folderIndex_, static_cast<int>(folderList_.size())));
}

QStringList TfrmMain::FolderList() const {
    QStringList list;
    for (const std::string& path : folderList_)
        list << QString::fromStdString(path);
    return list;
}

void TfrmMain::AdoptDocument(std::unique_ptr<TFImage> image, const QString& documentName,
                             bool refreshDisplayMode) {
    if (!image)
        return;
    UndoDiscard();
    image_ = std::move(image);
    emit DocumentReplaced();
    documentName_ = documentName;
    EnableActions();
    SetCaption(documentName);
    ShowLoaded();
    if (refreshDisplayMode)
        RefreshDisplayMode();
}

void TfrmMain::OpenDialog() {
    const QString folder =
        documentName_.isEmpty() ? QString() : QFileInfo(documentName_).absolutePath();
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open"), folder,
                                                      QtFileFilter(OpenFilter()), nullptr,
                                                      QFileDialog::HideNameFilterDetails);
    if (!path.isEmpty())
        OpenImage(path);
}

void TfrmMain::SaveDialog() {
    QFileDialog dialog(this, QStringLiteral("Save"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(QtFileFilter(SaveFilter(SaveKindCode(*image_))));
    dialog.setDefaultSuffix(QStringLiteral("jpg"));
    if (!documentName_.isEmpty() && QFileInfo(documentName_).isAbsolute())
        dialog.setDirectory(QFileInfo(documentName_).absolutePath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    SaveImageAs(dialog.selectedFiles().first());
}

bool TfrmMain::SaveImageAs(const QString& path) {
    const std::string target = path.toStdString();
    const TSaveWriter writer = SaveWriterForPath(target);
    const bool saved = SaveImageByExtension(*image_, target) == 0;
    // Only the plain writers rename the window; JPEG, TIFF and FITS leave the caption.
    if (saved && writer == TSaveWriter::FreeImage)
        SetCaption(path);
    return saved;
}

// ---------------------------------------------------------------- undo

bool TfrmMain::UndoSave() {
    const bool taken = undo_->UndoSave(*image_);
    SyncUndoAction();
    return taken;
}

void TfrmMain::UndoDiscard() {
    undo_->UndoDiscard();
    SyncUndoAction();
}

void TfrmMain::UndoRestore() {
    if (undo_->UndoRestore(*image_)) {
        ResetDisplayMode();
        ResizeView();
        RepaintView();
    }
    SyncUndoAction();
}

// ---------------------------------------------------------------- display mode, palette

void TfrmMain::ResetDisplayMode() {
    displayMode_->ResetMode();
    RefreshDisplayMode();
}

void TfrmMain::RefreshDisplayMode() {
    if (displayMode_->isVisible())
        displayMode_->Recompute();
}

void TfrmMain::ShowDisplayMode() {
    displayMode_->show();
    displayMode_->raise();
}

void TfrmMain::ShowPalette() {
    TfrmViewPal palette([this] { return image_.get(); },
                        [this] {
                            ResizeView();
                            RepaintView();
                        },
                        this);
    palette.exec();
}

// ---------------------------------------------------------------- recent files, settings

void TfrmMain::AddRecentFile(const QString& path) {
    if (!QFileInfo::exists(path))
        return;
    recentFiles_.removeAll(path);
    recentFiles_.prepend(path);
    while (recentFiles_.size() > MaxRecentFiles)
        recentFiles_.removeLast();
    RebuildRecentMenu();
}

void TfrmMain::RebuildRecentMenu() {
    recentMenu_->clear();
    for (int i = 0; i < recentFiles_.size(); ++i) {
        const QString path = recentFiles_[i];
        QAction* entry = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        entry->setObjectName(QStringLiteral("mnuRecent%1").arg(i + 1));
        connect(entry, &QAction::triggered, this, [this, path] { OpenImage(path); });
    }
    recentMenu_->setEnabled(!recentFiles_.isEmpty());
}

void TfrmMain::ReadRecentFiles() {
    recentFiles_.clear();
    QSettings settings = Settings();
    settings.beginGroup(QString::fromLatin1(RecentFilesGroup));
    for (int i = 1; i <= MaxRecentFiles; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty() && !recentFiles_.contains(path))
            recentFiles_ << path;
    }
    settings.endGroup();
    RebuildRecentMenu();
}

void TfrmMain::WriteRecentFiles() {
    QSettings settings = Settings();
    settings.remove(QString::fromLatin1(RecentFilesGroup));
    settings.beginGroup(QString::fromLatin1(RecentFilesGroup));
    for (int i = 0; i < recentFiles_.size(); ++i)
        settings.setValue(QStringLiteral("File%1").arg(i + 1), recentFiles_[i]);
    settings.endGroup();
}

void TfrmMain::ReadSettings() {
    displayMode_->hide();
    displayMode_->move(300, 300);
    QSettings settings = Settings();
    bool ok = settings.contains(QStringLiteral("State"));
    const int state = settings.value(QStringLiteral("State")).toInt(&ok);
    if (!ok || state < 1 || state > 3) {
        showMaximized();
        return;
    }
    if (state == 1) {
        showMinimized();
    } else if (state == 2) {
        bool okTop = false, okLeft = false, okWidth = false, okHeight = false;
        const int top = settings.value(QStringLiteral("Top")).toInt(&okTop);
        const int left = settings.value(QStringLiteral("Left")).toInt(&okLeft);
        const int w = settings.value(QStringLiteral("Width")).toInt(&okWidth);
        const int h = settings.value(QStringLiteral("Height")).toInt(&okHeight);
        if (!(okTop && okLeft && okWidth && okHeight) || w <= 0 || h <= 0) {
            showMaximized();
            return;
        }
        setGeometry(left, top, w, h);
    } else {
        showMaximized();
    }
    bool okDmTop = false, okDmLeft = false;
    const int dmTop = settings.value(QStringLiteral("DisplayModeTop")).toInt(&okDmTop);
    const int dmLeft = settings.value(QStringLiteral("DisplayModeLeft")).toInt(&okDmLeft);
    if (okDmTop && okDmLeft)
        displayMode_->move(dmLeft, dmTop);
    if (settings.value(QStringLiteral("DisplayModeVisible")).toBool())
        displayMode_->show();
}

void TfrmMain::WriteSettings() {
    QSettings settings = Settings();
    const int state = isMinimized() ? 1 : isMaximized() ? 3 : 2;
    settings.setValue(QStringLiteral("State"), state);
    if (state == 2) {
        settings.setValue(QStringLiteral("Top"), geometry().top());
        settings.setValue(QStringLiteral("Left"), geometry().left());
        settings.setValue(QStringLiteral("Width"), geometry().width());
        settings.setValue(QStringLiteral("Height"), geometry().height());
    }
    settings.setValue(QStringLiteral("DisplayModeTop"), displayMode_->pos().y());
    settings.setValue(QStringLiteral("DisplayModeLeft"), displayMode_->pos().x());
    settings.setValue(QStringLiteral("DisplayModeVisible"), displayMode_->isVisible());
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (firstShow_) {
        firstShow_ = false;
        ReadSettings();
    }
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    WriteRecentFiles();
    WriteSettings();
    displayMode_->hide();
    UndoDiscard();
    QMainWindow::closeEvent(event);
}

// ---------------------------------------------------------------- drag and drop

void TfrmMain::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile())
        event->acceptProposedAction();
}

void TfrmMain::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    const QString path = urls.first().toLocalFile();
    // Open after the drop has finished, so the source application is not kept waiting.
    QMetaObject::invokeMethod(
        this, [this, path] { OpenImage(path); }, Qt::QueuedConnection);
}
