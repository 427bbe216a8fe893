#include "app/ImageView.h"

#include "core/Stretch.h"
#include "core/Zoom.h"
#include "core/fimage.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pbxImage"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void TPaintBox::SetSource(std::function<const TFImage*()> image, std::function<float()> zoom) {
    image_ = std::move(image);
    zoom_ = std::move(zoom);
}

void TPaintBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect exposed = event->rect() & rect();
    const TFImage* image = image_ ? image_() : nullptr;
    if (!image || image->DisplayBitmap.Empty() || exposed.isEmpty()) {
        painter.fillRect(exposed, palette().color(QPalette::Dark));
        return;
    }
    const TRect visible{exposed.left(), exposed.top(), exposed.right() + 1, exposed.bottom() + 1};
    const TPaintRects rects = PaintRectsFor(visible, zoom_(), image->DisplayBitmap.Width(),
                                            image->DisplayBitmap.Height());
    const TRect& d = rects.Destination;
    if (d.Empty())
        return;
    const std::size_t needed = static_cast<std::size_t>(d.Width()) * d.Height();
    if (buffer_.size() < needed)
        buffer_.resize(needed);
    StretchToRgb32(image->DisplayBitmap, rects.Source, d.Width(), d.Height(), buffer_.data(),
                   d.Width());
    const QImage picture(reinterpret_cast<const uchar*>(buffer_.data()), d.Width(), d.Height(),
                         d.Width() * 4, QImage::Format_RGB32);
    painter.drawImage(QPoint(d.Left, d.Top), picture);
    // Keep the reused buffer from growing without bound after a huge repaint.
    if (buffer_.size() > 4 * needed && buffer_.size() > (std::size_t(1) << 22))
        std::vector<std::uint32_t>().swap(buffer_);
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit PointerMoved(p.x(), p.y());
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit Pressed(p.x(), p.y());
}

TScrollBox::TScrollBox(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("sbxImage"));
    setBackgroundRole(QPalette::Dark);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWidgetResizable(false);
    viewport()->setMouseTracking(true);
}

void TScrollBox::wheelEvent(QWheelEvent* event) {
    wheelRemainder_ += event->angleDelta().y();
    const int steps = wheelRemainder_ / 120;
    wheelRemainder_ -= steps * 120;
    if (steps != 0 && widget())
        emit WheelSteps(steps, widget()->mapFrom(viewport(), event->position().toPoint()));
    event->accept();
}

void TScrollBox::mouseMoveEvent(QMouseEvent* event) {
    emit PointerOutsideSurface();
    QScrollArea::mouseMoveEvent(event);
}
