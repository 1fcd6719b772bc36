#include "ArchiveExtractDlg.h"

#include <unordered_set>

#include "ArchiveExtractor.h"
#include "ArchiveListRows.h"
#include "ArchiveReader.h"
#include "ArchiveWizardDlg.h"
#include "File.h"
#include "FileDialog.h"
#include "FileErrorText.h"
#include "Host.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "WinApp.h"

namespace scx {

using namespace win;
using namespace res;

namespace {

constexpr const char* kArchiveFilter = "Archive de Scindarex (*.pck)|*.pck||";

enum Column { kName, kSize, kPosition };

CArchiveExtractDlg::ExistenceTest& MainWindowExistenceTest() {
    static CArchiveExtractDlg::ExistenceTest test;
    return test;
}

void AppendRow(CListCtrl list, const archive::ArchiveEntry& entry) {
    const int row = list.InsertItem(list.GetItemCount(), entry.name);
    list.SetItemText(row, kSize, entry.sizeText);
    list.SetItemText(row, kPosition, entry.positionText);
}

archive::ArchiveEntry RowAt(const CListCtrl& list, int row) {
    return {list.GetItemText(row, kName), list.GetItemText(row, kSize),
            list.GetItemText(row, kPosition)};
}

// What a load shows: the information boxes, the rows, the notices and the verdict.
class CLoadFeedback : public archive::CArchiveReadObserver {
  public:
    explicit CLoadFeedback(CArchiveExtractDlg& dialog) : m_dialog(dialog) {}

    void OnNewerVersion() override { AfxMessageBox(IDS_NEWER_VERSION, MB_OK | MB_ICONQUESTION); }
    void OnNewerFormat() override { AfxMessageBox(IDS_NEWER_FORMAT, MB_OK); }
    void OnAuthor(const std::string& text) override {
        m_dialog.SetDlgItemText(IDC_INFO_AUTHOR, text);
    }
    void OnContent(const std::string& text) override {
        m_dialog.SetDlgItemText(IDC_INFO_CONTENT, text);
    }
    void OnComment(const std::string& text) override {
        m_dialog.SetDlgItemText(IDC_INFO_COMMENT, text);
    }
    void OnEntry(const archive::ArchiveEntry& entry) override {
        AppendRow(m_dialog.GetListCtrl(IDC_CONTENT_LIST), entry);
    }
    void OnLoaded(std::uint64_t dataStart) override { m_dialog.m_nDataStart = dataStart; }

  private:
    CArchiveExtractDlg& m_dialog;
};

// The questions, refusals and progress of an extraction.
class CExtractFeedback : public archive::CArchiveExtractObserver, public pieces::CUserPrompt {
  public:
    explicit CExtractFeedback(CArchiveExtractDlg& dialog) : m_dialog(dialog) {}

    bool OutputExists(const std::string& path) override {
        const auto& test = MainWindowExistenceTest();
        return test ? test(path) : CArchiveExtractObserver::OutputExists(path);
    }
    void OnRefusal(unsigned stringId, const std::string& name) override {
        AfxMessageBox(ReplacePathSlot(LoadString(stringId), name));
    }
    void OnExtracted(std::size_t, int percent) override {
        m_dialog.GetProgressCtrl(IDC_EXTRACT_PROGRESS).SetPos(percent);
        m_dialog.UpdateWindow();
        GetHost().PumpEvents();
    }
    void OnBytesCopied(std::uint64_t, std::uint64_t) override { GetHost().PumpEvents(); }

    bool AskYesNo(unsigned stringId, const std::string& detail) override {
        std::string text = LoadString(stringId);
        if (!detail.empty()) {
            text += "\n\"" + detail + "\"";
        }
        return AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }

  private:
    CArchiveExtractDlg& m_dialog;
};

}  // namespace

CArchiveExtractDlg::CArchiveExtractDlg() : CDialog(IDD_ARCHIVE_EXTRACT) {}

void CArchiveExtractDlg::SetMainWindowExistenceTest(ExistenceTest test) {
    MainWindowExistenceTest() = std::move(test);
}

const CDialog::MessageMap& CArchiveExtractDlg::GetMessageMap() const {
    static const MessageMap map = MakeMessageMap<CArchiveExtractDlg>({
        {Notify::Clicked, IDC_BROWSE, &CArchiveExtractDlg::OnBrowse},
        {Notify::Clicked, IDC_ADD_SELECTION, &CArchiveExtractDlg::OnAddToSelection},
        {Notify::Clicked, IDC_REMOVE_SELECTION, &CArchiveExtractDlg::OnRemoveFromSelection},
        {Notify::Clicked, IDC_EXTRACT, &CArchiveExtractDlg::OnExtract},
        {Notify::Clicked, IDC_EXTRACT_BACK, &CArchiveExtractDlg::OnBack},
    });
    return map;
}

CListCtrl CArchiveExtractDlg::Content() const {
    return GetListCtrl(IDC_CONTENT_LIST);
}

CListCtrl CArchiveExtractDlg::Selection() const {
    return GetListCtrl(IDC_SELECTION_LIST);
}

bool CArchiveExtractDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (CListCtrl list : {Content(), Selection()}) {
        list.InsertColumn(kName, "Fichier", LVCFMT_LEFT, 100);
        list.InsertColumn(kSize, "Taille (octets)", LVCFMT_LEFT, 100);
        list.InsertColumn(kPosition, "Position", LVCFMT_LEFT, 100);
    }
    GetProgressCtrl(IDC_EXTRACT_PROGRESS).SetPos(0);
    return true;
}

void CArchiveExtractDlg::OnBrowse() {
    CFileDialog dlg(true, "pck", {}, CFileDialog::kDefaultFlags, kArchiveFilter);
    if (dlg.DoModal() != IDOK) {
        return;
    }
    Content().DeleteAllItems();
    Selection().DeleteAllItems();
    m_strArchivePath = dlg.GetPathName();
    SetDlgItemText(IDC_ARCHIVE_PATH, m_strArchivePath);
    m_bLoaded = false;
    m_bLoaded = LoadArchive(m_strArchivePath);
}

bool CArchiveExtractDlg::LoadArchive(const std::string& path) {
    CLoadFeedback feedback(*this);
    if (!archive::LoadArchiveFile(path, feedback)) {
        ReportCorrupt();
        return false;
    }
    AfxMessageBox(IDS_ARCHIVE_LOADED);
    return true;
}

void CArchiveExtractDlg::ReportCorrupt() {
    AfxMessageBox(IDS_ARCHIVE_CORRUPT);
}

void CArchiveExtractDlg::OnAddToSelection() {
    const CListCtrl content = Content();
    const std::vector<int> selected = content.GetSelectedRows();
    if (selected.empty()) {
        AfxMessageBox(IDS_NOTHING_SELECTED);
        return;
    }
    CListCtrl selection = Selection();
    // Each row is looked up once, not compared with every row already selected.
    std::unordered_set<std::string> names;
    for (int row = 0; row < selection.GetItemCount(); ++row) {
        names.insert(selection.GetItemText(row, kName));
    }
    for (const int row : selected) {
        const archive::ArchiveEntry entry = RowAt(content, row);
        if (names.insert(entry.name).second) {
            AppendRow(selection, entry);
        } else {
            AfxMessageBox(IDS_ALREADY_IN_LIST);
        }
    }
}

void CArchiveExtractDlg::OnRemoveFromSelection() {
    RemoveSelectedRows(Selection());
}

void CArchiveExtractDlg::OnExtract() {
    if (Content().GetItemCount() == 0) {
        GetHost().Beep();
        return;
    }
    if (!m_bLoaded) {
        ReportCorrupt();
        return;
    }
    const CWaitCursor wait;
    const CListCtrl selection = Selection();
    std::vector<archive::ArchiveEntry> rows;
    for (int row = 0; row < selection.GetItemCount(); ++row) {
        rows.push_back(RowAt(selection, row));
    }
    // Beside the archive, whatever the current folder.
    const std::string folder =
        m_strArchivePath.substr(0, m_strArchivePath.find_last_of(CFile::kPathSeparators) + 1);
    CExtractFeedback feedback(*this);
    archive::ExtractMembers({m_strArchivePath, m_nDataStart, folder}, rows, feedback, feedback);
    AfxMessageBox(IDS_EXTRACT_DONE);
}

void CArchiveExtractDlg::OnBack() {
    EndDialog(IDOK);
    CArchiveWizardDlg wizard;
    wizard.DoModal();
}

}  // namespace scx
