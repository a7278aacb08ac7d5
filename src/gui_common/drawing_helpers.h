#pragma once
// Small drawing details several windows share.

#include <QString>

class QFont;
class QPainter;
class QPalette;
class QRect;

// One tab of a tab bar drawn by its owner: rect filled with the button face, the caption
// in the button text colour, centred across, its bottom 4 pixels above rect's bottom.
void DrawTabCaption(QPainter& painter, const QString& caption, const QRect& rect, const QPalette& palette);
// Whether the font's letters fit its height: its pixel size is below the height of "Q".
bool FontFits(const QFont& font);
