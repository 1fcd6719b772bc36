#include "MainDlg.h"

#include <filesystem>
#include <system_error>

#include "AboutDlg.h"
#include "ArchiveExtractDlg.h"
#include "ArchiveWizardDlg.h"
#include "CommandLine.h"
#include "DestPathDlg.h"
#include "FileCompareDlg.h"
#include "FileDialog.h"
#include "FileErrorText.h"
#include "FileExistence.h"
#include "FilePropsDlg.h"
#include "HJSplitPieces.h"
#include "HelpGuide.h"
#include "Host.h"
#include "MetaTag.h"
#include "PieceNames.h"
#include "Progress.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "SourcePanel.h"
#include "SplitEngine.h"
#include "Utf8Path.h"
#include "WinApp.h"

namespace scx {

using namespace win;
using namespace res;

namespace {

constexpr const char* kSelectTitle = "Sélectionnez un fichier à couper ou à joindre";
constexpr const char* kSelectFilter =
    "Tous les fichiers (*.*)|*.*|Fichiers à joindre (*.001)|*.001|Sons MP3(*.mp3)|*.mp3|"
    "Fichier vidéos AVI (*.avi)|*.avi|Archive de Scindarex (*.pck)|*.pck|"
    "Fichier vidéos MPEG(*.mpg;*.mpeg)|*.mpg;*.mpeg||";
constexpr const char* kFirstPieceExtension = "001";
constexpr std::int64_t kDefaultPartitionKb = 1400;

}  // namespace

CMainDlg::CMainDlg() : CDialog(IDD_MAIN), m_hIcon(IDR_MAINFRAME) {}

const CDialog::MessageMap& CMainDlg::GetMessageMap() const {
    static const MessageMap map = MakeMessageMap<CMainDlg>({
        {Notify::Command, ID_HELP_ABOUT, &CMainDlg::OnAbout},
        {Notify::Command, ID_FILE_QUIT, &CMainDlg::OnQuit},
        {Notify::Clicked, IDC_SELECT, &CMainDlg::OnSelectFile},
        {Notify::Clicked, IDC_CUT, &CMainDlg::OnCut},
        {Notify::Clicked, IDC_JOIN, &CMainDlg::OnJoin},
        {Notify::EditChange, IDC_PARTITION, &CMainDlg::OnPartitionEditChange},
        {Notify::Clicked, IDC_ADD_SIZE, &CMainDlg::OnAddSize},
        {Notify::SelChange, IDC_PARTITION, &CMainDlg::OnPartitionSelChange},
        {Notify::Command, ID_HELP_ONLINE, &CMainDlg::OnOnlineHelp},
        {Notify::Clicked, IDC_CHANGE_DEST, &CMainDlg::OnChangeDestination},
        {Notify::Clicked, IDC_HJSPLIT, &CMainDlg::OnHJSplitToggle},
        {Notify::Command, ID_TOOLS_PROPERTIES, &CMainDlg::OnFileProperties},
        {Notify::Command, ID_TOOLS_COMPARE, &CMainDlg::OnCompare},
        {Notify::Command, ID_TOOLS_ARCHIVE_WIZARD, &CMainDlg::OnArchiveWizard},
    });
    return map;
}

bool CMainDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    DragAcceptFiles();

    CMenu& systemMenu = GetSystemMenu();
    systemMenu.AppendMenu(CMenu::MF_SEPARATOR);
    systemMenu.AppendMenu(CMenu::MF_STRING, IDM_ABOUTBOX, LoadString(IDS_ABOUTBOX));

    SetIcon(m_hIcon);

    // The search starts after the first item, so the default list yields its third.
    GetComboBox(IDC_PARTITION).SelectString(0, std::to_string(kDefaultPartitionKb));
    m_nPartitionSize = kDefaultPartitionKb;
    GetProgressCtrl(IDC_PROGRESS).SetPos(0);
    m_bHJSplit = false;

    const CWinApp* app = AfxGetApp();
    if (app != nullptr) {
        if (auto file = app::ParseCommandLineText(app->m_lpCmdLine)) {
            LoadSourceFile(file->path, file->extension);
        }
    }
    return true;
}

void CMainDlg::OnSysCommand(UINT command) {
    if ((command & 0xFFF0) == static_cast<UINT>(IDM_ABOUTBOX)) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(command);
    }
}

void CMainDlg::OnAbout() {
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
}

void CMainDlg::OnQuit() {
    if (AfxMessageBox(IDS_QUIT, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        GetHost().ExitProcess(0);
    }
}

void CMainDlg::OnOnlineHelp() {
    const std::string program = GetHost().ProgramPath();
    GetHost().ShellOpen(HelpGuideFile(Utf8Text(Utf8Path(program).parent_path())), {});
}

void CMainDlg::OnFileProperties() {
    if (m_strSourcePath.empty()) {
        AfxMessageBox(IDS_NO_FILE_PROPERTIES);
        return;
    }
    CFilePropsDlg dlg;
    dlg.m_strPath = m_strSourcePath;
    dlg.DoModal();
}

void CMainDlg::OnCompare() {
    if (m_strSourcePath.empty()) {
        AfxMessageBox(IDS_NO_FILE_COMPARE);
        return;
    }
    CFileCompareDlg dlg;
    dlg.m_strPath1 = m_strSourcePath;
    dlg.DoModal();
}

void CMainDlg::OnArchiveWizard() {
    // The extraction asks the main window whether each output name is taken, for as long as
    // the wizard is open: the test must not outlive the window it calls.
    CArchiveExtractDlg::SetMainWindowExistenceTest(
        [this](const std::string& path) { return FileExists(path); });
    struct Forget {
        ~Forget() { CArchiveExtractDlg::SetMainWindowExistenceTest(nullptr); }
    } forget;
    CArchiveWizardDlg dlg;
    dlg.DoModal();
}

// Shared rules.

bool CMainDlg::FileExists(const std::string& path) const {
    return pieces::FileExists(path);
}

bool CMainDlg::PieceExists(std::uint64_t k) const {
    return FileExists(pieces::PiecePath(m_strSourceFolder, m_strSourceTitle, k));
}

void CMainDlg::SetProgressCaption(int percent) {
    SetWindowText(pieces::ProgressCaption(percent));
}

// The source panel.

void CMainDlg::OnSelectFile() {
    GetProgressCtrl(IDC_PROGRESS).SetPos(0);
    CFileDialog dlg(true, {}, {}, CFileDialog::kDefaultFlags, kSelectFilter);
    dlg.m_strTitle = kSelectTitle;
    if (dlg.DoModal() != IDOK) {
        AfxMessageBox(IDS_NO_FILE_CHOSEN);
        ResetSourcePanel();
        return;
    }
    SelectChosenFile(dlg.GetPathName(), dlg.GetFileExt(), dlg.GetFileTitle());
}

void CMainDlg::OnDropFiles(const std::vector<std::string>& paths) {
    if (paths.size() != 1) {
        AfxMessageBox(IDS_DROP_ONE_FILE);
        return;
    }
    const std::string& path = paths.front();
    std::error_code ignored;
    if (std::filesystem::is_directory(Utf8Path(path), ignored)) {
        AfxMessageBox(ReplacePathSlot(LoadString(IDS_DROP_FOLDER), path));
        return;
    }
    GetProgressCtrl(IDC_PROGRESS).SetPos(0);
    SelectChosenFile(path, CFileDialog::FileExtOf(path), CFileDialog::FileTitleOf(path));
}

void CMainDlg::SelectChosenFile(const std::string& path, const std::string& ext,
                                const std::string& title) {
    m_strSourceExt = ext;
    m_strSourceTitle = title;
    SetDlgItemText(IDC_SOURCE_PATH, path);
    m_strSourcePath = path;

    // A failed open shows when the length is read, after the panel took the new path.
    CFileException openError(CFileException::none, path);
    m_fileSource.TryOpen(path, CFile::modeRead | CFile::shareExclusive, &openError);
    SetDlgItemText(IDC_EXTENSION, m_strSourceExt);
    ShowFolders();
    if (!m_fileSource.IsOpen()) {
        throw openError;
    }
    const std::uint64_t length = m_fileSource.GetLength();
    m_fileSource.Close();
    ShowLength(length);
    ShowSelectionKind();
}

void CMainDlg::LoadSourceFile(const std::string& path, const std::string& extension) {
    m_fileSource.Open(path, CFile::modeRead | CFile::shareExclusive);
    m_strSourceExt = extension;
    const std::string name = m_fileSource.GetFileName();
    m_strSourceTitle =
        extension.empty() ? name : name.substr(0, name.size() - extension.size() - 1);
    SetDlgItemText(IDC_SOURCE_PATH, m_fileSource.GetFilePath());
    m_strSourcePath = path;
    SetDlgItemText(IDC_EXTENSION, m_strSourceExt);
    ShowFolders();
    const std::uint64_t length = m_fileSource.GetLength();
    m_fileSource.Close();
    ShowLength(length);
    ShowSelectionKind();
}

void CMainDlg::ShowFolders() {
    m_strSourceFolder = app::SplitSourcePath(m_strSourcePath, m_strSourceExt).folder;
    m_strDestFolder = m_strSourceFolder;
    SetDlgItemText(IDC_DEST_PATH, m_strDestFolder);
}

void CMainDlg::ShowLength(std::uint64_t length) {
    m_dFileSize = static_cast<double>(length);
    SetDlgItemText(IDC_SIZE, FormatFileSize(length));
}

void CMainDlg::ShowSelectionKind() {
    if (m_strSourceExt == kFirstPieceExtension) {
        EnableDlgItem(IDC_JOIN, true);
        EnableDlgItem(IDC_CUT, false);
        if (!m_bHJSplit) {
            ReadTagInfo(m_strSourcePath);
        } else {
            ResolveHJSplitInfo();
        }
    } else {
        ShowPieceCount();
        EnableDlgItem(IDC_JOIN, false);
        EnableDlgItem(IDC_CUT, true);
    }
}

std::string CMainDlg::FormatFileSize(std::uint64_t bytes) const {
    return app::FormatFileSize(bytes);
}

void CMainDlg::ShowPieceCount() {
    const auto length = static_cast<std::uint64_t>(m_dFileSize);
    m_nPieceCount = static_cast<std::int64_t>(pieces::PieceCount(length, m_nPartitionSize));
    const app::InformationLines lines = app::FileToCutLines(
        LoadString(IDS_PIECES_PRODUCED), static_cast<std::uint64_t>(m_nPieceCount),
        LoadString(IDS_PARTITION_SIZE), m_nPartitionSize);
    SetDlgItemText(IDC_INFO1, lines.first);
    SetDlgItemText(IDC_INFO2, lines.second);
}

bool CMainDlg::ReadTagInfo(const std::string& path) {
    const pieces::PanelTag tag = pieces::ReadPanelTagFromFile(path);
    m_strTagExtension = tag.storedExtension;
    m_nTagPieceCount = tag.pieceCount;
    const app::InformationLines lines = app::FirstPieceLines(
        LoadString(IDS_TAG_EXTENSION), tag.extension, LoadString(IDS_TAG_COUNT), tag.pieceCount);
    SetDlgItemText(IDC_INFO1, lines.first);
    SetDlgItemText(IDC_INFO2, lines.second);
    if (m_nTagPieceCount == 0) {
        AfxMessageBox(IDS_TAG_UNREADABLE);
        return false;
    }
    return true;
}

bool CMainDlg::ResolveHJSplitInfo() {
    const auto panel = app::DescribeHJSplitFirstPiece(m_strSourceFolder, m_strSourceTitle);
    if (!panel) {
        AfxMessageBox(IDS_HJSPLIT_NO_EXTENSION);
        return false;
    }
    const app::InformationLines lines = app::FirstPieceLines(
        LoadString(IDS_TAG_EXTENSION), panel->extension, LoadString(IDS_TAG_COUNT),
        static_cast<std::int64_t>(panel->pieceCount));
    SetDlgItemText(IDC_INFO1, lines.first);
    SetDlgItemText(IDC_INFO2, lines.second);
    return true;
}

void CMainDlg::ResetSourcePanel() {
    const std::string nothing = LoadString(IDS_NO_FILE_SELECTED);
    for (int id : {IDC_EXTENSION, IDC_SIZE, IDC_INFO1, IDC_INFO2}) {
        SetDlgItemText(id, nothing);
    }
    SetDlgItemText(IDC_SOURCE_PATH, {});
    SetDlgItemText(IDC_DEST_PATH, {});
    EnableDlgItem(IDC_CUT, false);
    EnableDlgItem(IDC_JOIN, false);
    m_strSourcePath.clear();
}

void CMainDlg::OnHJSplitToggle() {
    m_bHJSplit = !m_bHJSplit;
    if (m_strSourcePath.empty() || m_strSourceExt != kFirstPieceExtension) {
        return;
    }
    if (m_bHJSplit) {
        ResolveHJSplitInfo();
    } else {
        ReadTagInfo(m_strSourcePath);
    }
}

// The partition size.

void CMainDlg::OnPartitionEditChange() {
    // The list has no edit field: this notification never arrives.
}

void CMainDlg::OnPartitionSelChange() {
    CComboBox sizes = GetComboBox(IDC_PARTITION);
    m_nPartitionSize = app::ParseSizeText(sizes.GetLBText(sizes.GetCurSel()));
    RefreshPieceCountAfterSizeChange();
}

void CMainDlg::OnAddSize() {
    const std::string text = GetDlgItemText(IDC_NEW_SIZE);
    if (text.empty()) {
        AfxMessageBox(IDS_NO_SIZE_TO_ADD);
        return;
    }
    CComboBox sizes = GetComboBox(IDC_PARTITION);
    sizes.SetCurSel(sizes.AddString(text));
    SetDlgItemText(IDC_NEW_SIZE, {});
    m_nPartitionSize = app::ParseSizeText(sizes.GetLBText(sizes.GetCurSel()));
    RefreshPieceCountAfterSizeChange();
}

void CMainDlg::RefreshPieceCountAfterSizeChange() {
    if (!m_strSourcePath.empty() && m_strSourceExt != kFirstPieceExtension) {
        ShowPieceCount();
    }
}

// The destination folder.

void CMainDlg::OnChangeDestination() {
    CDestPathDlg dlg;
    dlg.m_strPath = m_strSourceFolder;
    if (dlg.DoModal() == IDOK) {
        SetDlgItemText(IDC_DEST_PATH, dlg.m_strPath);
        m_strDestFolder = dlg.m_strPath;
    }
}

}  // namespace scx
