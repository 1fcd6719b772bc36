#pragma once
// "Création d'une nouvelle archive": the user gathers files into a list, fills in the
// archive's properties and writes it; a successful creation restarts the program, handing
// it the archive to cut when asked.

#include <cstdint>
#include <string>

#include "Dialog.h"

namespace scx {

class CArchiveCreateDlg : public CDialog {
  public:
    CArchiveCreateDlg();

    // Writes the archive at `path` from the list and the properties, showing the status
    // and the progress; 1 once it is complete, 0 when refused.
    int WriteArchive(const std::string& path);

    // The status box: replaced by string `id`; one blank and `text` appended; string
    // `id` appended with no separator.
    void ShowStatus(unsigned id);
    void AppendStatus(const std::string& text);
    void AppendStatusString(unsigned id);
    bool HasNoSemicolon(int id) const;

  protected:
    bool OnInitDialog() override;
    const MessageMap& GetMessageMap() const override;

  private:
    void OnAddFile();
    void OnRemoveFile();
    void OnCreateArchive();
    void OnBack();
    // Starts a fresh instance of the program, with "l" and the archive when it is to be
    // cut, and ends this one.
    void Restart(const std::string& archivePath);

    CListCtrl Files() const;
};

}  // namespace scx
