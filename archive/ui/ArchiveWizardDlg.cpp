#include "ArchiveWizardDlg.h"

#include "ArchiveCreateDlg.h"
#include "ArchiveExtractDlg.h"
#include "ResourceIds.h"

namespace scx {

using namespace res;

CArchiveWizardDlg::CArchiveWizardDlg() : CDialog(IDD_ARCHIVE_WIZARD) {}

const CDialog::MessageMap& CArchiveWizardDlg::GetMessageMap() const {
    static const MessageMap map = MakeMessageMap<CArchiveWizardDlg>({
        {Notify::Clicked, IDC_NEXT, &CArchiveWizardDlg::OnNext},
    });
    return map;
}

bool CArchiveWizardDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CheckDlgButton(IDC_NEW_ARCHIVE, true);
    CheckDlgButton(IDC_EXISTING_ARCHIVE, false);
    return true;
}

void CArchiveWizardDlg::OnNext() {
    if (IsDlgButtonChecked(IDC_NEW_ARCHIVE)) {
        EndDialog(win::IDOK);
        CArchiveCreateDlg dlg;
        dlg.DoModal();
    } else if (IsDlgButtonChecked(IDC_EXISTING_ARCHIVE)) {
        EndDialog(win::IDOK);
        CArchiveExtractDlg dlg;
        dlg.DoModal();
    }
}

}  // namespace scx
