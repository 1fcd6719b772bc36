#pragma once
// The lists of the archive dialogs: removing the rows the user selected.

#include <vector>

#include "Controls.h"
#include "ResourceIds.h"
#include "WinApp.h"

namespace scx {

// Removes every selected row of `list`; message 138 when none is selected.
inline void RemoveSelectedRows(CListCtrl list) {
    const std::vector<int> selected = list.GetSelectedRows();
    if (selected.empty()) {
        AfxMessageBox(res::IDS_NOTHING_SELECTED);
        return;
    }
    for (auto row = selected.rbegin(); row != selected.rend(); ++row) {
        list.DeleteItem(*row);
    }
}

}  // namespace scx
