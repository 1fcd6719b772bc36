#pragma once
// The byte-by-byte comparison of the selected file with a second one.

#include <string>

#include "Dialog.h"

namespace scx {

class CFileCompareDlg : public CDialog {
  public:
    CFileCompareDlg();

    std::string m_strPath1;  // the first file, set before the dialog is shown
};

}  // namespace scx
