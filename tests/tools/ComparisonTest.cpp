// The byte comparison: results, block boundaries, refusals, files that report no size or
// change meanwhile, big sparse files.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "FaultPlan.h"
#include "File.h"
#include "FileComparison.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "TestFiles.h"

namespace scx::test {
namespace {

using tools::CompareFiles;
using tools::ComparisonResult;
using tools::ComparisonText;
using Kind = ComparisonResult::Kind;

// The two ways the bytes are fetched: views of the files, and reads, which the file
// object's hook forces for its lifetime even when it injects nothing.
enum class Fetch { views, reads };
constexpr Fetch kFetches[] = {Fetch::views, Fetch::reads};

struct FetchBy {
    explicit FetchBy(Fetch fetch) {
        if (fetch == Fetch::reads) {
            CFile::SetFaultHook(
                [](CFile::Op, const std::string&, std::uint64_t, std::size_t&) { return 0; });
        }
    }
    ~FetchBy() { CFile::SetFaultHook(nullptr); }
};

const char* Name(Fetch fetch) {
    return fetch == Fetch::views ? "views" : "reads";
}

class ComparisonTest : public ::testing::Test {
  protected:
    std::string Compare(const std::string& first, const std::string& second,
                        std::size_t blockSize = tools::kComparisonBlockSize) {
        WriteWholeFile(m_tmp.Path("a"), first);
        WriteWholeFile(m_tmp.Path("b"), second);
        return ComparisonText(CompareFiles(m_tmp.Path("a"), m_tmp.Path("b"), blockSize));
    }
    TempFolder m_tmp;
    const std::string m_identical = res::LoadString(res::IDS_FILES_IDENTICAL);
};

TEST_F(ComparisonTest, ResultsOfTheWindow) {
    const struct {
        std::string first, second, shown;
    } cases[] = {
        {"abc", "abd", "3"},  {"abc", "axc", "2"},         {"abc", "abcd", "3"},
        {"abcd", "abc", "3"}, {"", "", m_identical},       {"", "x", "0"},
        {"x", "", "0"},       {"abc", "abc", m_identical}, {"abc", "xbc", "1"},
    };
    for (const Fetch fetch : kFetches) {
        const FetchBy fetchBy(fetch);
        for (const auto& c : cases) {
            EXPECT_EQ(Compare(c.first, c.second), c.shown)
                << Name(fetch) << ": " << c.first << " / " << c.second;
        }
    }
}

// Small blocks put the difference on, before and after a block or page boundary, views
// start inside a page, and the shorter file ends inside a block.
TEST_F(ComparisonTest, PositionsAcrossBlocks) {
    const std::string base = PatternBytes(4100);
    for (const Fetch fetch : kFetches) {
        const FetchBy fetchBy(fetch);
        for (const std::size_t block : {std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
            for (const std::size_t at : {std::size_t{0}, std::size_t{6}, std::size_t{7},
                                         std::size_t{4095}, std::size_t{4096}, std::size_t{4099}}) {
                std::string changed = base;
                changed[at] = static_cast<char>(changed[at] ^ 0x40);
                EXPECT_EQ(Compare(base, changed, block), std::to_string(at + 1))
                    << Name(fetch) << ", block " << block << ", byte " << at;
            }
            EXPECT_EQ(Compare(base, base.substr(0, 4097), block), "4097")
                << Name(fetch) << ", block " << block;
            EXPECT_EQ(Compare(base, base, block), m_identical)
                << Name(fetch) << ", block " << block;
        }
    }
}

TEST_F(ComparisonTest, EqualPathsAreRefusedBeforeAnythingIsOpened) {
    int opens = 0;
    CFile::SetFaultHook([&](CFile::Op op, const std::string&, std::uint64_t, std::size_t&) {
        opens += op == CFile::Op::open;
        return 0;
    });
    const ComparisonResult result = CompareFiles(m_tmp.Path("missing"), m_tmp.Path("missing"));
    CFile::SetFaultHook(nullptr);
    EXPECT_EQ(result.kind, Kind::samePath);
    EXPECT_EQ(ComparisonText(result), res::LoadString(res::IDS_SAME_FILE));
    EXPECT_EQ(opens, 0);
}

TEST_F(ComparisonTest, FailuresAreRaisedNamingTheFile) {
    WriteWholeFile(m_tmp.Path("a"), "abc");
    try {
        CompareFiles(m_tmp.Path("a"), m_tmp.Path("missing"));
        FAIL() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
        EXPECT_EQ(e.m_strFileName, m_tmp.Path("missing"));
    }
    // A read failing in the middle is an error, not a result.
    WriteWholeFile(m_tmp.Path("b"), "abc");
    CFile::SetFaultHook([](CFile::Op op, const std::string&, std::uint64_t, std::size_t&) {
        return op == CFile::Op::read ? EIO : 0;
    });
    EXPECT_THROW(CompareFiles(m_tmp.Path("a"), m_tmp.Path("b")), CFileException);
    CFile::SetFaultHook(nullptr);
}

// Holes skipped where both files have one must not hide a difference next to them.
TEST_F(ComparisonTest, HolesAgainstDataAndHoles) {
    constexpr std::uint64_t kSize = 3 << 20;
    auto sparse = [&](const std::string& name, std::uint64_t at, const std::string& bytes) {
        const std::string path = m_tmp.Path(name);
        WriteWholeFile(path, "");
        std::filesystem::resize_file(path, kSize);
        if (!bytes.empty()) {
            CFile file(path, CFile::modeWrite);
            file.Seek(static_cast<std::int64_t>(at), CFile::begin);
            file.Write(bytes.data(), bytes.size());
        }
        return path;
    };
    const std::string identical = res::LoadString(res::IDS_FILES_IDENTICAL);
    const struct {
        std::uint64_t at1;
        std::string bytes1;
        std::uint64_t at2;
        std::string bytes2;
        std::string shown;
    } cases[] = {
        {0, "", 0, std::string(kSize, '\0'), identical},
        {0, "", (1 << 20) + 5, "x", std::to_string((1 << 20) + 6)},
        {(1 << 20) + 5, "x", 0, "", std::to_string((1 << 20) + 6)},
        {8192, "abc", 8192, "abc", identical},
        {8192, "abc", 8192, "abd", "8195"},
        {kSize - 1, "x", 0, "", std::to_string(kSize)},
    };
    for (const Fetch fetch : kFetches) {
        const FetchBy fetchBy(fetch);
        for (const auto& c : cases) {
            const std::string a = sparse("a", c.at1, c.bytes1);
            const std::string b = sparse("b", c.at2, c.bytes2);
            EXPECT_EQ(ComparisonText(CompareFiles(a, b, 4096)), c.shown)
                << Name(fetch) << ": " << c.at1 << " " << c.at2;
        }
    }
}

// The files of /proc report a size of 0 and hold bytes all the same: both files are read
// to their end, and the window's size is what a read finds.
TEST_F(ComparisonTest, FilesThatReportNoSize) {
#ifdef _WIN32
    GTEST_SKIP() << "no /proc on Windows";
#else
    const std::string proc = "/proc/version";
    std::ifstream in(proc, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GT(text.size(), 1u);
    std::string changed = text;
    changed.back() = static_cast<char>(changed.back() ^ 1);
    const std::string size = std::to_string(text.size());
    const struct {
        std::string copy;
        bool copyFirst;
        std::string shown;
    } cases[] = {
        {text, false, m_identical}, {text, true, m_identical}, {text + "x", false, size},
        {text + "x", true, size},   {changed, false, size},    {text.substr(1), false, "1"},
    };
    for (const auto& c : cases) {
        WriteWholeFile(m_tmp.Path("copy"), c.copy);
        const std::string copy = m_tmp.Path("copy");
        const ComparisonResult result =
            c.copyFirst ? CompareFiles(copy, proc, 64) : CompareFiles(proc, copy);
        EXPECT_EQ(ComparisonText(result), c.shown) << c.copy.size() << " " << c.copyFirst;
    }
    EXPECT_EQ(ComparisonText(CompareFiles("/proc/cpuinfo", "/proc/meminfo")), "1");
    EXPECT_EQ(tools::FileLength(proc), text.size());
    WriteWholeFile(m_tmp.Path("empty"), "");
    EXPECT_EQ(tools::FileLength(m_tmp.Path("empty")), 0u);
#endif
}

// Another program changes a file while it is compared (here when its second block is
// read): a file that grows is compared to its new end; one cut short makes no result, only
// the end-of-file error naming it.
TEST_F(ComparisonTest, FileChangedDuringTheComparison) {
#ifdef _WIN32
    GTEST_SKIP() << "the comparison's exclusive opens keep other programs from writing";
#else
    const std::string bytes = PatternBytes(100);
    const struct {
        std::string first, second;
        std::uint64_t newLength;  // of the first file
        std::string shown;        // empty: the end-of-file error
    } cases[] = {
        {bytes.substr(0, 50), bytes, 100, m_identical},
        {bytes.substr(0, 50), bytes + "x", 100, "100"},
        {bytes, bytes, 30, ""},
        {bytes, bytes.substr(0, 80), 60, ""},
        {bytes, bytes.substr(0, 20), 60, "20"},  // the shorter file decides first
    };
    for (const auto& c : cases) {
        WriteWholeFile(m_tmp.Path("a"), c.first);
        WriteWholeFile(m_tmp.Path("b"), c.second);
        const std::string a = m_tmp.Path("a");
        const ScopedFaultHook hook(
            [&](CFile::Op op, const std::string& path, std::uint64_t position, std::size_t&) {
                if (op == CFile::Op::read && path == a && position == 10) {
                    WriteWholeFile(a, (bytes + bytes).substr(0, c.newLength));
                }
                return 0;
            });
        const std::string label = std::to_string(c.first.size()) + " to " +
                                  std::to_string(c.newLength) + " against " +
                                  std::to_string(c.second.size());
        if (!c.shown.empty()) {
            EXPECT_EQ(ComparisonText(CompareFiles(a, m_tmp.Path("b"), 10)), c.shown) << label;
            continue;
        }
        try {
            CompareFiles(a, m_tmp.Path("b"), 10);
            ADD_FAILURE() << label << ": no exception";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_cause, CFileException::endOfFile) << label;
            EXPECT_EQ(e.m_strFileName, a) << label;
        }
    }
#endif
}

// Positions beyond 32 bits: two 5 GiB sparse files that differ in their last byte.
TEST_F(ComparisonTest, LastByteOfFiveGibibytes) {
    constexpr std::uint64_t kSize = std::uint64_t{5} << 30;
    for (const char* name : {"a", "b"}) {
        WriteWholeFile(m_tmp.Path(name), "");
        std::filesystem::resize_file(m_tmp.Path(name), kSize);
    }
    CFile last(m_tmp.Path("b"), CFile::modeWrite);
    last.Seek(-1, CFile::end);
    last.Write("x", 1);
    last.Close();
    const ComparisonResult result = CompareFiles(m_tmp.Path("a"), m_tmp.Path("b"));
    EXPECT_EQ(result.kind, Kind::different);
    EXPECT_EQ(result.position, kSize);
    EXPECT_EQ(ComparisonText(result), "5368709120");
}

}  // namespace
}  // namespace scx::test
