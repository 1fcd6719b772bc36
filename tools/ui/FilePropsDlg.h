#pragma once
// The editor of a file's dates and attributes.

#include <string>

#include "Dialog.h"

namespace scx {

class CFilePropsDlg : public CDialog {
  public:
    CFilePropsDlg();

    std::string m_strPath;  // the file to edit, set before the dialog is shown
};

}  // namespace scx
