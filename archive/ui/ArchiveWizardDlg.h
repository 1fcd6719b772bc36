#pragma once
// The archive wizard: leads to the creation or the extraction of a package archive. It
// ends itself before opening the next dialog, whose back button does the same, so that
// closing the dialog in front always leads back to the main window.

#include "Dialog.h"

namespace scx {

class CArchiveWizardDlg : public CDialog {
  public:
    CArchiveWizardDlg();

  protected:
    bool OnInitDialog() override;
    const MessageMap& GetMessageMap() const override;

  private:
    void OnNext();
};

}  // namespace scx
