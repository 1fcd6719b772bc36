// Views of a file: what they show, and a file shortened under one by another program.

#include <gtest/gtest.h>

#ifndef _WIN32
#include <pthread.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>
#include <thread>

#include "File.h"
#include "FileView.h"
#include "TestFiles.h"

namespace scx {
namespace {

using test::PatternBytes;
using test::TempFolder;
using test::WriteWholeFile;

constexpr unsigned kRead = CFile::modeRead | CFile::shareExclusive;
constexpr std::size_t kPage = 4096;

TEST(FileViewTest, FirstDifferenceOfBytes) {
    const std::string base = PatternBytes(3 * kPage);
    for (const std::size_t at : {std::size_t{0}, kPage - 1, kPage, 3 * kPage - 1}) {
        std::string changed = base;
        changed[at] = static_cast<char>(changed[at] ^ 1);
        EXPECT_EQ(FirstDifference(base.data(), changed.data(), base.size()), at);
        EXPECT_EQ(FirstDifference(base.data(), changed.data(), at), at);
    }
    EXPECT_EQ(FirstDifference(base.data(), base.data(), base.size()), base.size());
}

// The bytes shown from any offset, page-aligned or not; then the file cut to one page
// under the views: looking past it is the end-of-file error naming that file, the process
// goes on, and the next look works.
TEST(FileViewTest, ShortenedUnderItsView) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows reads instead of mapping";
#else
    TempFolder tmp;
    const std::string bytes = PatternBytes(3 * kPage);
    for (const char* shortened : {"a", "b"}) {
        WriteWholeFile(tmp.Path("a"), bytes);
        WriteWholeFile(tmp.Path("b"), bytes);
        CFile a(tmp.Path("a"), kRead);
        CFile b(tmp.Path("b"), kRead);
        for (const std::uint64_t offset : {std::uint64_t{0}, std::uint64_t{5}, kPage + 1}) {
            const CFileView view = CFileView::Map(a, offset, 100);
            ASSERT_TRUE(view.IsMapped());
            EXPECT_EQ(FirstDifference(view, CFileView::Map(b, offset, 100), 100), 100u);
            EXPECT_NE(FirstDifference(view, CFileView::Map(b, offset + 1, 100), 100), 100u);
        }

        const CFileView viewA = CFileView::Map(a, 0, bytes.size());
        const CFileView viewB = CFileView::Map(b, 0, bytes.size());
        std::filesystem::resize_file(tmp.Path(shortened), kPage);
        try {
            FirstDifference(viewA, viewB, bytes.size());
            ADD_FAILURE() << shortened << ": no exception";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_cause, CFileException::endOfFile) << shortened;
            EXPECT_EQ(e.m_strFileName, tmp.Path(shortened));
        }
        EXPECT_EQ(FirstDifference(viewA, viewB, kPage), kPage) << shortened;
    }
#endif
}

// Cut inside the view's last page, the file raises no fault: the page reads as zeros past
// the new end. A look that went past that end is the end-of-file error all the same; a
// difference found before it stands.
TEST(FileViewTest, ShortenedInsideItsLastPage) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows reads instead of mapping";
#else
    TempFolder tmp;
    constexpr std::size_t kLength = kPage + 100;
    constexpr std::uint64_t kCut = kPage + 50;
    std::string bytes = PatternBytes(kLength);
    std::fill(bytes.begin() + kPage + 20, bytes.end(), '\0');  // what the cut page reads as
    const struct {
        const char* shortened;
        std::size_t changedAt;  // in the other file; kLength: nowhere
        std::size_t found;      // kLength: the end-of-file error
    } cases[] = {
        {"a", kLength, kLength}, {"b", kLength, kLength},       {"a", kPage + 70, kLength},
        {"a", 10, 10},           {"b", kPage + 49, kPage + 49},
    };
    for (const auto& c : cases) {
        const bool cutA = std::string(c.shortened) == "a";
        std::string changed = bytes;
        if (c.changedAt < kLength) {
            changed[c.changedAt] = 'x';
        }
        WriteWholeFile(tmp.Path("a"), cutA ? bytes : changed);
        WriteWholeFile(tmp.Path("b"), cutA ? changed : bytes);
        CFile a(tmp.Path("a"), kRead);
        CFile b(tmp.Path("b"), kRead);
        const CFileView viewA = CFileView::Map(a, 0, kLength);
        const CFileView viewB = CFileView::Map(b, 0, kLength);
        std::filesystem::resize_file(tmp.Path(c.shortened), kCut);
        const std::string label = std::string(c.shortened) + " " + std::to_string(c.changedAt);
        if (c.found < kLength) {
            EXPECT_EQ(FirstDifference(viewA, viewB, kLength), c.found) << label;
            continue;
        }
        try {
            FirstDifference(viewA, viewB, kLength);
            ADD_FAILURE() << label << ": no exception";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_cause, CFileException::endOfFile) << label;
            EXPECT_EQ(e.m_strFileName, tmp.Path(c.shortened)) << label;
        }
    }
#endif
}

#ifndef _WIN32
// Looks at the two files again and again while another thread sends this one SIGBUS once
// the look has put its handler in place; exits 1 when the signal made a file fail.
[[noreturn]] void LookWhileABusErrorIsSent(const std::string& pathA, const std::string& pathB,
                                           std::size_t length) {
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    CFile a(pathA, kRead);
    CFile b(pathB, kRead);
    const CFileView viewA = CFileView::Map(a, 0, length);
    const CFileView viewB = CFileView::Map(b, 0, length);
    const pthread_t looker = ::pthread_self();
    // The handler before any look: the system's, or a sanitizer's.
    struct sigaction before {};
    ::sigaction(SIGBUS, nullptr, &before);
    std::thread([looker, before] {
        struct sigaction current {};
        do {
            ::sigaction(SIGBUS, nullptr, &current);
        } while (current.sa_handler == before.sa_handler);
        ::pthread_kill(looker, SIGBUS);
    }).detach();
    try {
        for (int look = 0; look < 1000; ++look) {
            FirstDifference(viewA, viewB, length);
        }
    } catch (const CFileException&) {
        ::_exit(1);
    }
    ::_exit(0);
}
#endif

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's handler, which the look puts back, reports the signal and aborts.
constexpr int kEndOfASentBusError = SIGABRT;
#elif !defined(_WIN32)
constexpr int kEndOfASentBusError = SIGBUS;
#endif

// A SIGBUS sent by another program while a view is looked at is no fault of the file: it
// ends the process as it would have without the look.
TEST(FileViewTest, ASentBusErrorIsNotTheFilesFailure) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows reads instead of mapping";
#else
    TempFolder tmp;
    constexpr std::size_t kLength = std::size_t{32} << 20;  // long enough a look to land in
    for (const char* name : {"a", "b"}) {
        WriteWholeFile(tmp.Path(name), "");
        std::filesystem::resize_file(tmp.Path(name), kLength);
    }
    EXPECT_EXIT(LookWhileABusErrorIsSent(tmp.Path("a"), tmp.Path("b"), kLength),
                ::testing::KilledBySignal(kEndOfASentBusError), "");
#endif
}

TEST(FileViewTest, NoViewWhileTheTestHookIsSet) {
    TempFolder tmp;
    WriteWholeFile(tmp.Path("a"), "abc");
    CFile a(tmp.Path("a"), kRead);
    CFile::SetFaultHook(
        [](CFile::Op, const std::string&, std::uint64_t, std::size_t&) { return 0; });
    const bool mapped = CFileView::Map(a, 0, 3).IsMapped();
    CFile::SetFaultHook(nullptr);
    EXPECT_FALSE(mapped);
}

}  // namespace
}  // namespace scx
