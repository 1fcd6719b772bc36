#pragma once
// The main window: the source file panel, the partition size, the destination folder,
// the split and join buttons, the menu. Its members are the state that the split and the
// join read.

#include <cstdint>
#include <string>
#include <vector>

#include "Dialog.h"
#include "File.h"

namespace scx {

namespace pieces {
struct JoinOptions;
}

class CMainDlg : public CDialog {
  public:
    CMainDlg();

    // Rules shared by the split and both joins.
    bool FileExists(const std::string& path) const;
    // Source folder + title + the suffix of piece k.
    bool PieceExists(std::uint64_t k) const;
    void SetProgressCaption(int percent);

    // The source panel.
    void LoadSourceFile(const std::string& path, const std::string& extension);
    std::string FormatFileSize(std::uint64_t bytes) const;
    void ShowPieceCount();
    bool ReadTagInfo(const std::string& path);
    bool ResolveHJSplitInfo();
    void ResetSourcePanel();

    // The split and the joins: 1 when the output is complete, 0 when refused or cancelled.
    bool IsNumericSize() const;
    int SplitFile(const std::string& path, std::int64_t partitionKb);
    int JoinOwnPieces(const std::string& path);
    int JoinHJSplitPieces();

    CFile m_fileSource;      // opened only to read the source's length
    double m_dFileSize = 0;  // the source's length in bytes (exact below 2^53)
    std::int64_t m_nPieceCount = 0;
    std::int64_t m_nPartitionSize = 0;  // kilobytes of 1024 bytes
    std::string m_strSourcePath;        // empty: no file selected
    int m_nTagPieceCount = 0;
    std::string m_strTagExtension;  // the tag's stored characters 0 to 2
    std::string m_strSourceFolder;  // ends with the separator
    std::string m_strSourceExt;     // without the dot; "001" marks a first piece
    std::string m_strSourceTitle;   // the file name without "." and the extension
    bool m_bHJSplit = false;
    std::string m_strDestFolder;  // ends with the separator
    int m_hIcon;

  protected:
    bool OnInitDialog() override;
    void OnSysCommand(win::UINT command) override;
    const MessageMap& GetMessageMap() const override;

    void OnAbout();
    void OnQuit();
    void OnSelectFile();
    void OnCut();
    void OnJoin();
    void OnPartitionEditChange();
    void OnAddSize();
    void OnPartitionSelChange();
    void OnOnlineHelp();
    void OnChangeDestination();
    void OnHJSplitToggle();
    void OnFileProperties();
    void OnCompare();
    void OnArchiveWizard();
    // A file dropped from the desktop is chosen as "Sélectionner" chooses it.
    void OnDropFiles(const std::vector<std::string>& paths) override;

  private:
    // Steps of "Sélectionner" once a file is chosen, from the dialog or by a drop.
    void SelectChosenFile(const std::string& path, const std::string& ext,
                          const std::string& title);
    // Steps common to choosing and loading a file: the folders, the size, the buttons and
    // the information lines of the new selection.
    void ShowFolders();
    void ShowLength(std::uint64_t length);
    void ShowSelectionKind();
    void RefreshPieceCountAfterSizeChange();
    pieces::JoinOptions JoinOptionsOfSelection() const;
};

}  // namespace scx
