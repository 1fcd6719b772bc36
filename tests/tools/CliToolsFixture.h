#pragma once
// scindarex-cli's file tools in process: files with known dates and attributes, set and
// read back through the program's own status layer.

#include <cstdint>
#include <string>

#include "CliFixture.h"
#include "File.h"
#include "FileStatus.h"

namespace scx::test {

// 7 December 2002, 14:35:10 in Paris, and a fraction that a rewrite would lose, in the
// 100 ns steps that Windows keeps.
constexpr FileTime kModified{1039268110, 123456700};
constexpr FileTime kAccessed{1039354510, 987654300};  // the next day, same hour

class CliToolsTest : public CliTest {
  protected:
    // A file with the dates above and `attributes`. What its file system shows beyond
    // what was written is noted: wine sets the access time as the file is opened, and
    // shows the archive attribute on every file.
    std::string NewFile(const std::string& name, std::uint8_t attributes = 0) {
        const std::string path = Path(name);
        WriteWholeFile(path, "data");
        CFileStatus status;
        SetFileStatus(path, status, part::attributes);
        m_alwaysShown = Status(path).m_attribute;
        status.m_mtime = kModified;
        status.m_atime = kAccessed;
        status.m_attribute = attributes;
        SetFileStatus(path, status, part::modified | part::accessed | part::attributes);
        m_accessedKept = Status(path).m_atime == kAccessed;
        return path;
    }
    static CFileStatus Status(const std::string& path) {
        CFile file(path, CFile::modeRead);
        return GetFileStatus(file);
    }

    bool m_accessedKept = true;
    std::uint8_t m_alwaysShown = 0;
};

// What the system lets a user do (run again as an ordinary user when the suite runs as
// root): as the owner of a read-only file, and as a user who does not own the file.
class CliToolsPermissionTest : public CliToolsTest {};

}  // namespace scx::test
