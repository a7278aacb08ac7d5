#pragma once
// NodeDetailsDialog: the details of one discovered Art-Net node, shown modally from the
// option dialog's node list. It shows a copy of the node's entry, so what it shows always
// belongs to one complete reply, whatever the worker records meanwhile.

#include "output/node_table.h"

#include <QDialog>

class QStandardItemModel;
class QTableView;

class NodeDetailsDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int RowHeight = 24;

    // mainWindow: the dialog opens centred on it.
    explicit NodeDetailsDialog(QWidget* mainWindow = nullptr);

    QTableView* InfoGrid() const { return infoGrid_; }
    QTableView* PortGrid() const { return portGrid_; }

    // Fills both grids from node.
    void SetNode(const NodeEntry& node);
    // SetNode, then the dialog modally, centred on the main window.
    int Execute(const NodeEntry& node);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTableView* infoGrid_;
    QTableView* portGrid_;
    QStandardItemModel* info_;
    QStandardItemModel* ports_;
};
