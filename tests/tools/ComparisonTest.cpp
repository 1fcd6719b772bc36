// The byte comparison: results, block boundaries, refusals, big sparse files.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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

class ComparisonTest : public ::testing::Test {
  protected:
    std::string Compare(const std::string& first, const std::string& second,
                        std::size_t blockSize = tools::kComparisonBlockSize) {
        WriteWholeFile(m_tmp.Path("a"), first);
        WriteWholeFile(m_tmp.Path("b"), second);
        return ComparisonText(CompareFiles(m_tmp.Path("a"), m_tmp.Path("b"), blockSize));
    }
    TempFolder m_tmp;
};

TEST_F(ComparisonTest, ResultsOfTheWindow) {
    const std::string identical = res::LoadString(res::IDS_FILES_IDENTICAL);
    const struct {
        std::string first, second, shown;
    } cases[] = {
        {"abc", "abd", "3"},  {"abc", "axc", "2"},       {"abc", "abcd", "3"},
        {"abcd", "abc", "3"}, {"", "", identical},       {"", "x", "0"},
        {"x", "", "0"},       {"abc", "abc", identical}, {"abc", "xbc", "1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Compare(c.first, c.second), c.shown) << c.first << " / " << c.second;
    }
}

// Small blocks put the difference on, before and after a block boundary, and make the
// shorter file end inside a block.
TEST_F(ComparisonTest, PositionsAcrossBlocks) {
    const std::string base = PatternBytes(1000);
    for (const std::size_t block : {std::size_t{1}, std::size_t{7}, std::size_t{64}}) {
        for (const std::size_t at : {std::size_t{0}, std::size_t{6}, std::size_t{7},
                                     std::size_t{63}, std::size_t{64}, std::size_t{999}}) {
            std::string changed = base;
            changed[at] = static_cast<char>(changed[at] ^ 0x40);
            EXPECT_EQ(Compare(base, changed, block), std::to_string(at + 1))
                << "block " << block << ", byte " << at;
        }
        EXPECT_EQ(Compare(base, base.substr(0, 130), block), "130") << "block " << block;
        EXPECT_EQ(Compare(base, base, block), res::LoadString(res::IDS_FILES_IDENTICAL));
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
    for (const auto& c : cases) {
        const std::string a = sparse("a", c.at1, c.bytes1);
        const std::string b = sparse("b", c.at2, c.bytes2);
        EXPECT_EQ(ComparisonText(CompareFiles(a, b, 4096)), c.shown) << c.at1 << " " << c.at2;
    }
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
