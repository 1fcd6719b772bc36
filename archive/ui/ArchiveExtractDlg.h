#pragma once
// "Extraction d'une archive": the user chooses a package archive, sees its properties and
// members, builds a selection and extracts it beside the archive.

#include <cstdint>
#include <functional>
#include <string>

#include "Dialog.h"

namespace scx {

class CArchiveExtractDlg : public CDialog {
  public:
    using ExistenceTest = std::function<bool(const std::string& path)>;

    CArchiveExtractDlg();

    // The main window's existence test, asked about each output name where nothing (not
    // even a link) is seen without opening it; the main window sets it before it opens the
    // wizard and clears it when the wizard closes. Without one, the shared rule applies.
    static void SetMainWindowExistenceTest(ExistenceTest test);

    // Parses the archive at `path` into the lists and the information boxes, showing its
    // messages; true when it was read to its end.
    bool LoadArchive(const std::string& path);
    void ReportCorrupt();

    std::string m_strArchivePath;
    std::uint64_t m_nDataStart = 0;

  protected:
    bool OnInitDialog() override;
    const MessageMap& GetMessageMap() const override;

  private:
    void OnBrowse();
    void OnAddToSelection();
    void OnRemoveFromSelection();
    void OnExtract();
    void OnBack();

    CListCtrl Content() const;
    CListCtrl Selection() const;

    // Whether the last load read the archive to its end: rows of a failed load are not
    // extracted.
    bool m_bLoaded = false;
};

}  // namespace scx
