// The main window's "&Couper" and "&Joindre le fichier": checks, animation, wait cursor
// and caption around the engines, which do the byte work.
#include <optional>

#include "JoinEngine.h"
#include "MainDlg.h"
#include "Progress.h"
#include "ResourceIds.h"
#include "SplitEngine.h"
#include "TransferFeedback.h"
#include "WinApp.h"

namespace scx {

using namespace win;
using namespace res;

namespace {

constexpr std::int64_t kMaxPieces = 999;

// While an operation runs the animation plays, the cursor waits and the caption counts;
// all three come back to rest when it ends, whether it succeeded, was refused or failed
// with a file error.
class CBusyScope {
  public:
    enum class Start { cursorFirst, animationFirst };

    CBusyScope(CMainDlg& window, int clip, Start start) : m_window(window) {
        if (start == Start::cursorFirst) {
            m_wait.emplace();
        }
        CAnimateCtrl animation = m_window.GetAnimateCtrl(IDC_ANIMATION);
        animation.Open(clip);
        animation.Play(0, -1, -1);
        if (start == Start::animationFirst) {
            m_wait.emplace();
        }
    }
    // The cursor comes back last, when m_wait goes.
    ~CBusyScope() {
        CAnimateCtrl animation = m_window.GetAnimateCtrl(IDC_ANIMATION);
        animation.Stop();
        animation.Seek(-1);
        animation.Close();
        m_window.SetWindowText(std::string(pieces::kIdleCaption));
    }
    CBusyScope(const CBusyScope&) = delete;
    CBusyScope& operator=(const CBusyScope&) = delete;

  private:
    CMainDlg& m_window;
    std::optional<CWaitCursor> m_wait;
};

}  // namespace

bool CMainDlg::IsNumericSize() const {
    CComboBox sizes = GetComboBox(IDC_PARTITION);
    const std::string text = sizes.GetLBText(sizes.GetCurSel());
    return text.find_first_not_of("0123456789") == std::string::npos;
}

void CMainDlg::OnCut() {
    if (m_nPieceCount > kMaxPieces) {
        AfxMessageBox(IDS_TOO_MANY_PIECES);
        return;
    }
    if (!IsNumericSize()) {
        AfxMessageBox(IDS_SIZE_NOT_NUMERIC);
        CComboBox sizes = GetComboBox(IDC_PARTITION);
        sizes.DeleteString(sizes.GetCurSel());
        return;
    }
    CBusyScope busy(*this, IDR_AVI_SPLIT, CBusyScope::Start::cursorFirst);
    if (SplitFile(m_strSourcePath, m_nPartitionSize) == 1) {
        AfxMessageBox(IDS_CUT_DONE);
    }
}

int CMainDlg::SplitFile(const std::string& path, std::int64_t partitionKb) {
    pieces::SplitOptions options;
    options.sourcePath = path;
    options.sourceExtension = m_strSourceExt;
    options.baseName = m_strSourceTitle;
    options.destFolder = m_strDestFolder;
    options.selectedLength = static_cast<std::uint64_t>(m_dFileSize);
    options.partitionKb = partitionKb;
    options.pieceCount = m_nPieceCount;
    CTransferFeedback feedback(*this);
    return pieces::RunSplit(options, feedback, feedback) == pieces::EngineResult::done ? 1 : 0;
}

void CMainDlg::OnJoin() {
    CBusyScope busy(*this, IDR_AVI_JOIN, CBusyScope::Start::animationFirst);
    const int joined = m_bHJSplit ? JoinHJSplitPieces() : JoinOwnPieces(m_strSourcePath);
    if (joined == 1) {
        AfxMessageBox(IDS_JOIN_DONE);
    }
}

int CMainDlg::JoinOwnPieces(const std::string& path) {
    pieces::JoinOptions options = JoinOptionsOfSelection();
    options.firstPiecePath = path;
    CTransferFeedback feedback(*this);
    return pieces::RunOwnJoin(options, feedback, feedback) == pieces::EngineResult::done ? 1 : 0;
}

int CMainDlg::JoinHJSplitPieces() {
    pieces::JoinOptions options = JoinOptionsOfSelection();
    options.hjsplit = true;
    CTransferFeedback feedback(*this);
    return pieces::RunHJSplitJoin(options, feedback, feedback) == pieces::EngineResult::done ? 1
                                                                                             : 0;
}

pieces::JoinOptions CMainDlg::JoinOptionsOfSelection() const {
    pieces::JoinOptions options;
    options.firstPiecePath = m_strSourcePath;
    options.sourceFolder = m_strSourceFolder;
    options.baseName = m_strSourceTitle;
    options.destFolder = m_strDestFolder;
    options.tagPieceCount = m_nTagPieceCount;
    options.tagExtension = m_strTagExtension;
    return options;
}

}  // namespace scx
