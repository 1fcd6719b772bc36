#include "WinApp.h"

#include "Dialog.h"
#include "File.h"
#include "FileErrorText.h"
#include "Host.h"
#include "Resources.h"

namespace scx {

using namespace win;

namespace {
CWinApp* g_app = nullptr;

}  // namespace

CWinApp::CWinApp() {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

bool CWinApp::InitInstance() {
    return true;
}

void CWinApp::DoWaitCursor(int code) {
    const bool wasOn = m_waitCursorCount > 0;
    m_waitCursorCount = std::max(0, m_waitCursorCount + (code > 0 ? 1 : -1));
    const bool isOn = m_waitCursorCount > 0;
    if (wasOn != isOn) {
        GetHost().SetWaitCursor(isOn);
    }
}

CWinApp* AfxGetApp() {
    return g_app;
}

CDialog* AfxGetMainWnd() {
    return g_app != nullptr ? g_app->m_pMainWnd : nullptr;
}

int AfxMessageBox(const std::string& text, UINT type) {
    return GetHost().MessageBox(text, type);
}

int AfxMessageBox(unsigned stringId, UINT type) {
    return AfxMessageBox(res::LoadString(stringId), type);
}

void ReportFileException(const CFileException& error) {
    AfxMessageBox(DescribeFileError(error), MB_OK | MB_ICONSTOP);
}

}  // namespace scx
