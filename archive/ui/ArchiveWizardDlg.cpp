#include "ArchiveWizardDlg.h"

#include "ResourceIds.h"

namespace scx {

CArchiveWizardDlg::CArchiveWizardDlg() : CDialog(res::IDD_ARCHIVE_WIZARD) {}

}  // namespace scx
