#pragma once
// The destination folder dialog: the path must end with the folder separator, and a
// missing folder is offered for creation. It always ends with OK once the path ends
// with the separator, whether the folder exists or not.

#include <string>

#include "Dialog.h"

namespace scx {

class CDestPathDlg : public CDialog {
  public:
    CDestPathDlg();

    bool EndsWithBackslash() const;  // the platform's separator: "/" here

    std::string m_strPath;

  protected:
    bool OnInitDialog() override;
    void OnOK() override;
};

}  // namespace scx
