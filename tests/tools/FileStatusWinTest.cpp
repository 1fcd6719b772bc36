// The file status on Windows, where the system keeps the three times and the attributes.

#include <gtest/gtest.h>

#include "File.h"
#include "FileStatus.h"
#include "TestFiles.h"

namespace scx::test {
namespace {

CFileStatus Read(const std::string& path) {
    CFile file(path, CFile::modeRead);
    return GetFileStatus(file);
}

TEST(FileStatusWinTest, WrittenAndReadBack) {
    TempFolder tmp;
    const std::string path = tmp.Path("f");
    WriteWholeFile(path, "data");
    CFileStatus status = Read(path);
    EXPECT_EQ(status.m_size, 4u);
    EXPECT_EQ(status.m_attribute & attr::readOnly, 0);

    // The system counts 100 ns units.
    status.m_mtime = {1039268110, 123456700};
    status.m_atime = {1039354510, 987654300};
    status.m_ctime = {1022891400, 5000000};
    status.m_attribute = attr::readOnly | attr::hidden | attr::archive;
    EXPECT_EQ(SetFileStatus(path, status, part::all), StatusWrite::complete);
    // Checked: what wine, which runs these tests on Linux, keeps. It shows the archive
    // attribute on every file and keeps neither the creation nor the access time.
    constexpr std::uint8_t kKept = attr::readOnly | attr::hidden;
    const CFileStatus back = Read(path);
    EXPECT_EQ(back.m_mtime, status.m_mtime);
    EXPECT_EQ(back.m_attribute & kKept, kKept);

    // The attributes alone, read-only lifted: the times stay as they are.
    status.m_attribute = 0;
    status.m_mtime = {1000000000, 0};
    EXPECT_EQ(SetFileStatus(path, status, part::attributes), StatusWrite::complete);
    EXPECT_EQ(Read(path).m_attribute & kKept, 0);
    EXPECT_EQ(Read(path).m_mtime, back.m_mtime);
    // The modification time alone.
    status.m_attribute = attr::hidden;
    EXPECT_EQ(SetFileStatus(path, status, part::modified), StatusWrite::complete);
    EXPECT_EQ(Read(path).m_mtime, status.m_mtime);
    EXPECT_EQ(Read(path).m_attribute & kKept, 0);
    EXPECT_THROW(SetFileStatus(tmp.Path("missing"), status, part::all), CFileException);
}

}  // namespace
}  // namespace scx::test
