#include "dialogs/node_details_dialog.h"

#include "output/node_details_text.h"
#include "dialogs/grid_cell_delegate.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int PortColumnWidth = 50;

QTableView* MakeGrid(QWidget* parent, const char* name, QStandardItemModel* model, GridCellDelegate* delegate)
{
    auto* grid = new QTableView(parent);
    grid->setObjectName(name);
    grid->setModel(model);
    grid->setItemDelegate(delegate);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(NodeDetailsDialog::RowHeight);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setFocusPolicy(Qt::NoFocus);
    return grid;
}

void SetCell(QStandardItemModel* model, int row, int column, const std::string& text)
{
    model->setData(model->index(row, column), QString::fromStdString(text));
}

} // namespace

NodeDetailsDialog::NodeDetailsDialog(QWidget* mainWindow) : QDialog(mainWindow, Qt::Tool)
{
    setObjectName("ArtNetPropDlg");
    setWindowTitle(tr("ノードの詳細情報"));
    QFont gothic("IPAPGothic");
    gothic.setPixelSize(15);
    setFont(gothic);
    setSizeGripEnabled(true);

    info_ = new QStandardItemModel(4, 2, this);
    infoGrid_ = MakeGrid(this, "InfoGrid", info_, new GridCellDelegate(0, 1, false, this));
    infoGrid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    infoGrid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tall enough for its four rows above the scroll bar; a taller dialog gives it more.
    infoGrid_->setMinimumHeight(4 * RowHeight + 2 * infoGrid_->frameWidth()
                                + infoGrid_->horizontalScrollBar()->sizeHint().height());

    ports_ = new QStandardItemModel(3, 5, this);
    portGrid_ = MakeGrid(this, "PortGrid", ports_, new GridCellDelegate(1, 1, true, this));
    portGrid_->horizontalHeader()->setDefaultSectionSize(PortColumnWidth);
    portGrid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    portGrid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * portGrid_->frameWidth();
    portGrid_->setFixedSize(5 * PortColumnWidth + frame, 3 * RowHeight + frame);
    for (int port = 1; port <= 4; ++port)
        SetCell(ports_, 0, port, std::to_string(port));
    SetCell(ports_, 1, 0, "In");
    SetCell(ports_, 2, 0, "Out");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(4);
    layout->addWidget(infoGrid_, 1);
    layout->addWidget(new QLabel(tr("SUB-NET : ID"), this));
    layout->addWidget(portGrid_);
    layout->addWidget(buttons);

    setMinimumSize(400, 260);
    resize(480, minimumSizeHint().height());
}

void NodeDetailsDialog::SetNode(const NodeEntry& node)
{
    const NodeDetailsText text = MakeNodeDetailsText(node);
    for (int row = 0; row < 4; ++row) {
        SetCell(info_, row, 0, text.Info[size_t(row)].Label);
        SetCell(info_, row, 1, text.Info[size_t(row)].Value);
    }
    for (int port = 0; port < 4; ++port) {
        SetCell(ports_, 1, port + 1, text.PortIn[size_t(port)]);
        SetCell(ports_, 2, port + 1, text.PortOut[size_t(port)]);
    }
}

int NodeDetailsDialog::Execute(const NodeEntry& node)
{
    SetNode(node);
    if (const QWidget* main = parentWidget()) {
        QRect r = geometry();
        r.moveCenter(main->geometry().center());
        setGeometry(r);
    }
    return exec();
}

void NodeDetailsDialog::showEvent(QShowEvent* event)
{
    infoGrid_->setColumnWidth(0, 90);
    infoGrid_->setColumnWidth(1, 600);
    QDialog::showEvent(event);
}
