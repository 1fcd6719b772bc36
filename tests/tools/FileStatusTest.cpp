// The file status on POSIX systems: permissions, the DOS attribute, birth time,
// nanosecond times, and a file system without extended attributes.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <string>

#include "DosAttrib.h"
#include "File.h"
#include "FileStatus.h"
#include "TestFiles.h"

namespace scx::test {
namespace {

class FileStatusTest : public ::testing::Test {
  protected:
    std::string NewFile(const std::string& name, mode_t mode = 0644) {
        const std::string path = m_tmp.Path(name);
        WriteWholeFile(path, "data");
        ::chmod(path.c_str(), mode);
        return path;
    }
    static CFileStatus Read(const std::string& path) {
        CFile file(path, CFile::modeRead);
        return GetFileStatus(file);
    }
    static mode_t Mode(const std::string& path) {
        struct stat info {};
        ::stat(path.c_str(), &info);
        return info.st_mode & 07777;
    }
    static void SetDos(const std::string& path, const std::string& value) {
        ASSERT_EQ(::setxattr(path.c_str(), dosattrib::kName, value.data(), value.size(), 0), 0);
    }
    static std::optional<dosattrib::DosInfo> Dos(const std::string& path) {
        char value[256];
        const ssize_t n = ::getxattr(path.c_str(), dosattrib::kName, value, sizeof value);
        return n < 0 ? std::nullopt : dosattrib::Decode(std::string(value, n));
    }
    TempFolder m_tmp;
};

class Umask {
  public:
    explicit Umask(mode_t mask) : m_saved(::umask(mask)) {}
    ~Umask() { ::umask(m_saved); }

  private:
    mode_t m_saved;
};

TEST_F(FileStatusTest, AttributesAsRead) {
    const struct {
        const char* name;
        mode_t mode;
        std::optional<std::string> dos;
        std::uint8_t attribute;
    } cases[] = {
        {"plain", 0644, std::nullopt, 0},
        {"owner-cannot-write", 0466, std::nullopt, attr::readOnly},
        {"read-only", 0444, std::nullopt, attr::readOnly},
        {".dotted", 0644, std::nullopt, attr::hidden},
        {".dotted-but-shown", 0644, std::string("0x0"), 0},
        {"hidden-system", 0644, std::string("0x6"), attr::hidden | attr::system},
        // Read-only comes from the permissions, whatever the attribute says.
        {"archive", 0644, std::string("0x21"), attr::archive},
        {"unreadable-value", 0644, std::string("junk"), 0},
    };
    for (const auto& c : cases) {
        const std::string path = NewFile(c.name, c.mode);
        if (c.dos) {
            SetDos(path, *c.dos);
        }
        const CFileStatus status = Read(path);
        EXPECT_EQ(status.m_attribute, c.attribute) << c.name;
        EXPECT_EQ(status.m_size, 4u) << c.name;
        EXPECT_EQ(status.m_szFullName, path) << c.name;
    }
}

TEST_F(FileStatusTest, CreationTimeFromTheAttributeElseTheBirthTime) {
    const std::string path = NewFile("f");
    struct statx birth {};
    ASSERT_EQ(::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &birth), 0);
    CFileStatus status = Read(path);
    if (birth.stx_mask & STATX_BTIME) {
        EXPECT_EQ(status.m_ctime, (FileTime{birth.stx_btime.tv_sec,
                                            static_cast<std::int32_t>(birth.stx_btime.tv_nsec)}));
    } else {
        EXPECT_EQ(status.m_ctime, status.m_mtime);
    }
    SetDos(path, dosattrib::Encode({0x20, FileTime{1039268110, 123456700}}));
    EXPECT_EQ(Read(path).m_ctime, (FileTime{1039268110, 123456700}));
}

TEST_F(FileStatusTest, TimesAreWrittenToTheNanosecond) {
    const std::string path = NewFile("f");
    CFileStatus status = Read(path);
    status.m_mtime = {1039268110, 987654321};
    status.m_atime = {1039268111, 1};
    status.m_ctime = {1000000000, 500};
    EXPECT_EQ(SetFileStatus(path, status), StatusWrite::complete);
    const CFileStatus back = Read(path);
    EXPECT_EQ(back.m_mtime, status.m_mtime);
    EXPECT_EQ(back.m_atime, status.m_atime);
    EXPECT_EQ(back.m_ctime, status.m_ctime);
}

TEST_F(FileStatusTest, ReadOnlyTakesAndGivesBackWritePermissions) {
    const Umask mask(0022);
    const struct {
        mode_t before;
        bool readOnly;
        mode_t after;
    } cases[] = {
        {0664, true, 0444},  {0600, true, 0400},  {0444, false, 0644},
        {0440, false, 0640}, {0400, false, 0600}, {0640, false, 0640},
    };
    for (const auto& c : cases) {
        const std::string path = NewFile("f" + std::to_string(c.before), c.before);
        CFileStatus status = Read(path);
        status.m_attribute = c.readOnly ? attr::readOnly : 0;
        SetFileStatus(path, status);
        EXPECT_EQ(Mode(path), c.after) << std::oct << c.before;
        EXPECT_EQ((Read(path).m_attribute & attr::readOnly) != 0, c.readOnly);
    }
    const Umask open(0002);
    const std::string path = NewFile("group", 0444);
    EXPECT_TRUE(WriteFileAttributes(path, attr::normal));
    EXPECT_EQ(Mode(path), 0664u);
}

TEST_F(FileStatusTest, DosBitsAndCreationGoToTheAttribute) {
    const std::string path = NewFile("f");
    EXPECT_FALSE(Dos(path).has_value());
    // Nothing the file does not already show: no attribute is added.
    CFileStatus status = Read(path);
    SetFileStatus(path, status);
    EXPECT_FALSE(Dos(path).has_value());

    status.m_attribute = attr::hidden | attr::archive | attr::readOnly;
    status.m_ctime = {1039268110, 123456700};  // the attribute keeps 100 ns units
    SetFileStatus(path, status);
    auto dos = Dos(path);
    ASSERT_TRUE(dos.has_value());
    EXPECT_EQ(dos->attributes, 0x23u);
    EXPECT_EQ(dos->creation, status.m_ctime);
    EXPECT_EQ(Read(path).m_attribute, attr::hidden | attr::archive | attr::readOnly);

    // The attribute's creation time survives the clearing of the bits.
    EXPECT_TRUE(WriteFileAttributes(path, attr::normal));
    dos = Dos(path);
    ASSERT_TRUE(dos.has_value());
    EXPECT_EQ(dos->attributes, 0u);
    EXPECT_EQ(dos->creation, status.m_ctime);
    EXPECT_EQ(Read(path).m_attribute, 0);
}

TEST_F(FileStatusTest, MissingFileIsRaised) {
    CFileStatus status;
    try {
        SetFileStatus(m_tmp.Path("gone"), status);
        FAIL() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    }
    EXPECT_FALSE(WriteFileAttributes(m_tmp.Path("gone"), attr::normal));
}

// ramfs keeps no user extended attributes. Mounting it needs root; elsewhere the test
// has nothing to stand on.
class NoExtendedAttributesTest : public FileStatusTest {
  protected:
    void SetUp() override {
        m_mount = m_tmp.Path("ramfs");
        ::mkdir(m_mount.c_str(), 0755);
        if (::mount("none", m_mount.c_str(), "ramfs", 0, nullptr) != 0) {
            GTEST_SKIP() << "cannot mount a ramfs here";
        }
        m_mounted = true;
    }
    void TearDown() override {
        if (m_mounted) {
            ::umount2(m_mount.c_str(), MNT_DETACH);
        }
    }
    std::string m_mount;
    bool m_mounted = false;
};

TEST_F(NoExtendedAttributesTest, TimesAndReadOnlyAreWrittenTheRestReported) {
    const std::string path = m_mount + "/.file";
    WriteWholeFile(path, "data");
    CFileStatus status = Read(path);
    EXPECT_EQ(status.m_attribute, attr::hidden);

    // Nothing asked that needs the attribute: complete.
    status.m_mtime = {1039268110, 5};
    status.m_attribute = attr::hidden | attr::readOnly;
    EXPECT_EQ(SetFileStatus(path, status), StatusWrite::complete);
    EXPECT_EQ(Read(path).m_mtime, status.m_mtime);

    status.m_attribute = attr::archive;
    status.m_atime = {1039268000, 7};
    EXPECT_EQ(SetFileStatus(path, status), StatusWrite::withoutExtendedAttributes);
    const CFileStatus back = Read(path);
    EXPECT_EQ(back.m_attribute, attr::hidden);
    EXPECT_EQ(back.m_atime, status.m_atime);
}

}  // namespace
}  // namespace scx::test
