// The node details dialog offscreen: the grids' texts and how their cells are painted.
#include "dialogs/node_details_dialog.h"

#include <QAbstractItemModel>
#include <QImage>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

QString Cell(const QTableView* grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

// The colour of a cell as painted, near its bottom left corner, below its text.
QRgb CellColor(const QImage& image, const QTableView* grid, int row, int column)
{
    const QRect r = grid->visualRect(grid->model()->index(row, column));
    return image.pixel(grid->viewport()->mapTo(grid, r.bottomLeft() + QPoint(2, -2)));
}

TEST(NodeDetails, ShowsTheNodesDetails)
{
    NodeEntry node;
    node.address = {2, 0, 0, 10};
    node.shortName = "Node A";
    node.longName = "A long name";
    node.nodeReport = "#0001 [0001] fine";
    node.portTypes = {0x80, 0x40, 0xC0, 0x00};
    node.swIn = {0x00, 0x35, 0x0F, 0x11};
    node.swOut = {0x12, 0x00, 0xF0, 0x22};

    NodeDetailsDialog dialog;
    dialog.SetNode(node);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "ノードの詳細情報");
    EXPECT_GE(dialog.width(), 400);
    EXPECT_GE(dialog.height(), 260);

    const QTableView* info = dialog.InfoGrid();
    EXPECT_EQ(Cell(info, 0, 0), "IP Address");
    EXPECT_EQ(Cell(info, 0, 1), "  2.  0.  0. 10");
    EXPECT_EQ(Cell(info, 3, 0), "Node Report");
    EXPECT_EQ(Cell(info, 3, 1), "#0001 [0001] fine");
    EXPECT_EQ(info->columnWidth(0), 90);
    EXPECT_EQ(info->columnWidth(1), 600);

    const QTableView* ports = dialog.PortGrid();
    const QString expected[3][5] = {{"", "1", "2", "3", "4"},
                                    {"In", "", "3 : 5", "0 : F", ""},
                                    {"Out", "1 : 2", "", "F : 0", ""}};
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 5; ++column)
            EXPECT_EQ(Cell(ports, row, column), expected[row][column]) << row << "," << column;

    // Fixed cells in the button face, text on the window colour, empty cells darker.
    const QPalette& p = dialog.palette();
    const QImage infoImage = dialog.InfoGrid()->grab().toImage();
    EXPECT_EQ(CellColor(infoImage, info, 1, 0), p.color(QPalette::Button).rgb());
    EXPECT_EQ(CellColor(infoImage, info, 1, 1), p.color(QPalette::Base).rgb());
    const QImage portImage = dialog.PortGrid()->grab().toImage();
    EXPECT_EQ(CellColor(portImage, ports, 0, 2), p.color(QPalette::Button).rgb());
    EXPECT_EQ(CellColor(portImage, ports, 1, 2), p.color(QPalette::Base).rgb());
    EXPECT_EQ(CellColor(portImage, ports, 1, 1), p.color(QPalette::Dark).rgb());

    // Another node replaces every cell.
    dialog.SetNode(NodeEntry{});
    EXPECT_EQ(Cell(info, 1, 1), "");
    EXPECT_EQ(Cell(ports, 2, 1), "");
}

} // namespace
