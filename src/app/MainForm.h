#pragma once
// TfrmMain: the application's main window. It owns the open document, the undo store and the
// folder list, opens, steps through and saves images, shows the image in a scrolling view with
// its zoom, reports size, zoom, pointer position and pixel value in the status bar, and starts
// every tool. Tool dialogs reach it through MainForm().

#include "core/Zoom.h"

#include <QHash>
#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class QToolBar;
class TDataContainerUndo;
class TFImage;
class TPaintBox;
class TScrollBox;
class TStatusPanels;
class TUiDispatcher;
class TfrmDisplayMode;

// Product title: the application title and the caption prefix.
extern const char* const ProductTitle;
// Address the web-site action opens.
extern const char* const ProductWebSite;

// Status-bar panels.
enum TStatusPanel {
    PanelHint = 0,
    PanelSize = 1,
    PanelZoom = 2,
    PanelPosition = 3,
    PanelValue = 4,
    PanelProgress = 5,
};

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(TUiDispatcher* dispatcher = nullptr, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // --- what tool dialogs use ---
    TFImage* Image() const { return image_.get(); } // never null
    TDataContainerUndo& UndoStore() { return *undo_; }
    TUiDispatcher* Dispatcher() const { return dispatcher_; }
    // Snapshot of the document before a tool writes into it; turns Undo on. False if none.
    bool UndoSave();
    void UndoDiscard();
    // Undo's state follows the store (after a tool used the store directly).
    void SyncUndoAction();
    // Repaints the paint surface from the display bitmap.
    void RepaintView();
    void SetStatusText(int panel, const QString& text);
    QString StatusText(int panel) const;
    void ResizeView();
    void FitToWindow();
    void UpdateStatus();
    void EnableActions();
    // The display-mode window: "Min and Max" again (not applied) and a fresh histogram.
    void ResetDisplayMode();
    // Recomputes the display-mode window when it is shown.
    void RefreshDisplayMode();
    // A tool dialog hooks into its action: the action is shown and runs fn when triggered.
    void RegisterTool(const QString& actionName, std::function<void()> fn);
    // Replaces the document by one made elsewhere (paste, acquisition, combines): discards the
    // snapshot, sets the caption and document name, fits and shows it.
    void AdoptDocument(std::unique_ptr<TFImage> image, const QString& documentName,
                       bool refreshDisplayMode);

    // --- main window operations ---
    bool OpenImage(const QString& path);
    void NextImage();
    void PreviousImage();
    // The save flow after the dialog: the writer chosen by the extension.
    bool SaveImageAs(const QString& path);
    void ZoomIn();
    void ZoomOut();
    void SetZoomLevel(int index);
    void SetZoomPercent(double percent);
    void ShowPixelInfo(int x, int y);
    void UndoRestore();

    const TZoom& Zoom() const { return zoom_; }
    QAction* Action(const QString& name) const { return actions_.value(name); }
    QStringList RecentFiles() const { return recentFiles_; }
    void AddRecentFile(const QString& path);
    QStringList FolderList() const;
    int FolderIndex() const { return folderIndex_; }
    QString DocumentName() const { return documentName_; }
    TStatusPanels* StatusPanels() const { return status_; }
    TScrollBox* ScrollBox() const { return scrollBox_; }
    TPaintBox* PaintBox() const { return paintBox_; }
    TfrmDisplayMode* DisplayModeWindow() const { return displayMode_; }
    QToolBar* ToolBar() const { return toolBar_; }

    // Settings: read on first showing, written on close (public for tests).
    void ReadSettings();
    void WriteSettings();
    void ReadRecentFiles();
    void WriteRecentFiles();

signals:
    // The document object was replaced (open, step, adopt).
    void DocumentReplaced();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenusAndToolBar();
    void ConnectBuiltActions();
    void UpdateMenuVisibility();
    void RebuildRecentMenu();
    void SetCaption(const QString& suffix);
    bool LoadDocument(const QString& path);
    void StepTo(int index);
    void ShowLoaded();
    void OpenDialog();
    void SaveDialog();
    void ShowCustomZoom();
    void ShowDisplayMode();
    void ShowPalette();
    void WheelZoom(int steps, QPoint surfacePoint);
    // Runs a zoom change keeping the given surface point under the same viewport point.
    void ZoomKeeping(const std::function<void()>& change, QPointF anchorFraction,
                     QPoint viewportPoint);
    void ZoomKeepingCentre(const std::function<void()>& change);

    TUiDispatcher* dispatcher_ = nullptr;
    std::unique_ptr<TFImage> image_;
    std::unique_ptr<TDataContainerUndo> undo_;
    std::vector<std::string> folderList_;
    int folderIndex_ = -1;
    TZoom zoom_;
    QString documentName_;
    QStringList recentFiles_;
    bool firstShow_ = true;

    QHash<QString, QAction*> actions_;
    QHash<QString, std::function<void()>> tools_;
    QHash<QString, QMenu*> menus_;
    QMenu* recentMenu_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    TStatusPanels* status_ = nullptr;
    TScrollBox* scrollBox_ = nullptr;
    TPaintBox* paintBox_ = nullptr;
    TfrmDisplayMode* displayMode_ = nullptr;
};

// The one main window, for tool dialogs (null before it is created).
TfrmMain* MainForm();
