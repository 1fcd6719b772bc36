// The file status on POSIX systems: permissions, the DOS attribute, birth time,
// nanosecond times, and a file system without extended attributes.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <atomic>
#include <string>
#include <thread>

#include "DosAttrib.h"
#include "File.h"
#include "FileStatus.h"
#include "Permissions.h"
#include "ScratchMount.h"
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
        // Read-only as Samba sets it, in the attribute alone, or in the mode alone.
        {"samba-read-only", 0644, std::string("0x21"), attr::readOnly | attr::archive},
        {"mode-read-only", 0444, std::string("0x20"), attr::readOnly | attr::archive},
        {"unreadable-value", 0644, std::string("junk"), 0},
    };
    for (const auto& c : cases) {
        const std::string path = NewFile(c.name);
        if (c.dos) {
            SetDos(path, *c.dos);
        }
        ::chmod(path.c_str(), c.mode);
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
    EXPECT_EQ(SetFileStatus(path, status, part::all), StatusWrite::complete);
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
        SetFileStatus(path, status, part::attributes);
        EXPECT_EQ(Mode(path), c.after) << std::oct << c.before;
        EXPECT_EQ((Read(path).m_attribute & attr::readOnly) != 0, c.readOnly);
    }
    const Umask open(0002);
    const std::string path = NewFile("group", 0444);
    CFileStatus status = Read(path);
    status.m_attribute = 0;
    SetFileStatus(path, status, part::attributes);
    EXPECT_EQ(Mode(path), 0664u);
}

TEST_F(FileStatusTest, DosBitsAndCreationGoToTheAttribute) {
    const std::string path = NewFile("f");
    EXPECT_FALSE(Dos(path).has_value());
    // Nothing the file does not already show: no attribute is added.
    CFileStatus status = Read(path);
    SetFileStatus(path, status, part::all);
    EXPECT_FALSE(Dos(path).has_value());

    status.m_attribute = attr::hidden | attr::archive | attr::readOnly;
    status.m_ctime = {1039268110, 123456700};  // the attribute keeps 100 ns units
    SetFileStatus(path, status, part::all);
    auto dos = Dos(path);
    ASSERT_TRUE(dos.has_value());
    EXPECT_EQ(dos->attributes, 0x23u);
    EXPECT_EQ(dos->creation, status.m_ctime);
    EXPECT_EQ(Read(path).m_attribute, attr::hidden | attr::archive | attr::readOnly);

    // The attribute's creation time survives the clearing of the bits.
    status.m_attribute = 0;
    SetFileStatus(path, status, part::attributes);
    dos = Dos(path);
    ASSERT_TRUE(dos.has_value());
    EXPECT_EQ(dos->attributes, 0u);
    EXPECT_EQ(dos->creation, status.m_ctime);
    EXPECT_EQ(Read(path).m_attribute, 0);
    EXPECT_EQ(Mode(path) & S_IWUSR, S_IWUSR);
}

TEST_F(FileStatusTest, OnlyTheAskedPartsAreWritten) {
    // In the attribute's 100 ns units.
    const FileTime kOld{1039268110, 500};
    const FileTime kNew{1000000000, 700};
    for (const StatusParts parts :
         {part::modified, part::accessed, part::created, part::attributes}) {
        const std::string path = NewFile("f" + std::to_string(parts));
        SetDos(path, dosattrib::Encode({attr::archive, kOld}));
        const struct timespec times[2] = {{kOld.seconds, kOld.nanoseconds},
                                          {kOld.seconds, kOld.nanoseconds}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
        CFileStatus status = Read(path);
        status.m_mtime = status.m_ctime = status.m_atime = kNew;
        status.m_attribute = attr::hidden;
        EXPECT_EQ(SetFileStatus(path, status, parts), StatusWrite::complete);
        const CFileStatus back = Read(path);
        EXPECT_EQ(back.m_mtime, parts == part::modified ? kNew : kOld) << parts;
        EXPECT_EQ(back.m_atime, parts == part::accessed ? kNew : kOld) << parts;
        EXPECT_EQ(back.m_ctime, parts == part::created ? kNew : kOld) << parts;
        EXPECT_EQ(back.m_attribute, parts == part::attributes ? attr::hidden : attr::archive)
            << parts;
    }
}

// Another user keeps replacing the path by a read-only file of theirs and by a link to
// one of ours: whichever the write meets, it changes that file from its own permissions,
// never ours from theirs.
TEST_F(FileStatusTest, APathReplacedDuringTheWriteNeverMixesTwoFiles) {
    const Umask mask(0022);
    const std::string victim = NewFile("victim", 0600);
    const std::string path = m_tmp.Path("f");
    const std::string plain = m_tmp.Path(".plain");
    const std::string link = m_tmp.Path(".link");
    std::atomic<bool> stop{false};
    std::thread swapper([&] {
        while (!stop) {
            ::close(::open(plain.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0444));
            ::rename(plain.c_str(), path.c_str());
            ::symlink(victim.c_str(), link.c_str());
            ::rename(link.c_str(), path.c_str());
        }
    });
    CFileStatus writable;
    for (int round = 0; round < 5000 && Mode(victim) == 0600; ++round) {
        try {
            SetFileStatus(path, writable, part::attributes);
        } catch (const CFileException&) {
        }
    }
    stop = true;
    swapper.join();
    EXPECT_EQ(Mode(victim), 0600u);
}

// A link is followed: the file behind it, whose name says whether it is hidden, is what
// shows and what changes, whatever the link is called.
TEST_F(FileStatusTest, ALinkShowsAndChangesTheFileBehindIt) {
    const struct {
        const char* link;
        const char* target;
        std::uint8_t shown;
    } cases[] = {
        {".hidden-link", "plain", 0},
        {"plain-link", ".hidden", attr::hidden},
    };
    for (const auto& c : cases) {
        const std::string target = NewFile(c.target);
        const std::string link = m_tmp.Path(c.link);
        ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
        CFileStatus status = Read(link);
        EXPECT_EQ(status.m_attribute, c.shown) << c.link;
        status.m_attribute |= attr::archive;
        SetFileStatus(link, status, part::attributes);
        EXPECT_EQ(Read(target).m_attribute, c.shown | attr::archive) << c.link;
    }
}

TEST_F(FileStatusTest, MissingFileIsRaised) {
    CFileStatus status;
    try {
        SetFileStatus(m_tmp.Path("gone"), status, part::all);
        FAIL() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    }
}

class NoExtendedAttributesTest : public FileStatusTest {
  protected:
    void SetUp() override {
        if (!m_ramfs.Refusal().empty()) {
            GTEST_SKIP() << m_ramfs.Refusal();
        }
    }
    std::string m_mount = m_tmp.Path("ramfs");
    ScratchMount m_ramfs{m_mount, ScratchMount::Kind::ramfs};
};

TEST_F(NoExtendedAttributesTest, TimesAndReadOnlyAreWrittenTheRestReported) {
    const std::string path = m_mount + "/.file";
    WriteWholeFile(path, "data");
    CFileStatus status = Read(path);
    EXPECT_EQ(status.m_attribute, attr::hidden);

    // Nothing asked that needs the attribute: complete.
    status.m_mtime = {1039268110, 5};
    status.m_attribute = attr::hidden | attr::readOnly;
    EXPECT_EQ(SetFileStatus(path, status, part::all), StatusWrite::complete);
    EXPECT_EQ(Read(path).m_mtime, status.m_mtime);

    status.m_attribute = attr::archive;
    status.m_atime = {1039268000, 7};
    EXPECT_EQ(SetFileStatus(path, status, part::all), StatusWrite::withoutExtendedAttributes);
    const CFileStatus back = Read(path);
    EXPECT_EQ(back.m_attribute, attr::hidden);
    EXPECT_EQ(back.m_atime, status.m_atime);
}

// Read-only files of their own and the files of others, as an ordinary user meets them.
class FileStatusPermissionTest : public FileStatusTest {};

TEST_F(FileStatusPermissionTest, TheOwnerChangesEveryCombination) {
    const struct {
        const char* name;
        mode_t mode;
        std::optional<std::string> dos;
    } starts[] = {
        {"writable", 0644, std::nullopt},
        {"read-only", 0444, std::nullopt},
        {"samba-read-only", 0644, std::string("0x21")},
        {"hidden-read-only", 0444, std::string("0x3")},
    };
    for (const auto& start : starts) {
        for (std::uint8_t wanted = 0; wanted < 8; ++wanted) {
            const std::uint8_t attribute = ((wanted & 1) != 0 ? attr::readOnly : 0) |
                                           ((wanted & 2) != 0 ? attr::hidden : 0) |
                                           ((wanted & 4) != 0 ? attr::archive : 0);
            const std::string path = NewFile(start.name + std::to_string(wanted));
            if (start.dos) {
                SetDos(path, *start.dos);
            }
            ::chmod(path.c_str(), start.mode);
            CFileStatus status = Read(path);
            status.m_attribute = attribute;
            status.m_mtime = {1039268110, 1};
            status.m_atime = {1039268111, 2};
            status.m_ctime = {1000000000, 300};
            EXPECT_EQ(SetFileStatus(path, status, part::all), StatusWrite::complete)
                << path << " " << int(attribute);
            const CFileStatus back = Read(path);
            EXPECT_EQ(back.m_attribute, attribute) << path;
            EXPECT_EQ((Mode(path) & S_IWUSR) == 0, (attribute & attr::readOnly) != 0) << path;
            EXPECT_EQ(back.m_mtime, status.m_mtime) << path;
            EXPECT_EQ(back.m_atime, status.m_atime) << path;
            EXPECT_EQ(back.m_ctime, status.m_ctime) << path;
        }
    }
    // The creation time alone, on a file read-only in its mode: the mode comes back.
    const std::string path = NewFile("created", 0444);
    CFileStatus status = Read(path);
    status.m_ctime = {1000000000, 300};
    EXPECT_EQ(SetFileStatus(path, status, part::created), StatusWrite::complete);
    EXPECT_EQ(Read(path).m_ctime, status.m_ctime);
    EXPECT_EQ(Mode(path), 0444u);
}

TEST_F(FileStatusPermissionTest, AnotherUserChangesWhatTheFileLetsThem) {
    constexpr FileTime kOld{1039268110, 5};
    constexpr FileTime kNew{1000000000, 700};
    constexpr StatusParts kNothing = 0;
    const struct {
        const char* name;
        std::optional<std::string> dos;
        StatusParts parts;
        std::uint8_t attribute;
        // Nothing applied: refused as a plain file error.
        StatusParts applied;
        std::uint8_t attributeAfter;
    } cases[] = {
        // A 0666 file lets them write the attribute, never the times or the mode.
        {"hidden", std::nullopt, part::attributes, attr::hidden, part::all, attr::hidden},
        {"samba-read-only", std::string("0x21"), part::attributes, attr::archive, part::all,
         attr::archive},
        {"hidden-dated", std::nullopt, part::attributes | part::modified, attr::hidden,
         part::attributes, attr::hidden},
        {"dated", std::nullopt, part::modified | part::accessed, 0, kNothing, 0},
        // The record's read-only bit goes back when the mode refuses it.
        {"read-only", std::nullopt, part::attributes, attr::readOnly | attr::hidden, kNothing, 0},
        {"read-only-created", std::string("0x20"), part::attributes | part::created, attr::readOnly,
         part::created, attr::archive},
    };
    for (const auto& c : cases) {
        const std::string path = NewFile(c.name, 0666);
        if (c.dos) {
            SetDos(path, *c.dos);
        }
        const struct timespec times[2] = {{kOld.seconds, kOld.nanoseconds},
                                          {kOld.seconds, kOld.nanoseconds}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
        const auto dosBefore = Dos(path);
        CFileStatus status = Read(path);
        const FileTime createdBefore = status.m_ctime;
        status.m_attribute = c.attribute;
        status.m_mtime = status.m_atime = status.m_ctime = kNew;
        {
            AsAnotherUser other;
            if (!other.Active()) {
                GTEST_SKIP() << AsAnotherUser::kSkipReason;
            }
            try {
                EXPECT_EQ(SetFileStatus(path, status, c.parts), StatusWrite::complete) << c.name;
                EXPECT_EQ(c.applied, part::all) << c.name;
            } catch (const CStatusWriteException& e) {
                EXPECT_EQ(e.m_applied, c.applied) << c.name;
                EXPECT_EQ(e.m_notApplied, c.parts & ~c.applied) << c.name;
                EXPECT_EQ(e.m_cause, CFileException::accessDenied) << c.name;
            } catch (const CFileException& e) {
                EXPECT_EQ(c.applied, kNothing) << c.name;
                EXPECT_EQ(e.m_cause, CFileException::accessDenied) << c.name;
            }
        }
        const CFileStatus back = Read(path);
        EXPECT_EQ(back.m_attribute, c.attributeAfter) << c.name;
        EXPECT_EQ(Mode(path), 0666u) << c.name;
        EXPECT_EQ(back.m_mtime, kOld) << c.name;
        EXPECT_EQ(back.m_ctime, (c.parts & c.applied & part::created) != 0 ? kNew : createdBefore)
            << c.name;
        if (c.applied == kNothing) {
            EXPECT_EQ(Dos(path).has_value(), dosBefore.has_value()) << c.name;
        }
    }
}

}  // namespace
}  // namespace scx::test
