#pragma once
// The rows of a list view in report form, kept by the dialog layer rather than by the
// toolkit: each row in one string, so that a list of millions of rows stays a few dozen
// bytes a row. Texts stay as set; a backend shows them with their control characters
// escaped, on one line.

#include <deque>
#include <string>
#include <vector>

namespace scx {

class ListRows {
  public:
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    int ColumnCount() const { return static_cast<int>(m_headings.size()); }

    // At `column`, clamped to the columns there are; returns where it went.
    int InsertColumn(int column, const std::string& heading);
    std::string Heading(int column) const;
    // At `row`, clamped to the rows there are; returns where it went.
    int InsertRow(int row, const std::string& text);
    bool SetText(int row, int column, const std::string& text);
    std::string Text(int row, int column) const;  // as set, not as shown
    // What the list shows of a cell: one line, its control characters escaped.
    std::string Shown(int row, int column) const;
    bool RemoveRow(int row);
    void RemoveAllRows();

  private:
    std::vector<std::string> m_headings;
    // A deque grows without moving what it holds, so a long list never needs twice its size.
    std::deque<std::string> m_rows;
};

}  // namespace scx
