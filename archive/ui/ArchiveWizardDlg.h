#pragma once
// The archive wizard: leads to the creation or the extraction of a package archive.

#include "Dialog.h"

namespace scx {

class CArchiveWizardDlg : public CDialog {
  public:
    CArchiveWizardDlg();
};

}  // namespace scx
