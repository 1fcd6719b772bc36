#pragma once
// The open and save dialogs, as the program asks for them. Choosing a file makes its
// folder the process's current directory unless OFN_NOCHANGEDIR is given.

#include <string>

#include "Host.h"
#include "WinDefs.h"

namespace scx {

class CFileDialog {
  public:
    enum Flags : win::DWORD {
        OFN_OVERWRITEPROMPT = 0x2,
        OFN_HIDEREADONLY = 0x4,
        OFN_NOCHANGEDIR = 0x8,
    };
    // The framework's default flags when none are given.
    static constexpr win::DWORD kDefaultFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;

    CFileDialog(bool openFileDialog, std::string defaultExt = {}, std::string fileName = {},
                win::DWORD flags = kDefaultFlags, std::string filter = {});

    int DoModal();  // IDOK or IDCANCEL

    std::string GetPathName() const { return m_path; }
    std::string GetFileName() const;   // the name with its extension
    std::string GetFileExt() const;    // after the name's last ".", empty when none
    std::string GetFileTitle() const;  // the name without "." and its extension

    // The same parts of any path, for a file chosen some other way (a drop).
    static std::string FileExtOf(const std::string& path);
    static std::string FileTitleOf(const std::string& path);

    std::string m_strTitle;  // empty: the toolkit's own title

  private:
    FileDialogRequest m_request;
    win::DWORD m_flags;
    std::string m_path;
};

}  // namespace scx
