#pragma once
// The list view in report mode in Qt: a table model over the dialog layer's rows
// (ListRows.h), which it shows on one line each, control characters escaped.

#include <QAbstractTableModel>
#include <QTreeView>
#include <string>
#include <vector>

#include "ListRows.h"

namespace scx {

class ListRowModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // At `column`, clamped to the columns there are; returns where it went.
    int InsertColumn(int column, const std::string& heading);
    std::string Heading(int column) const;
    // At `row`, clamped to the rows there are; returns where it went.
    int InsertRow(int row, const std::string& text);
    bool SetText(int row, int column, const std::string& text);
    std::string Text(int row, int column) const;  // as set, not as shown
    bool RemoveRow(int row);
    void RemoveAllRows();

  private:
    ListRows m_rows;
};

class ListViewWidget : public QTreeView {
    Q_OBJECT
  public:
    ListViewWidget(bool singleSelection, QWidget* parent);

    ListRowModel& Rows() const { return *m_rows; }
    // A width below 0 keeps the default.
    int InsertColumn(int column, const std::string& heading, int width);
    int ColumnWidth(int column) const;
    std::vector<int> SelectedRows() const;        // in list order
    void SetRowSelected(int row, bool selected);  // row -1: every row

  private:
    ListRowModel* m_rows;
};

}  // namespace scx
