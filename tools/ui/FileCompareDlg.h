#pragma once
// The byte-by-byte comparison of the selected file with a second one. The result is shown
// in a table the dialog draws on its client area: the two sizes and where the files
// first differ.

#include <string>

#include "Dialog.h"

namespace scx {

class CFileCompareDlg : public CDialog {
  public:
    CFileCompareDlg();

    std::string m_strPath1;  // the first file, set before the dialog is shown
    // Set once a second file has been chosen and its size read.
    bool m_bFileChosen = false;
    // The last comparison's result: empty before the first, then a position in decimal,
    // string 128 or string 132.
    std::string m_strResult;
    std::string m_strSize2;  // in bytes, decimal
    std::string m_strSize1;
    std::string m_strPath2;  // as the file dialog returned it

    // Compares the two files and shows the result; false when the two paths are one
    // string, which is refused before anything is opened.
    bool CompareFiles(const std::string& path1, const std::string& path2);

  protected:
    bool OnInitDialog() override;
    void OnPaint(CDC& dc) override;
    const MessageMap& GetMessageMap() const override;

  private:
    void OnChooseFile();
    void OnCompareFiles();
};

}  // namespace scx
