#include "dialogs/caption_tab_bar.h"

#include "gui_common/drawing_helpers.h"

#include <QStyleOptionTab>
#include <QStylePainter>

void CaptionTabBar::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    for (int i = 0; i < count(); ++i) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        option.text.clear();
        painter.drawControl(QStyle::CE_TabBarTabShape, option);
        // Inside the shape's frame.
        DrawTabCaption(painter, tabText(i), tabRect(i).adjusted(3, 2, -3, -2), palette());
    }
}
