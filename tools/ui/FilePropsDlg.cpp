#include "FilePropsDlg.h"

#include "ResourceIds.h"

namespace scx {

CFilePropsDlg::CFilePropsDlg() : CDialog(res::IDD_FILEPROPS) {}

}  // namespace scx
