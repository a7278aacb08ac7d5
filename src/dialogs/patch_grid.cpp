#include "dialogs/patch_grid.h"

#include "common/messages.h"
#include "dialogs/patch_text.h"
#include "dialogs/project_settings_host.h"
#include "document/play_globals.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <qdrawutil.h>

namespace {

constexpr int TextLeft = 8;
constexpr int SlotNumberWidth = 50;

QColor SourceColor(int source)
{
    static const QColor Colors[3] = {QColor(255, 0, 0), QColor(0, 128, 0), QColor(0, 0, 255)};
    return Colors[source % 3];
}

} // namespace

PatchGridModel::PatchGridModel(ProjectSettingsHost& host, QObject* parent) : QAbstractTableModel(parent), host_(host)
{
}

int PatchGridModel::Entry(const QModelIndex& index)
{
    if (!index.isValid() || index.row() < 1 || index.column() < 1)
        return -1;
    const int entry = 3 * (index.row() - 1) + index.column() - 1;
    return entry < DmxSlots ? entry : -1;
}

int PatchGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Rows; }

int PatchGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Columns; }

QVariant PatchGridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (index.row() == 0)
        return index.column() == 0 && role == Qt::DisplayRole ? QVariant("DMX out") : QVariant();
    if (index.column() == 0)
        return role == Qt::DisplayRole ? QVariant(QString::number(3 * index.row() - 2)) : QVariant();
    const int entry = Entry(index);
    if (entry < 0)
        return {};
    const int source = host_.PatchEntry(entry);
    if (role == Qt::EditRole)
        return source >= 0 ? QString::number(source + 1) : QString();
    if (source < 0)
        return QString("__");
    return QString("Line %1(%2)").arg(source / 3 + 1).arg(QChar("RGB"[source % 3]));
}

bool PatchGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const int entry = Entry(index);
    if (role != Qt::EditRole || entry < 0)
        return false;
    if (const auto sources = PatchTextSources(value.toString().toStdString(), entry)) {
        host_.SetPatchEntries(entry, *sources);
    } else {
        Beep();
        host_.MarkModified();
    }
    Refresh();
    return true;
}

Qt::ItemFlags PatchGridModel::flags(const QModelIndex& index) const
{
    // Headers and the cells past the last slot can never be current.
    if (Entry(index) < 0)
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void PatchGridModel::Clear(const QModelIndex& index)
{
    const int entry = Entry(index);
    if (entry < 0)
        return;
    const int32_t none = -1;
    host_.SetPatchEntries(entry, std::span(&none, 1));
    Refresh();
}

void PatchGridModel::Refresh() { emit dataChanged(index(1, 1), index(Rows - 1, Columns - 1)); }

PatchGrid::PatchGrid(ProjectSettingsHost& host, QWidget* parent)
    : QTableView(parent), model_(new PatchGridModel(host, this))
{
    setObjectName("PatchGrid");
    setModel(model_);
    setItemDelegate(new PatchCellDelegate(this));
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(20);
    setColumnWidth(0, 64);
    for (int c = 1; c < PatchGridModel::Columns; ++c)
        setColumnWidth(c, 96);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setShowGrid(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setCurrentIndex(model_->index(1, 1));
    // The current row's header is highlighted: it repaints with every move.
    connect(selectionModel(), &QItemSelectionModel::currentChanged, viewport(), qOverload<>(&QWidget::update));
}

QSize PatchGrid::minimumSizeHint() const
{
    int width = 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < PatchGridModel::Columns; ++c)
        width += columnWidth(c);
    return {width, QTableView::minimumSizeHint().height()};
}

QSize PatchGrid::sizeHint() const { return {minimumSizeHint().width(), QTableView::sizeHint().height()}; }

void PatchGrid::SetCheckShown(bool shown)
{
    checkShown_ = shown;
    viewport()->update();
}

void PatchGrid::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex current = currentIndex();
    const int entry = PatchGridModel::Entry(current);
    const int key = event->key();
    if ((key == Qt::Key_Backspace || key == Qt::Key_Delete) && state() != EditingState && entry >= 0) {
        model_->Clear(current);
        if (key == Qt::Key_Delete && entry + 1 < DmxSlots) {
            const int next = entry + 1;
            setCurrentIndex(model_->index(next / 3 + 1, next % 3 + 1));
        }
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

PatchCellDelegate::PatchCellDelegate(PatchGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

void PatchCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    // The editor opens on the source number alone, which as a red source would refill the
    // next two slots: a cell opened only to look at it must leave the patch as it was.
    if (const auto* line = qobject_cast<const QLineEdit*>(editor); line && !line->isModified())
        return;
    QStyledItemDelegate::setModelData(editor, model, index);
}

void PatchCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QPalette& palette = option.palette;
    const QRect r = option.rect;
    const QString text = index.data(Qt::DisplayRole).toString();
    const QFontMetrics metrics(option.font);
    const int baseline = r.top() + (r.height() - metrics.height()) / 2 + metrics.ascent();
    painter->save();
    painter->setClipRect(r);
    painter->setFont(option.font);
    if (index.row() == 0 || index.column() == 0) {
        const bool currentRow = index.row() == grid_->currentIndex().row();
        painter->fillRect(r, palette.color(currentRow ? QPalette::Highlight : QPalette::Button));
        painter->setPen(palette.color(currentRow ? QPalette::HighlightedText : QPalette::ButtonText));
        if (index.row() == 0)
            painter->drawText(QPoint(r.left() + TextLeft, baseline), text);
        else
            painter->drawText(QRect(r.left(), r.top(), SlotNumberWidth, r.height()), Qt::AlignRight | Qt::AlignVCenter,
                              text);
        const bool sunken = currentRow && index.column() == 0 && grid_->CheckShown();
        qDrawShadePanel(painter, r.adjusted(0, 0, -1, -1), palette, sunken, 1);
    } else if (PatchGridModel::Entry(index) < 0) {
        painter->fillRect(r, palette.color(QPalette::Dark)); // the workspace colour
    } else {
        painter->fillRect(r, palette.color(QPalette::Base));
        const int source = grid_->Model()->data(index, Qt::EditRole).toInt() - 1;
        if (source < 0) {
            painter->setPen(palette.color(QPalette::Text));
            painter->drawText(QPoint(r.left() + TextLeft, baseline), text);
        } else {
            painter->setPen(SourceColor(source));
            const int width = metrics.horizontalAdvance("Line 8(R)");
            painter->drawText(QPoint(r.left() + TextLeft + width - metrics.horizontalAdvance(text), baseline), text);
        }
        if (option.state & QStyle::State_HasFocus)
            painter->drawRect(r.adjusted(1, 1, -2, -2));
    }
    painter->restore();
}
