#include "app/ActionIcons.h"

#include "app/ActionTable.h"

#include <QPainter>
#include <QPixmap>

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

QIcon ActionIcon(const TActionSpec& spec) {
    const QString theme = QString::fromLatin1(spec.ThemeIcon);
    if (!theme.isEmpty()) {
        for (const QString& name : {theme, theme + QStringLiteral("-symbolic")}) {
            const QIcon icon = QIcon::fromTheme(name);
            if (!icon.isNull())
                return icon;
        }
    }
    const QString glyph = QString::fromUtf8(spec.IconGlyph);
    return glyph.isEmpty() ? QIcon() : GlyphIcon(glyph);
}
