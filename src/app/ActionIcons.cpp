#include "app/ActionIcons.h"

#include "app/ActionTable.h"

#include <QPainter>
#include <QPixmap>

QIcon AppIcon() {
    QIcon icon;
    for (int side : {16, 32, 48, 64, 128}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(side / 64.0, side / 64.0);
        QRadialGradient sky(26, 22, 48);
        sky.setColorAt(0, QColor(58, 95, 158));
        sky.setColorAt(1, QColor(11, 22, 51));
        p.setPen(QPen(QColor(6, 16, 36), 2));
        p.setBrush(sky);
        p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
        p.setPen(QPen(QColor(217, 184, 74), 1.5));
        p.setBrush(QColor(244, 231, 161));
        p.drawPolygon(QPolygonF({{32, 12},
                                 {36, 27},
                                 {51, 27},
                                 {39, 36},
                                 {43, 51},
                                 {32, 42},
                                 {21, 51},
                                 {25, 36},
                                 {13, 27},
                                 {28, 27}}));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(50, 14), 2, 2);
        p.drawEllipse(QPointF(14, 50), 1.5, 1.5);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon GlyphIcon(const QString& glyph) {
    QIcon icon;
    for (int side : {16, 22, 32, 48}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient tile(0, 0, 0, side);
        tile.setColorAt(0, QColor(96, 128, 176));
        tile.setColorAt(1, QColor(44, 66, 110));
        p.setBrush(tile);
        p.setPen(QPen(QColor(30, 45, 80), side / 16.0));
        const double inset = side / 16.0;
        p.drawRoundedRect(QRectF(inset, inset, side - 2 * inset, side - 2 * inset), side / 5.0,
                          side / 5.0);
        QFont font = p.font();
        font.setBold(true);
        font.setPixelSize(static_cast<int>(side * 0.62));
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 0, side, side), Qt::AlignCenter, glyph);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

namespace {

// Pictograms for the toolbar's file, edit and view actions, drawn in a 32-unit box.
void DrawPictogram(QPainter& p, const QString& name) {
    const QColor ink(40, 60, 100);
    p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (name == "open") {
        p.setBrush(QColor(236, 196, 92));
        p.drawPolygon(QPolygonF({{3, 8}, {12, 8}, {15, 11}, {28, 11}, {28, 27}, {3, 27}}));
        p.setBrush(QColor(250, 222, 130));
        p.drawPolygon(QPolygonF({{3, 27}, {8, 15}, {31, 15}, {28, 27}}));
    } else if (name == "save") {
        p.setBrush(QColor(80, 120, 190));
        p.drawRoundedRect(QRectF(4, 4, 24, 24), 3, 3);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 4, 14, 9));
        p.drawRect(QRectF(8, 18, 16, 10));
    } else if (name == "undo") {
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(7, 8, 20, 18), 90 * 16, -200 * 16);
        p.setBrush(ink);
        p.drawPolygon(QPolygonF({{4, 9}, {14, 3}, {14, 15}}));
    } else if (name == "prev" || name == "next") {
        p.setBrush(QColor(70, 140, 90));
        if (name == "prev")
            p.drawPolygon(QPolygonF({{26, 5}, {26, 27}, {6, 16}}));
        else
            p.drawPolygon(QPolygonF({{6, 5}, {6, 27}, {26, 16}}));
    } else if (name == "zoomin" || name == "zoomout") {
        p.setBrush(QColor(225, 235, 250));
        p.drawEllipse(QRectF(3, 3, 19, 19));
        p.setPen(QPen(ink, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(20, 20), QPointF(28, 28));
        p.setPen(QPen(ink, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 12.5), QPointF(17, 12.5));
        if (name == "zoomin")
            p.drawLine(QPointF(12.5, 8), QPointF(12.5, 17));
    }
}

QIcon PictogramIcon(const QString& name) {
    QIcon icon;
    for (int side : {16, 22, 32, 48}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(side / 32.0, side / 32.0);
        DrawPictogram(p, name);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon ActionIcon(const TActionSpec& spec) {
    const QString theme = QString::fromLatin1(spec.ThemeIcon);
    if (!theme.isEmpty()) {
        for (const QString& name : {theme, theme + QStringLiteral("-symbolic")}) {
            const QIcon icon = QIcon::fromTheme(name);
            if (!icon.isNull())
                return icon;
        }
    }
    // A glyph starting with "@" names a drawn pictogram.
    const QString glyph = QString::fromUtf8(spec.IconGlyph);
    if (glyph.startsWith('@'))
        return PictogramIcon(glyph.mid(1));
    return glyph.isEmpty() ? QIcon() : GlyphIcon(glyph);
}
