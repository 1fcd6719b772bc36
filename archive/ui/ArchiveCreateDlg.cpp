#include "ArchiveCreateDlg.h"

#include "ArchiveListRows.h"
#include "ArchiveWizardDlg.h"
#include "ArchiveWriter.h"
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

constexpr const char* kAddFilter = "Tous les fichiers (*.*)|*.*||";
constexpr const char* kSaveFilter = "Fichiers Scindarex Package(*.pck)|*.pck||";
#ifdef _WIN32
constexpr const char* kProgramName = "scindarex.exe";
#else
constexpr const char* kProgramName = "scindarex";
#endif

enum Column { kName, kPath, kSize };

// The status, the progress bar and the messages while the writer works.
class CCreateFeedback : public archive::CArchiveWriteObserver {
  public:
    CCreateFeedback(CArchiveCreateDlg& dialog, std::string archiveName,
                    std::vector<std::string> names)
        : m_dialog(dialog), m_archiveName(std::move(archiveName)), m_names(std::move(names)) {}

    void OnRefusal(unsigned stringId, const std::string& path) override {
        AfxMessageBox(ReplacePathSlot(LoadString(stringId), path));
    }
    void OnEntryWriting(std::size_t) override {
        m_dialog.ShowStatus(IDS_STATUS_HEADER);
        m_dialog.AppendStatus(m_archiveName);
    }
    void OnMemberWriting(std::size_t index) override {
        m_dialog.ShowStatus(IDS_STATUS_WRITING);
        m_dialog.AppendStatus(m_names[index]);
    }
    void OnMemberWritten(std::size_t, int percent) override {
        m_dialog.GetProgressCtrl(IDC_CREATE_PROGRESS).SetPos(percent);
        m_dialog.UpdateWindow();
        GetHost().PumpEvents();
    }
    void OnBytesCopied(std::uint64_t, std::uint64_t) override { GetHost().PumpEvents(); }

  private:
    CArchiveCreateDlg& m_dialog;
    std::string m_archiveName;
    std::vector<std::string> m_names;
};

}  // namespace

CArchiveCreateDlg::CArchiveCreateDlg() : CDialog(IDD_ARCHIVE_CREATE) {}

const CDialog::MessageMap& CArchiveCreateDlg::GetMessageMap() const {
    static const MessageMap map = MakeMessageMap<CArchiveCreateDlg>({
        {Notify::Clicked, IDC_ADD_FILE, &CArchiveCreateDlg::OnAddFile},
        {Notify::Clicked, IDC_REMOVE_FILE, &CArchiveCreateDlg::OnRemoveFile},
        {Notify::Clicked, IDC_CREATE, &CArchiveCreateDlg::OnCreateArchive},
        {Notify::Clicked, IDC_CREATE_BACK, &CArchiveCreateDlg::OnBack},
    });
    return map;
}

CListCtrl CArchiveCreateDlg::Files() const {
    return GetListCtrl(IDC_FILE_LIST);
}

bool CArchiveCreateDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    CListCtrl list = Files();
    list.InsertColumn(kName, "Fichier", LVCFMT_LEFT, 100);
    list.InsertColumn(kPath, "Chemin", LVCFMT_LEFT, 250);
    list.InsertColumn(kSize, "Taille (octets)", LVCFMT_LEFT, 100);
    GetProgressCtrl(IDC_CREATE_PROGRESS).SetPos(0);
    ShowStatus(IDS_STATUS_NO_FILE);
    return true;
}

void CArchiveCreateDlg::ShowStatus(unsigned id) {
    SetDlgItemText(IDC_STATUS, LoadString(id));
}

void CArchiveCreateDlg::AppendStatus(const std::string& text) {
    SetDlgItemText(IDC_STATUS, GetDlgItemText(IDC_STATUS) + " " + text);
}

void CArchiveCreateDlg::AppendStatusString(unsigned id) {
    SetDlgItemText(IDC_STATUS, GetDlgItemText(IDC_STATUS) + LoadString(id));
}

bool CArchiveCreateDlg::HasNoSemicolon(int id) const {
    return GetDlgItemText(id).find(';') == std::string::npos;
}

void CArchiveCreateDlg::OnAddFile() {
    CFileDialog dlg(true, {}, {}, CFileDialog::kDefaultFlags, kAddFilter);
    if (dlg.DoModal() != IDOK) {
        return;
    }
    CFile file(dlg.GetPathName(), CFile::modeRead | CFile::shareExclusive);
    const std::string name = file.GetFileName();
    const std::string path = file.GetFilePath();
    const std::string size = std::to_string(file.GetLength());
    file.Close();

    // Such a name would not read back as written, or would never come out.
    if (!archive::IsStorableName(name)) {
        AfxMessageBox(ReplacePathSlot(LoadString(IDS_NAME_NOT_STORABLE), path));
        return;
    }
    CListCtrl list = Files();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        if (list.GetItemText(row, kName) == name) {
            AfxMessageBox(IDS_ALREADY_IN_LIST);
            return;
        }
    }
    const int row = list.InsertItem(list.GetItemCount(), name);
    list.SetItemText(row, kPath, path);
    list.SetItemText(row, kSize, size);

    ShowStatus(IDS_STATUS_ADD);
    AppendStatus("\r\n");
    AppendStatusString(IDS_STATUS_CREATE);
    EnableDlgItem(IDC_CREATE, true);
}

void CArchiveCreateDlg::OnRemoveFile() {
    RemoveSelectedRows(Files());
}

void CArchiveCreateDlg::OnCreateArchive() {
    if (!HasNoSemicolon(IDC_AUTHOR) || !HasNoSemicolon(IDC_CONTENT) ||
        !HasNoSemicolon(IDC_COMMENT)) {
        AfxMessageBox(IDS_INVALID_CHARACTER);
        return;
    }
    CFileDialog dlg(false, "pck", {}, CFileDialog::OFN_HIDEREADONLY, kSaveFilter);
    if (dlg.DoModal() != IDOK) {
        return;
    }
    const std::string path = dlg.GetPathName();
    if (WriteArchive(path) != 1) {
        return;
    }
    ShowStatus(IDS_ARCHIVE_CREATED);
    AfxMessageBox(IDS_ARCHIVE_CREATED, MB_OK | MB_ICONINFORMATION);
    Restart(path);
}

int CArchiveCreateDlg::WriteArchive(const std::string& path) {
    const CWaitCursor wait;
    UpdateWindow();
    const CListCtrl list = Files();
    std::vector<archive::ArchiveMemberFile> members;
    std::vector<std::string> names;
    for (int row = 0; row < list.GetItemCount(); ++row) {
        members.push_back({list.GetItemText(row, kName), list.GetItemText(row, kPath)});
        names.push_back(members.back().name);
    }
    // The comment box gives its line breaks as CR LF, as they are stored.
    const archive::ArchiveProperties properties{
        GetDlgItemText(IDC_AUTHOR), GetDlgItemText(IDC_CONTENT), GetDlgItemText(IDC_COMMENT)};
    CCreateFeedback feedback(*this, archive::EntryNameOf(path), std::move(names));
    return archive::WriteArchive(path, properties, members, feedback) ==
                   archive::WriteResult::written
               ? 1
               : 0;
}

void CArchiveCreateDlg::Restart(const std::string& archivePath) {
    Host& host = GetHost();
    const std::string self = host.ProgramPath();
    const std::string program =
        self.substr(0, self.find_last_of(CFile::kPathSeparators) + 1) + kProgramName;
    std::vector<std::string> arguments;
    if (IsDlgButtonChecked(IDC_CUT_AFTER)) {
        arguments = {"l", archivePath};
    }
    host.StartProgram(program, arguments);
    host.ExitProcess(0);
}

void CArchiveCreateDlg::OnBack() {
    EndDialog(IDOK);
    CArchiveWizardDlg wizard;
    wizard.DoModal();
}

}  // namespace scx
