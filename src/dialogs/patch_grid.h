#pragma once
// PatchGrid: the DMX patch as a grid of 172 rows and 4 columns. Row 0 and column 0 are
// headers; the data cell at column c, row r is patch entry 3(r - 1) + (c - 1). Editing a
// cell parses its text when the edit is committed, and only when the text was changed
// by typing (Esc discards); any key starts an edit; Backspace and Delete clear the cell,
// Delete moving on to the next entry.

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include <functional>

class ProjectSettingsHost;

class PatchGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int Rows = 172;
    static constexpr int Columns = 4;

    explicit PatchGridModel(ProjectSettingsHost& host, QObject* parent = nullptr);

    // The patch entry of a cell; -1 for header cells and cells past the last slot.
    static int Entry(const QModelIndex& index);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Clears the entry of index.
    void Clear(const QModelIndex& index);
    // The whole patch changed.
    void Refresh();

private:
    ProjectSettingsHost& host_;
};

class PatchGrid : public QTableView {
    Q_OBJECT
public:
    explicit PatchGrid(ProjectSettingsHost& host, QWidget* parent = nullptr);

    PatchGridModel* Model() const { return model_; }
    // The load check shows as a sunken header on the current row.
    void SetCheckShown(bool shown);
    bool CheckShown() const { return checkShown_; }

    // As wide as every column and the vertical scroll bar: the three slots of a row are
    // read together, so none of them may hide behind a sideways scroll.
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    PatchGridModel* model_;
    bool checkShown_ = false;
};

class PatchCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit PatchCellDelegate(PatchGrid* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    PatchGrid* grid_;
};
