#pragma once
// Icons of the actions: the desktop's icon theme first, else a drawn glyph, so the toolbar is
// never blank.

#include <QIcon>

struct TActionSpec;

QIcon ActionIcon(const TActionSpec& spec);
// The program's icon: a star on a night-sky tile.
QIcon AppIcon();
// A drawn icon showing the glyph on a rounded tile.
QIcon GlyphIcon(const QString& glyph);
