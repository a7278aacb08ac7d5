#pragma once
// Cells of the dialogs' read-only string grids, drawn as the program draws them: fixed
// cells (the first rows and columns) in the button face colour with button text, other
// cells in the window colour when they hold text and in the workspace colour when empty.
// Text starts 4 pixels right of and below the cell's corner, or is centred across it.

#include <QStyledItemDelegate>

class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int TextIndent = 4;

    GridCellDelegate(int fixedRows, int fixedColumns, bool centred, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const int fixedRows_;
    const int fixedColumns_;
    const bool centred_;
};
