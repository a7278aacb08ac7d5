#include "gui_common/drawing_helpers.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QRect>

void DrawTabCaption(QPainter& painter, const QString& caption, const QRect& rect, const QPalette& palette)
{
    painter.save();
    painter.fillRect(rect, palette.color(QPalette::Button));
    painter.setPen(palette.color(QPalette::ButtonText));
    const QFontMetrics metrics(painter.font());
    const int x = rect.left() + (rect.width() - metrics.horizontalAdvance(caption)) / 2;
    // The text's bottom (its descent included) 4 pixels above the rectangle's bottom.
    const int baseline = rect.bottom() + 1 - 4 - metrics.descent();
    painter.drawText(QPoint(x, baseline), caption);
    painter.restore();
}

bool FontFits(const QFont& font) { return QFontInfo(font).pixelSize() < QFontMetrics(font).boundingRect("Q").height(); }
