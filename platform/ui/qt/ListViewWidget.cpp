#include "ListViewWidget.h"

#include <QHeaderView>
#include <algorithm>

#include "QtText.h"

namespace scx {

// The rows.

int ListRowModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.RowCount();
}

int ListRowModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows.ColumnCount();
}

QVariant ListRowModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) {
        return {};
    }
    return ToQString(m_rows.Shown(index.row(), index.column()));
}

QVariant ListRowModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return role == Qt::DisplayRole ? ToQString(Heading(section)) : QVariant();
}

Qt::ItemFlags ListRowModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

int ListRowModel::InsertColumn(int column, const std::string& heading) {
    const int at = std::clamp(column, 0, columnCount());
    beginInsertColumns({}, at, at);
    m_rows.InsertColumn(at, heading);
    endInsertColumns();
    return at;
}

std::string ListRowModel::Heading(int column) const {
    return m_rows.Heading(column);
}

int ListRowModel::InsertRow(int row, const std::string& text) {
    const int at = std::clamp(row, 0, rowCount());
    beginInsertRows({}, at, at);
    m_rows.InsertRow(at, text);
    endInsertRows();
    return at;
}

bool ListRowModel::SetText(int row, int column, const std::string& text) {
    if (!m_rows.SetText(row, column, text)) {
        return false;
    }
    emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
    return true;
}

std::string ListRowModel::Text(int row, int column) const {
    return m_rows.Text(row, column);
}

bool ListRowModel::RemoveRow(int row) {
    if (row < 0 || row >= rowCount()) {
        return false;
    }
    beginRemoveRows({}, row, row);
    m_rows.RemoveRow(row);
    endRemoveRows();
    return true;
}

void ListRowModel::RemoveAllRows() {
    beginResetModel();
    m_rows.RemoveAllRows();
    endResetModel();
}

// The view.

ListViewWidget::ListViewWidget(bool singleSelection, QWidget* parent)
    : QTreeView(parent), m_rows(new ListRowModel(this)) {
    setModel(m_rows);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(singleSelection ? QAbstractItemView::SingleSelection
                                     : QAbstractItemView::ExtendedSelection);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

int ListViewWidget::InsertColumn(int column, const std::string& heading, int width) {
    const int at = m_rows->InsertColumn(column, heading);
    if (width >= 0) {
        header()->resizeSection(at, width);
    }
    return at;
}

int ListViewWidget::ColumnWidth(int column) const {
    return header()->sectionSize(column);
}

std::vector<int> ListViewWidget::SelectedRows() const {
    // From the selection's ranges: asking each row would take as long as the ranges are
    // many, for every row.
    std::vector<int> rows;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows.push_back(row);
        }
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void ListViewWidget::SetRowSelected(int row, bool selected) {
    const int first = row < 0 ? 0 : row;
    const int last = row < 0 ? m_rows->rowCount() - 1 : row;
    if (first > last || last >= m_rows->rowCount() || m_rows->columnCount() == 0) {
        return;
    }
    const QItemSelection rows(m_rows->index(first, 0), m_rows->index(last, 0));
    selectionModel()->select(
        rows, (selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                  QItemSelectionModel::Rows);
}

}  // namespace scx
