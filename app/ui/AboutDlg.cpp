#include "AboutDlg.h"

#include "ResourceIds.h"

namespace scx {

CAboutDlg::CAboutDlg() : CDialog(res::IDD_ABOUTBOX) {}

}  // namespace scx
