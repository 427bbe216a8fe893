#include "app/ViewPalForm.h"

#include "core/fimage.h"
#include "ui/DialogFont.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int Pitch = 18;
constexpr int Swatch = 15;
constexpr int GridSide = 291;
} // namespace

TPaletteGrid::TPaletteGrid(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pbxPalette"));
    setFixedSize(GridSide, GridSide);
}

void TPaletteGrid::SetEntries(const QVector<QColor>& entries) {
    entries_ = entries;
    update();
}

int TPaletteGrid::IndexAt(int x, int y) const {
    if (x <= 2 || x > 288 || y <= 2 || y > 288)
        return -1;
    const int index = x / Pitch + (y / Pitch) * 16;
    return index < entries_.size() ? index : -1;
}

void TPaletteGrid::Select(int x, int y) {
    selected_ = QPoint(x - x % Pitch, y - y % Pitch);
    update();
}

void TPaletteGrid::ClearSelection() {
    selected_ = QPoint(-1, -1);
    update();
}

void TPaletteGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    for (int i = 0; i < entries_.size() && i < 256; ++i)
        p.fillRect(3 + (i % 16) * Pitch, 3 + (i / 16) * Pitch, Swatch, Swatch, entries_[i]);
    if (selected_.x() >= 0) {
        p.setPen(Qt::red);
        p.drawRect(QRect(QPoint(selected_.x() + 2, selected_.y() + 2),
                         QPoint(selected_.x() + 19, selected_.y() + 19)));
    }
}

void TPaletteGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit Clicked(p.x(), p.y());
}

TfrmViewPal::TfrmViewPal(std::function<TFImage*()> image, std::function<void()> changed,
                         QWidget* parent)
    : QDialog(parent), image_(std::move(image)), changed_(std::move(changed)) {
    setObjectName(QStringLiteral("frmViewPal"));
    setWindowTitle(QStringLiteral("Palette"));
    setProperty("HelpContext", 7);
    ApplyDialogFont(this);

    grid_ = new TPaletteGrid(this);
    lblIndex_ = new QLabel(QStringLiteral("Index: "), this);
    lblIndex_->setObjectName(QStringLiteral("lblIndex"));
    lblValue_ = new QLabel(QStringLiteral("Value: "), this);
    lblValue_->setObjectName(QStringLiteral("lblValue"));
    btnEditColor_ = new QPushButton(QStringLiteral("Edit Color..."), this);
    btnEditColor_->setObjectName(QStringLiteral("btnEditColor"));
    btnEditColor_->setEnabled(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOK"));

    auto* side = new QVBoxLayout;
    side->addWidget(lblIndex_);
    side->addWidget(lblValue_);
    side->addWidget(btnEditColor_);
    side->addStretch();
    side->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(grid_);
    layout->addLayout(side);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    lblValue_->setMinimumWidth(fontMetrics().horizontalAdvance("Value: R: 255 G: 255 B: 255"));

    connect(grid_, &TPaletteGrid::Clicked, this, &TfrmViewPal::ClickAt);
    connect(btnEditColor_, &QPushButton::clicked, this, &TfrmViewPal::EditColour);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

void TfrmViewPal::LoadEntries() {
    QVector<QColor> entries;
    TFImage* image = image_ ? image_() : nullptr;
    if (image && !image->Empty()) {
        const RGBQUAD* palette = image->PaletteEntries();
        const unsigned count = palette ? image->PaletteSize() : 0;
        for (unsigned i = 0; i < count && i < 256; ++i)
            entries << QColor(palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue);
    }
    grid_->SetEntries(entries);
}

void TfrmViewPal::showEvent(QShowEvent* event) {
    LoadEntries();
    QDialog::showEvent(event);
}

void TfrmViewPal::hideEvent(QHideEvent* event) {
    lblIndex_->setText(QStringLiteral("Index: "));
    lblValue_->setText(QStringLiteral("Value: "));
    btnEditColor_->setEnabled(false);
    grid_->ClearSelection();
    selected_ = -1;
    QDialog::hideEvent(event);
}

void TfrmViewPal::ClickAt(int x, int y) {
    if (x <= 2 || x > 288 || y <= 2 || y > 288)
        return;
    grid_->ClearSelection();
    const int index = grid_->IndexAt(x, y);
    if (index < 0)
        return;
    TFImage* image = image_();
    const RGBQUAD& q = image->PaletteEntries()[index];
    selected_ = index;
    lblIndex_->setText(QStringLiteral("Index: %1").arg(index));
    lblValue_->setText(
        QStringLiteral("Value: R: %1 G: %2 B: %3").arg(q.rgbRed).arg(q.rgbGreen).arg(q.rgbBlue));
    grid_->Select(x, y);
    btnEditColor_->setEnabled(true);
}

void TfrmViewPal::EditColour() {
    if (selected_ < 0)
        return;
    const RGBQUAD& q = image_()->PaletteEntries()[selected_];
    const QColor colour =
        QColorDialog::getColor(QColor(q.rgbRed, q.rgbGreen, q.rgbBlue), this, QString());
    if (colour.isValid())
        SetSelectedColour(colour);
}

void TfrmViewPal::SetSelectedColour(const QColor& colour) {
    TFImage* image = image_ ? image_() : nullptr;
    if (selected_ < 0 || !image || !image->PaletteEntries())
        return;
    RGBQUAD& q = image->PaletteEntries()[selected_];
    q.rgbBlue = static_cast<BYTE>(colour.blue());
    q.rgbGreen = static_cast<BYTE>(colour.green());
    q.rgbRed = static_cast<BYTE>(colour.red());
    q.rgbReserved = 0;
    LoadEntries();
    image->RefreshDisplay();
    if (changed_)
        changed_();
}
