#pragma once
// The report-style list of every view: one row store (caption + cells per row) behind a table
// model, filled in one bulk update, shown in a tree view without sorting.

#include "platform/CellTable.h"
#include "platform/TextTable.h"

#include <QAbstractTableModel>
#include <QTreeView>
#include <string>
#include <vector>

struct GridColumn {
    std::string caption; // single-byte text
    int width;
    Qt::Alignment alignment = Qt::AlignLeft;
};

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr);

    void setColumns(std::vector<GridColumn> columns);
    const std::vector<GridColumn>& columns() const { return columns_; }
    // Replaces every row in one reset; the captions of the table are the columns'.
    void setRows(const std::vector<std::vector<std::string>>& rows);
    void setRows(CellTable rows);
    void clearRows() { setRows(CellTable()); }
    // Captions and rows exactly as shown.
    TextTable table() const;
    std::vector<std::string> captions() const;
    // The rows as they are held; text is formed for the list only for the rows it shows.
    const CellTable& cells() const { return rows_; }
    // A copy of the rows as separate strings.
    std::vector<std::vector<std::string>> rows() const { return rows_.toRows(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<GridColumn> columns_;
    CellTable rows_;
};

class ListGrid : public QTreeView {
    Q_OBJECT
public:
    explicit ListGrid(QWidget* parent = nullptr);

    GridModel* rows() const { return model_; }
    void setColumns(std::vector<GridColumn> columns);
    // The row that is selected, or -1.
    int selectedRow() const;

signals:
    void resized();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    GridModel* model_;
};
