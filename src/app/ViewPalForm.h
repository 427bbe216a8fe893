#pragma once
// "Palette": the swatches of an indexed image's palette; a clicked entry can be given a new
// colour, written straight into the image's palette.

#include <QDialog>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class TFImage;

// The 291 x 291 swatch grid: 16 per row at a pitch of 18 pixels from (3, 3).
class TPaletteGrid : public QWidget {
    Q_OBJECT
public:
    explicit TPaletteGrid(QWidget* parent = nullptr);
    void SetEntries(const QVector<QColor>& entries);
    // The index under a click, -1 outside the swatches in use.
    int IndexAt(int x, int y) const;
    void Select(int x, int y); // draws the outline of the cell at that point
    void ClearSelection();
    QSize sizeHint() const override { return {291, 291}; }

signals:
    void Clicked(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QVector<QColor> entries_;
    QPoint selected_{-1, -1};
};

class TfrmViewPal : public QDialog {
    Q_OBJECT
public:
    // changed: runs after a palette entry changed (refresh, resize view, repaint).
    TfrmViewPal(std::function<TFImage*()> image, std::function<void()> changed,
                QWidget* parent = nullptr);
    // What a click at (x, y) on the grid does.
    void ClickAt(int x, int y);
    // Writes a colour into the selected entry (what "Edit Color..." does after the dialog).
    void SetSelectedColour(const QColor& colour);
    int SelectedIndex() const { return selected_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void LoadEntries();
    void EditColour();

    std::function<TFImage*()> image_;
    std::function<void()> changed_;
    TPaletteGrid* grid_ = nullptr;
    QLabel* lblIndex_ = nullptr;
    QLabel* lblValue_ = nullptr;
    QPushButton* btnEditColor_ = nullptr;
    int selected_ = -1;
};
