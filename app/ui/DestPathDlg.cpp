#include "DestPathDlg.h"

#include "Folders.h"
#include "ResourceIds.h"
#include "WinApp.h"

namespace scx {

using namespace win;

namespace {
#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif
}  // namespace

CDestPathDlg::CDestPathDlg() : CDialog(res::IDD_DESTPATH) {}

bool CDestPathDlg::EndsWithBackslash() const {
    return !m_strPath.empty() && m_strPath.back() == kSeparator;
}

bool CDestPathDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(res::IDC_DESTPATH_EDIT, m_strPath);
    return true;
}

void CDestPathDlg::OnOK() {
    m_strPath = GetDlgItemText(res::IDC_DESTPATH_EDIT);
    if (!EndsWithBackslash()) {
        if (AfxMessageBox(res::IDS_ADD_SEPARATOR, MB_YESNO) == IDYES) {
            m_strPath += kSeparator;
            SetDlgItemText(res::IDC_DESTPATH_EDIT, m_strPath);
        }
        return;
    }
    // The folder is tested without its final separator; a lone separator is the root (of
    // the current drive on Windows), which has nothing else.
    const bool isRoot = m_strPath.size() == 1;
    const std::string folder = isRoot ? m_strPath : m_strPath.substr(0, m_strPath.size() - 1);
    if (!ChangeDirectory(folder) && AfxMessageBox(res::IDS_CREATE_FOLDER, MB_YESNO) == IDYES &&
        MakeDirectory(folder)) {
        AfxMessageBox(res::IDS_FOLDER_CREATED);
    }
    EndDialog(IDOK);
}

}  // namespace scx
