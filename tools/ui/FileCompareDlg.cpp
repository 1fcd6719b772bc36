#include "FileCompareDlg.h"

#include <QPainter>
#include <iterator>

#include "DialogWindow.h"
#include "FileComparison.h"
#include "FileDialog.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "WinApp.h"

namespace scx {

using namespace res;

namespace {

// The table's cells, in client-area pixels (left, top, right, bottom).
struct Cell {
    int left, top, right, bottom;
};
constexpr Cell kFile1Heading{100, 75, 250, 100};
constexpr Cell kFile2Heading{250, 75, 400, 100};
constexpr Cell kSizeHeading{12, 100, 100, 150};
constexpr Cell kAddressHeading{12, 150, 100, 200};
constexpr Cell kSize1{100, 100, 250, 150};
constexpr Cell kSize2{250, 100, 400, 150};
constexpr Cell kResult{100, 150, 400, 200};

enum class Layout { oneLineCentred, wrappedFromTop };

void DrawCellText(QPainter& painter, const Cell& cell, const std::string& text, Layout layout) {
    const QRect rect(QPoint(cell.left, cell.top), QPoint(cell.right - 1, cell.bottom - 1));
    const int flags = layout == Layout::oneLineCentred
                          ? Qt::AlignCenter | Qt::TextSingleLine
                          : Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    painter.save();
    painter.setClipRect(rect);
    painter.drawText(rect, flags, QString::fromStdString(text));
    painter.restore();
}

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

void CFileCompareDlg::OnPaint(QPainter& painter) {
    // The window's text colour, black unless the desktop's theme says otherwise.
    painter.setPen(QPen(Window()->palette().color(QPalette::WindowText), 0));
    painter.setBackgroundMode(Qt::TransparentMode);

    const QPoint frame[] = {{12, 100}, {12, 200}, {400, 200}, {400, 75}, {100, 75}};
    painter.drawPolyline(frame, static_cast<int>(std::size(frame)));
    painter.drawLine(12, 100, 400, 100);
    painter.drawLine(100, 75, 100, 200);
    painter.drawLine(250, 75, 250, 150);
    painter.drawLine(12, 150, 400, 150);

    DrawCellText(painter, kFile1Heading, "fichier 1", Layout::oneLineCentred);
    DrawCellText(painter, kFile2Heading, "fichier 2", Layout::oneLineCentred);
    DrawCellText(painter, kSizeHeading, LoadString(IDS_SIZE_HEADING), Layout::oneLineCentred);
    DrawCellText(painter, kAddressHeading, LoadString(IDS_DIFF_ADDRESS), Layout::wrappedFromTop);
    DrawCellText(painter, kSize1, m_strSize1, Layout::oneLineCentred);
    if (m_bFileChosen) {
        DrawCellText(painter, kSize2, m_strSize2, Layout::oneLineCentred);
        DrawCellText(painter, kResult, m_strResult, Layout::wrappedFromTop);
    }
}

}  // namespace scx
