#include "FileCompareDlg.h"

#include "FileComparison.h"
#include "FileDialog.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "WinApp.h"

namespace scx {

using namespace res;

namespace {

// The table's cells, in client-area pixels (left, top, right, bottom).
constexpr CRect kFile1Heading{100, 75, 250, 100};
constexpr CRect kFile2Heading{250, 75, 400, 100};
constexpr CRect kSizeHeading{12, 100, 100, 150};
constexpr CRect kAddressHeading{12, 150, 100, 200};
constexpr CRect kSize1{100, 100, 250, 150};
constexpr CRect kSize2{250, 100, 400, 150};
constexpr CRect kResult{100, 150, 400, 200};

// A cell's text is centred on one line, or wrapped from the top; it never passes the cell.
constexpr win::UINT kOneLineCentred = win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE;
constexpr win::UINT kWrappedFromTop = win::DT_CENTER | win::DT_TOP | win::DT_WORDBREAK;

}  // namespace

CFileCompareDlg::CFileCompareDlg() : CDialog(IDD_FILECOMPARE) {}

const CDialog::MessageMap& CFileCompareDlg::GetMessageMap() const {
    static const MessageMap map = MakeMessageMap<CFileCompareDlg>({
        {Notify::Clicked, IDC_CHOOSE, &CFileCompareDlg::OnChooseFile},
        {Notify::Clicked, IDC_COMPARE, &CFileCompareDlg::OnCompareFiles},
    });
    return map;
}

bool CFileCompareDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bFileChosen = false;
    m_strSize1 = std::to_string(tools::FileLength(m_strPath1));
    UpdateWindow();
    EnableDlgItem(IDC_COMPARE, false);
    return true;
}

void CFileCompareDlg::OnChooseFile() {
    CFileDialog dialog(true, {}, {}, CFileDialog::OFN_HIDEREADONLY);
    if (dialog.DoModal() != win::IDOK) {
        EnableDlgItem(IDC_COMPARE, false);
        UpdateWindow();
        return;
    }
    m_strPath2 = dialog.GetPathName();
    SetDlgItemText(IDC_COMPARE_PATH, m_strPath2);
    m_strSize2 = std::to_string(tools::FileLength(m_strPath2));
    m_bFileChosen = true;
    UpdateWindow();
    EnableDlgItem(IDC_COMPARE, true);
}

void CFileCompareDlg::OnCompareFiles() {
    if (m_bFileChosen) {
        CompareFiles(m_strPath1, m_strPath2);
    }
}

bool CFileCompareDlg::CompareFiles(const std::string& path1, const std::string& path2) {
    const CWaitCursor wait;
    const tools::ComparisonResult result = tools::CompareFiles(path1, path2);
    m_strResult = tools::ComparisonText(result);
    UpdateWindow();
    return result.kind != tools::ComparisonResult::Kind::samePath;
}

void CFileCompareDlg::OnPaint(CDC& dc) {
    // The window's text colour, black unless the desktop's theme says otherwise.
    const COLORREF ink = dc.GetSysColor(win::COLOR_WINDOWTEXT);
    dc.SetPenColor(ink);
    dc.SetTextColor(ink);
    dc.SetBkMode(win::TRANSPARENT);

    dc.Polyline({{12, 100}, {12, 200}, {400, 200}, {400, 75}, {100, 75}});
    dc.Polyline({{12, 100}, {400, 100}});
    dc.Polyline({{100, 75}, {100, 200}});
    dc.Polyline({{250, 75}, {250, 150}});
    dc.Polyline({{12, 150}, {400, 150}});

    dc.DrawText("fichier 1", kFile1Heading, kOneLineCentred);
    dc.DrawText("fichier 2", kFile2Heading, kOneLineCentred);
    dc.DrawText(LoadString(IDS_SIZE_HEADING), kSizeHeading, kOneLineCentred);
    dc.DrawText(LoadString(IDS_DIFF_ADDRESS), kAddressHeading, kWrappedFromTop);
    dc.DrawText(m_strSize1, kSize1, kOneLineCentred);
    if (m_bFileChosen) {
        dc.DrawText(m_strSize2, kSize2, kOneLineCentred);
        dc.DrawText(m_strResult, kResult, kWrappedFromTop);
    }
}

}  // namespace scx
