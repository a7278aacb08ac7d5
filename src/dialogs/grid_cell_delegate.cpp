#include "dialogs/grid_cell_delegate.h"

#include <QPainter>

GridCellDelegate::GridCellDelegate(int fixedRows, int fixedColumns, bool centred, QObject* parent)
    : QStyledItemDelegate(parent), fixedRows_(fixedRows), fixedColumns_(fixedColumns), centred_(centred)
{
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    const QPalette& palette = option.palette;
    const bool fixed = index.row() < fixedRows_ || index.column() < fixedColumns_;
    QColor background = palette.color(QPalette::Base);
    if (fixed)
        background = palette.color(QPalette::Button);
    else if (text.isEmpty())
        background = palette.color(QPalette::Dark); // the workspace colour

    painter->save();
    painter->setClipRect(option.rect);
    painter->fillRect(option.rect, background);
    painter->setPen(palette.color(fixed ? QPalette::ButtonText : QPalette::Text));
    painter->setFont(option.font);
    const QFontMetrics metrics(option.font);
    int x = option.rect.left() + TextIndent;
    if (centred_)
        x = option.rect.left() + (option.rect.width() - metrics.horizontalAdvance(text)) / 2;
    painter->drawText(QPoint(x, option.rect.top() + TextIndent + metrics.ascent()), text);
    painter->restore();
}
