#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>
#endif

#include <cerrno>
#include <climits>
#include <filesystem>
#include <vector>

#include "FaultPlan.h"
#include "File.h"
#include "StagedFile.h"
#include "TestFiles.h"

namespace scx {
namespace {

using test::HeldFile;
using test::PatternBytes;
using test::Plant;
using test::Planted;
using test::ReadWholeFile;
using test::ScopedFaultHook;
using test::StillPlanted;
using test::TempFolder;
using test::WriteWholeFile;

constexpr unsigned kRead = CFile::modeRead | CFile::shareExclusive;
constexpr unsigned kCreate = CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive;
constexpr unsigned kReadWrite = CFile::modeReadWrite | CFile::shareExclusive;

CFileException::Cause OpenFailure(const std::string& path, unsigned flags, int injected) {
    if (injected != 0) {
        CFile::SetFaultHook([=](CFile::Op op, const std::string&, std::uint64_t, std::size_t&) {
            return op == CFile::Op::open ? injected : 0;
        });
    }
    CFile file;
    CFileException error(CFileException::none, std::string());
    EXPECT_FALSE(file.TryOpen(path, flags, &error)) << path;
    EXPECT_FALSE(file.IsOpen());
    CFile::SetFaultHook(nullptr);
    return error.m_cause;
}

TEST(FileTest, WriteSeekReadRoundTrip) {
    TempFolder tmp;
    const std::string path = tmp.Path("data.bin");
    const std::string bytes = PatternBytes(10000);
    WriteWholeFile(path, "previous, longer content that must go away");
    {
        CFile out(path, kCreate);
        EXPECT_EQ(out.GetLength(), 0u);
        out.Write(bytes.data(), bytes.size());
        EXPECT_EQ(out.GetPosition(), bytes.size());
    }
    CFile in(path, kReadWrite);
    EXPECT_EQ(in.GetLength(), bytes.size());
    EXPECT_EQ(in.Seek(-100, CFile::end), bytes.size() - 100);
    std::string buffer(200, '\0');
    EXPECT_EQ(in.Read(buffer.data(), buffer.size()), 100u);  // short only at the end
    EXPECT_EQ(buffer.substr(0, 100), bytes.substr(bytes.size() - 100));
    EXPECT_EQ(in.Read(buffer.data(), buffer.size()), 0u);
    EXPECT_EQ(in.Seek(1234, CFile::begin), 1234u);
    EXPECT_EQ(in.Seek(-34, CFile::current), 1200u);
    in.ReadExact(buffer.data(), 50);
    EXPECT_EQ(buffer.substr(0, 50), bytes.substr(1200, 50));
    in.Seek(-10, CFile::end);
    try {
        in.ReadExact(buffer.data(), 50);
        FAIL() << "reading past the end must fail";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::endOfFile);
        EXPECT_EQ(e.m_strFileName, in.GetFilePath());
    }
    EXPECT_THROW(in.Seek(-1, CFile::begin), CFileException);
}

TEST(FileTest, OffsetsAndLengthsBeyondFourGiB) {
    TempFolder tmp;
    const std::uint64_t beyond = (std::uint64_t{5} << 30) + 3;
    CFile file(tmp.Path("sparse.bin"), kCreate | CFile::modeReadWrite);
    EXPECT_EQ(file.Seek(static_cast<std::int64_t>(beyond), CFile::begin), beyond);
    file.Write("x", 1);
    EXPECT_EQ(file.GetLength(), beyond + 1);
    EXPECT_EQ(file.Seek(-1, CFile::end), beyond);
    char c = 0;
    file.ReadExact(&c, 1);
    EXPECT_EQ(c, 'x');
}

TEST(FileTest, EveryOpenIsExclusive) {
    TempFolder tmp;
    const std::string path = tmp.Path("shared.bin");
    WriteWholeFile(path, "keep me");
    {
        CFile first(path, kRead);
        for (const unsigned flags : {kRead, kReadWrite, kCreate}) {
            EXPECT_EQ(OpenFailure(path, flags, 0), CFileException::sharingViolation) << flags;
        }
    }
    EXPECT_EQ(ReadWholeFile(path), "keep me");  // the refused create did not empty it
    {
        HeldFile otherProgram(path);
        EXPECT_EQ(OpenFailure(path, kRead, 0), CFileException::sharingViolation);
    }
    CFile again(path, kRead);  // the lock goes with the handle
}

#ifndef _WIN32
// A listening Unix socket bound to a path for as long as it lives.
class UnixSocket {
  public:
    explicit UnixSocket(const std::string& path) : m_fd(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof(address.sun_path) - 1);
        EXPECT_EQ(::bind(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    }
    ~UnixSocket() { ::close(m_fd); }
    UnixSocket(const UnixSocket&) = delete;
    UnixSocket& operator=(const UnixSocket&) = delete;

  private:
    int m_fd;
};
#endif

// Only regular files are opened, for a hint too: a pipe would block the open for ever.
TEST(FileTest, SpecialFilesAreRefusedAtOnce) {
    TempFolder tmp;
    std::filesystem::create_directory(tmp.Path("folder"));
    std::vector<std::string> special = {tmp.Path("folder")};
#ifdef _WIN32
    special.push_back("NUL");
#else
    ASSERT_EQ(::mkfifo(tmp.Path("pipe").c_str(), 0600), 0);
    const UnixSocket socket(tmp.Path("socket"));
    special.insert(special.end(), {tmp.Path("pipe"), tmp.Path("socket"), "/dev/null"});
#endif
    for (const std::string& path : special) {
        CFile::ReadAheadByPath(path, 0, 1);
        for (const unsigned flags : {kRead, kCreate}) {
            EXPECT_EQ(OpenFailure(path, flags, 0), CFileException::notRegularFile)
                << path << " " << flags;
        }
    }
}

#ifndef _WIN32
// A special file is refused without being opened, which may do more than read: here, a
// pipe's writer waiting for a reader would go on.
TEST(FileTest, ASpecialFileIsNotOpenedToBeRefused) {
    TempFolder tmp;
    const std::string pipe = tmp.Path("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::atomic<bool> writerWentOn = false;
    std::thread writer([&] {
        const int fd = ::open(pipe.c_str(), O_WRONLY | O_CLOEXEC);
        writerWentOn = true;
        ::close(fd);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    for (const unsigned flags : {kRead, kCreate}) {
        EXPECT_EQ(OpenFailure(pipe, flags, 0), CFileException::notRegularFile) << flags;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(writerWentOn);
    ::close(::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    writer.join();
}

// A terminal named as the file is refused without becoming the controlling terminal of a
// program that has none, whose hang-up would then end the program.
TEST(FileTest, ATerminalIsRefusedWithoutBecomingTheProgramsOwn) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string terminal = ::ptsname(master);
    const pid_t child = ::fork();
    if (child == 0) {
        // A session of its own, without a terminal, as a program started from a menu.
        int result = ::setsid() < 0 ? 2 : 0;
        if (result == 0) {
            CFile file;
            CFileException error(CFileException::none, std::string());
            result = file.TryOpen(terminal, kRead, &error) ||
                             error.m_cause != CFileException::notRegularFile
                         ? 3
                         : 0;
        }
        if (result == 0 && ::open("/dev/tty", O_RDONLY | O_NOCTTY) >= 0) {
            result = 4;  // the terminal became ours
        }
        ::_exit(result);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::close(master);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
#endif

TEST(FileTest, OpenFailuresNameTheirCause) {
    TempFolder tmp;
    WriteWholeFile(tmp.Path("plain"), "x");
    const std::string present = tmp.Path("plain");
    const struct {
        std::string path;
        unsigned flags;
        int injected;  // errno the fault hook makes the open fail with; 0: a real failure
        CFileException::Cause cause;
    } cases[] = {
        {tmp.Path("missing.txt"), kRead, 0, CFileException::fileNotFound},
        {"", kRead, 0, CFileException::fileNotFound},
        {tmp.Path("no-folder/missing.txt"), kRead, 0, CFileException::badPath},
        {tmp.Path("no-folder/new.txt"), kCreate, 0, CFileException::badPath},
        {tmp.Path("plain/inside.txt"), kRead, 0, CFileException::badPath},
#ifndef _WIN32  // wine reports a name too long for Linux as not found
        {tmp.Path(std::string(300, 'n')), kRead, 0, CFileException::badPath},
#endif
        {present, kRead, ELOOP, CFileException::badPath},
        {present, kRead, EACCES, CFileException::accessDenied},
        {present, kCreate, EROFS, CFileException::accessDenied},
        {present, kCreate, ENOSPC, CFileException::diskFull},
#ifdef EDQUOT
        {present, kCreate, EDQUOT, CFileException::diskFull},
#endif
        {present, kRead, EMFILE, CFileException::genericException},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OpenFailure(c.path, c.flags, c.injected), c.cause) << c.path << " " << c.injected;
    }
}

TEST(FileTest, ANewFileTakesOnlyAFreeNameAndNeverFollowsALink) {
    TempFolder tmp;
    constexpr unsigned kCreateNew = CFile::modeCreateNew | kReadWrite;
    for (const Planted kind : {Planted::file, Planted::folder, Planted::link}) {
        const std::string taken = tmp.Path("taken" + std::to_string(static_cast<int>(kind)));
        if (!Plant(kind, taken, "target")) {
            continue;  // Windows may refuse links to an ordinary user
        }
        EXPECT_EQ(OpenFailure(taken, kCreateNew, 0), CFileException::alreadyExists) << taken;
        EXPECT_TRUE(StillPlanted(kind, taken, "target"));
    }
    EXPECT_FALSE(std::filesystem::exists(tmp.Path("target")));
    CFile file(tmp.Path("free"), kCreateNew);
    file.Write("x", 1);
    file.Close();
    EXPECT_EQ(ReadWholeFile(tmp.Path("free")), "x");
}

TEST(FileTest, PathsAreAbsolute) {
    TempFolder tmp;
    std::filesystem::create_directory(tmp.Path("real"));
    const std::string folder = (std::filesystem::canonical(tmp.Path("real")) / "").string();
    WriteWholeFile(tmp.Path("real/film.avi.001"), "x");
    {
#ifdef _WIN32
        // Links to folders need a privilege on Windows (and wine has none).
        CFile viaLink(tmp.Path("real/../real/./film.avi.001"), kRead);
#else
        std::filesystem::create_directory_symlink(tmp.Path("real"), tmp.Path("link"));
        CFile viaLink(tmp.Path("link/../real/./film.avi.001"), kRead);
#endif
        EXPECT_EQ(viaLink.GetFilePath(), folder + "film.avi.001");
        EXPECT_EQ(viaLink.GetFileName(), "film.avi.001");
        EXPECT_EQ(viaLink.GetFileTitle(), "film.avi");
    }
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    CFile relative;
    const bool opened = relative.TryOpen("film.avi.001", kRead);
    CFileException error(CFileException::none, std::string());
    CFile().TryOpen("gone/x.bin", kRead, &error);
    std::filesystem::current_path(previous);
    ASSERT_TRUE(opened);
    EXPECT_EQ(relative.GetFilePath(), folder + "film.avi.001");
    const std::string gone = test::Utf8Text(test::Utf8Path(folder) / "gone" / "x.bin");
    EXPECT_EQ(error.m_strFileName, gone);  // failures name the file too
    EXPECT_NE(std::string(error.what()).find(gone), std::string::npos);
}

// "Z:x.bin" is x.bin in drive Z's current folder: staged beside it there, and named so.
TEST(FileTest, AStagedFileNamedThroughADriveAlone) {
#ifndef _WIN32
    GTEST_SKIP() << "drive letters are Windows'";
#else
    TempFolder tmp;
    const std::string folder = Utf8Text(std::filesystem::canonical(Utf8Path(tmp.Folder())) / "");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(Utf8Path(folder));
    std::string named;
    {
        CStagedFile staged(folder.substr(0, 2) + "x.bin", "t");
        named = staged.File().GetFilePath();
        staged.File().Write("x", 1);
        staged.Commit();
    }
    std::filesystem::current_path(previous);
    EXPECT_EQ(named, folder + "x.bin");
    EXPECT_EQ(ReadWholeFile(folder + "x.bin"), "x");
#endif
}

// A disk that fills up once `path` holds `failAt` bytes.
CFile::FaultHook DiskFullAt(const std::string& path, std::uint64_t failAt) {
    return [=](CFile::Op op, const std::string& file, std::uint64_t position, std::size_t& limit) {
        if (op != CFile::Op::write || file != path) {
            return 0;
        }
        if (position >= failAt) {
            return ENOSPC;
        }
        limit = static_cast<std::size_t>(std::min<std::uint64_t>(limit, failAt - position));
        return 0;
    };
}

TEST(FileTest, AWriteFailingHalfwayKeepsWhatWasWritten) {
    TempFolder tmp;
    const std::string bytes = PatternBytes(std::size_t{6} << 20, 3);
    WriteWholeFile(tmp.Path("src"), bytes);
    const std::uint64_t failAt = (std::uint64_t{5} << 20) + 17;
    for (const bool viaCopy : {false, true}) {
        CFile from(tmp.Path("src"), kRead);
        CFile to(tmp.Path("piece.002"), kCreate);
        ScopedFaultHook hook(DiskFullAt(to.GetFilePath(), failAt));
        try {
            if (viaCopy) {
                CFile::Copy(from, to, bytes.size());
            } else {
                to.Write(bytes.data(), bytes.size());
            }
            FAIL() << "the write must fail";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_cause, CFileException::diskFull);
            EXPECT_EQ(e.m_lOsError, ENOSPC);
            EXPECT_EQ(e.m_strFileName, to.GetFilePath());
        }
        to.Close();
        EXPECT_TRUE(ReadWholeFile(tmp.Path("piece.002")) == bytes.substr(0, failAt)) << viaCopy;
    }
}

TEST(FileTest, ReadFillsItsBufferUntilTheEnd) {
    TempFolder tmp;
    WriteWholeFile(tmp.Path("slow.001"), "abcdef");
    CFile in(tmp.Path("slow.001"), kRead);
    ScopedFaultHook hook(
        [](CFile::Op op, const std::string&, std::uint64_t position, std::size_t& limit) {
            limit = 1;  // one byte per system call
            return op == CFile::Op::read && position >= 4 ? EIO : 0;
        });
    char buffer[3] = {};
    EXPECT_EQ(in.Read(buffer, 3), 3u);
    EXPECT_EQ(std::string(buffer, 3), "abc");
    try {
        in.Read(buffer, 3);
        FAIL() << "the read must fail";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::genericException);
        EXPECT_EQ(e.m_lOsError, EIO);
    }
}

// Both copy paths: the kernel's, and the buffered one that any fault hook forces.
class FileCopyTest : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        if (GetParam()) {
            CFile::SetFaultHook(
                [](CFile::Op, const std::string&, std::uint64_t, std::size_t&) { return 0; });
        }
    }
    void TearDown() override { CFile::SetFaultHook(nullptr); }
    TempFolder m_tmp;
};

TEST_P(FileCopyTest, CopiesFromTheCurrentPositions) {
    const std::string source = PatternBytes((std::size_t{9} << 20) + 12345, 7);
    WriteWholeFile(m_tmp.Path("src"), source);
    const struct {
        std::uint64_t skip;
        std::uint64_t count;
        std::uint64_t expected;
    } cases[] = {
        {0, source.size(), source.size()},
        {100, 0, 0},
        {1000, source.size(), source.size() - 1000},  // the source ends first
        {source.size(), 10, 0},
        {3, (std::uint64_t{4} << 20) + 1, (std::uint64_t{4} << 20) + 1},
    };
    for (const auto& c : cases) {
        CFile from(m_tmp.Path("src"), kRead);
        CFile to(m_tmp.Path("dst"), kCreate);
        to.Write("HEAD", 4);
        from.Seek(static_cast<std::int64_t>(c.skip), CFile::begin);
        EXPECT_EQ(CFile::Copy(from, to, c.count), c.expected) << c.skip << " " << c.count;
        EXPECT_EQ(from.GetPosition(), c.skip + c.expected);
        EXPECT_EQ(to.GetPosition(), 4 + c.expected);
        to.Close();
        EXPECT_TRUE(ReadWholeFile(m_tmp.Path("dst")) == "HEAD" + source.substr(c.skip, c.expected))
            << c.skip << " " << c.count;
    }
}

INSTANTIATE_TEST_SUITE_P(KernelAndBuffered, FileCopyTest, ::testing::Bool());

}  // namespace
}  // namespace scx
