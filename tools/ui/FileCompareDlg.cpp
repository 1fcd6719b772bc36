#include "FileCompareDlg.h"

#include "ResourceIds.h"

namespace scx {

CFileCompareDlg::CFileCompareDlg() : CDialog(res::IDD_FILECOMPARE) {}

}  // namespace scx
