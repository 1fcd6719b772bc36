#include "FileDialog.h"

#include <filesystem>
#include <system_error>

#include "Utf8Path.h"

namespace scx {

using namespace win;

CFileDialog::CFileDialog(bool openFileDialog, std::string defaultExt, std::string fileName,
                         DWORD flags, std::string filter)
    : m_flags(flags) {
    m_request.open = openFileDialog;
    m_request.defaultExt = std::move(defaultExt);
    m_request.initialName = std::move(fileName);
    m_request.filter = std::move(filter);
}

int CFileDialog::DoModal() {
    m_request.title = m_strTitle;
    m_request.overwritePrompt = !m_request.open && (m_flags & OFN_OVERWRITEPROMPT) != 0;
    const std::optional<std::string> chosen = GetHost().AskFile(m_request);
    if (!chosen) {
        return IDCANCEL;
    }
    m_path = *chosen;
    if ((m_flags & OFN_NOCHANGEDIR) == 0) {
        std::error_code ignored;
        std::filesystem::current_path(Utf8Path(m_path).parent_path(), ignored);
    }
    return IDOK;
}

std::string CFileDialog::GetFileName() const {
    return Utf8Text(Utf8Path(m_path).filename());
}

std::string CFileDialog::GetFileExt() const {
    return FileExtOf(m_path);
}

std::string CFileDialog::GetFileTitle() const {
    return FileTitleOf(m_path);
}

std::string CFileDialog::FileExtOf(const std::string& path) {
    const std::string name = Utf8Text(Utf8Path(path).filename());
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string CFileDialog::FileTitleOf(const std::string& path) {
    const std::string name = Utf8Text(Utf8Path(path).filename());
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace scx
