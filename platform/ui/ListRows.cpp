#include "ListRows.h"

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

}  // namespace

int ListRows::InsertColumn(int column, const std::string& heading) {
    const int at = std::clamp(column, 0, ColumnCount());
    m_headings.insert(m_headings.begin() + at, heading);
    for (std::string& row : m_rows) {
        std::vector<std::string_view> cells = Unpack(row);
        if (static_cast<int>(cells.size()) > at) {
            cells.insert(cells.begin() + at, std::string_view());
            row = Pack(cells);
        }
    }
    return at;
}

std::string ListRows::Heading(int column) const {
    return column < 0 || column >= ColumnCount() ? std::string()
                                                 : m_headings[static_cast<std::size_t>(column)];
}

int ListRows::InsertRow(int row, const std::string& text) {
    const int at = std::clamp(row, 0, RowCount());
    m_rows.insert(m_rows.begin() + at, Pack({text}));
    return at;
}

bool ListRows::SetText(int row, int column, const std::string& text) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) {
        return false;
    }
    std::string& packed = m_rows[static_cast<std::size_t>(row)];
    std::vector<std::string_view> cells = Unpack(packed);
    cells.resize(std::max(cells.size(), static_cast<std::size_t>(column) + 1));
    cells[static_cast<std::size_t>(column)] = text;
    packed = Pack(cells);
    return true;
}

std::string ListRows::Text(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0) {
        return {};
    }
    const std::vector<std::string_view> cells = Unpack(m_rows[static_cast<std::size_t>(row)]);
    const auto at = static_cast<std::size_t>(column);
    return at < cells.size() ? std::string(cells[at]) : std::string();
}

std::string ListRows::Shown(int row, int column) const {
    return EscapeControlCharacters(Text(row, column));
}

bool ListRows::RemoveRow(int row) {
    if (row < 0 || row >= RowCount()) {
        return false;
    }
    m_rows.erase(m_rows.begin() + row);
    return true;
}

void ListRows::RemoveAllRows() {
    m_rows = {};
}

}  // namespace scx
