#include "widgets/ListGrid.h"

#include "platform/QtText.h"

#include <QHeaderView>
#include <QResizeEvent>

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

void GridModel::setColumns(std::vector<GridColumn> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    endResetModel();
}

void GridModel::setRows(const std::vector<std::vector<std::string>>& rows) {
    CellTable cells;
    for (const std::vector<std::string>& row : rows)
        cells.addRow(row);
    setRows(std::move(cells));
}

void GridModel::setRows(CellTable rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

std::vector<std::string> GridModel::captions() const {
    std::vector<std::string> captions;
    for (const GridColumn& c : columns_)
        captions.push_back(c.caption);
    return captions;
}

TextTable GridModel::table() const {
    return {captions(), rows_.toRows()};
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.rowCount());
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.rowCount()))
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    const auto column = static_cast<std::size_t>(index.column());
    if (role == Qt::DisplayRole) {
        if (column >= rows_.cellCount(row)) // a row may hold fewer cells than there are columns
            return {};
        return fromAnsi(rows_.cell(row, column));
    }
    if (role == Qt::TextAlignmentRole && column < columns_.size())
        return QVariant::fromValue(columns_[column].alignment | Qt::AlignVCenter);
    return {};
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(columns_.size()))
        return {};
    const GridColumn& c = columns_[static_cast<std::size_t>(section)];
    if (role == Qt::DisplayRole)
        return fromAnsi(c.caption);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(c.alignment | Qt::AlignVCenter);
    return {};
}

ListGrid::ListGrid(QWidget* parent) : QTreeView(parent), model_(new GridModel(this)) {
    setObjectName(QStringLiteral("grid"));
    setModel(model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
}

void ListGrid::setColumns(std::vector<GridColumn> columns) {
    model_->setColumns(std::move(columns));
    for (std::size_t i = 0; i < model_->columns().size(); ++i)
        header()->resizeSection(static_cast<int>(i), model_->columns()[i].width);
}

int ListGrid::selectedRow() const {
    const QModelIndexList rows =
        selectionModel() ? selectionModel()->selectedRows() : QModelIndexList{};
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ListGrid::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    emit resized();
}
