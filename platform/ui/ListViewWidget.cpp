#include "ListViewWidget.h"

#include <QHeaderView>
#include <algorithm>
#include <string_view>

#include "EscapedText.h"

namespace scx {

namespace {

// A row's cells packed in one string: each cell's length in base 128, low digits first
// (the last digit below 128), then its bytes. Cells past the last one stored are empty.
std::vector<std::string_view> Unpack(const std::string& row) {
    std::vector<std::string_view> cells;
    std::size_t at = 0;
    while (at < row.size()) {
        std::size_t length = 0;
        for (unsigned shift = 0;; shift += 7) {
            const auto digit = static_cast<unsigned char>(row[at++]);
            length |= static_cast<std::size_t>(digit & 0x7F) << shift;
            if (digit < 0x80) {
                break;
            }
        }
        cells.emplace_back(row.data() + at, length);
        at += length;
    }
    return cells;
}

std::string Pack(const std::vector<std::string_view>& cells) {
    std::string row;
    for (const std::string_view cell : cells) {
        std::size_t length = cell.size();
        for (; length >= 0x80; length >>= 7) {
            row += static_cast<char>(0x80 | (length & 0x7F));
        }
        row += static_cast<char>(length);
        row += cell;
    }
    return row;
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

// The rows.

int ListRowModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ListRowModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_headings.size());
}

QVariant ListRowModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) {
        return {};
    }
    return ToQString(EscapeControlCharacters(Text(index.row(), index.column())));
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
    m_headings.insert(m_headings.begin() + at, heading);
    for (std::string& row : m_rows) {
        std::vector<std::string_view> cells = Unpack(row);
        if (static_cast<int>(cells.size()) > at) {
            cells.insert(cells.begin() + at, std::string_view());
            row = Pack(cells);
        }
    }
    endInsertColumns();
    return at;
}

std::string ListRowModel::Heading(int column) const {
    return column < 0 || column >= columnCount() ? std::string()
                                                 : m_headings[static_cast<std::size_t>(column)];
}

int ListRowModel::InsertRow(int row, const std::string& text) {
    const int at = std::clamp(row, 0, rowCount());
    beginInsertRows({}, at, at);
    m_rows.insert(m_rows.begin() + at, Pack({text}));
    endInsertRows();
    return at;
}

bool ListRowModel::SetText(int row, int column, const std::string& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return false;
    }
    std::string& packed = m_rows[static_cast<std::size_t>(row)];
    std::vector<std::string_view> cells = Unpack(packed);
    cells.resize(std::max(cells.size(), static_cast<std::size_t>(column) + 1));
    cells[static_cast<std::size_t>(column)] = text;
    packed = Pack(cells);
    emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
    return true;
}

std::string ListRowModel::Text(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0) {
        return {};
    }
    const std::vector<std::string_view> cells = Unpack(m_rows[static_cast<std::size_t>(row)]);
    const auto at = static_cast<std::size_t>(column);
    return at < cells.size() ? std::string(cells[at]) : std::string();
}

bool ListRowModel::RemoveRow(int row) {
    if (row < 0 || row >= rowCount()) {
        return false;
    }
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
    return true;
}

void ListRowModel::RemoveAllRows() {
    beginResetModel();
    m_rows = {};
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
