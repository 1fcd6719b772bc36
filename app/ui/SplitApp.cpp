#include "SplitApp.h"

#include "MainDlg.h"

namespace scx {

bool CSplitApp::InitInstance() {
    CMainDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return false;
}

}  // namespace scx
