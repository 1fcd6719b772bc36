#pragma once
// The About box: the program's version, pictures, notes and credits.

#include "Dialog.h"

namespace scx {

class CAboutDlg : public CDialog {
  public:
    CAboutDlg();
};

}  // namespace scx
