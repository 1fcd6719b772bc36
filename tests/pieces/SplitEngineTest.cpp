#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "DataCopy.h"
#include "EngineFixture.h"
#include "ResourceIds.h"

namespace scx::test {
namespace {

using pieces::EngineResult;

std::string Tag(const std::string& extension, int count) {
    const pieces::MetaTag tag = pieces::BuildMetaTag(extension, count);
    return std::string(tag.begin(), tag.end());
}

// `path` as the file layer resolves it (links followed), which is how it names files.
std::string Canonical(const std::string& path) {
    return Utf8Text(std::filesystem::weakly_canonical(Utf8Path(path)));
}

TEST_F(EngineTest, SplitsFilmIntoThreePiecesInTheWindowsOrder) {
    const std::string bytes = PatternBytes(3'000'000);
    ASSERT_EQ(Split(SplitOf("film", "avi", bytes, 1400)), EngineResult::done);

    EXPECT_EQ(DstFiles(), (std::vector<std::string>{"film.001", "film.002", "film.003"}));
    const std::string first = ReadWholeFile(Dst("film.001"));
    const std::string second = ReadWholeFile(Dst("film.002"));
    const std::string third = ReadWholeFile(Dst("film.003"));
    EXPECT_EQ(first.size(), 1'433'608u);
    EXPECT_EQ(second.size(), 1'433'600u);
    EXPECT_EQ(third.size(), 132'800u);
    EXPECT_EQ(first.substr(0, 8), std::string("\x61\x76\x69\x20\x20\x30\x30\x33"));
    EXPECT_TRUE(first.substr(8) + second + third == bytes);
    EXPECT_EQ(log,
              (Log{"pos 0", "step 33", "stepit", "repaint", "caption 33", "stepit", "caption 66",
                   "repaint", "stepit", "caption 99", "repaint", "pos 100", "finished"}));

    ASSERT_FALSE(observer.copies.empty());
    EXPECT_EQ(observer.copies.back().bytesDone, 3'000'000u);
    EXPECT_EQ(observer.copies.back().piece, 3);
    EXPECT_EQ(observer.copies.back().pieceBytesDone, 132'800u);
}

TEST_F(EngineTest, SplitReportsCopiedBytesAtLeastEvery16MiB) {
    const std::string bytes = PatternBytes(41'000'000, 7);
    ASSERT_EQ(Split(SplitOf("big", "bin", bytes, 40'000)), EngineResult::done);
    std::uint64_t previous = 0;
    for (const auto& report : observer.copies) {
        EXPECT_GT(report.bytesDone, previous);
        EXPECT_LE(report.bytesDone - previous, pieces::kCopyReportBytes);
        previous = report.bytesDone;
    }
    EXPECT_EQ(previous, bytes.size());
    EXPECT_GE(observer.copies.size(), 4u);
}

TEST_F(EngineTest, SplitRefusesBeforeWritingAnything) {
    const std::string film = "film.avi";
    const struct {
        std::string name;
        std::size_t size;
        std::int64_t partitionKb;
        std::int64_t selectedDelta;  // selected length minus the file's length
        Log expected;
    } cases[] = {
        {"a byte short of the partition", 1'433'599, 1400, 0, {"pos 0", "step 100", "refuse 111"}},
        {"empty file", 0, 1400, 0, {"pos 0", "step 100", "refuse 111"}},
        {"partition 0", 5000, 0, 0, {"pos 0", "step 0", "refuse 117"}},
        {"partition 0, empty file", 0, 0, 0, {"pos 0", "step 0", "refuse 117"}},
        {"1001 pieces", 1000 * 1024, 1, 0, {"refuse 148"}},
        {"file grew since chosen",
         5000,
         1,
         -1,
         {"pos 0", "step 20", "refuse 210 " + Canonical(Src(film))}},
        {"file shrank since chosen",
         5000,
         1,
         +1,
         {"pos 0", "step 20", "refuse 210 " + Canonical(Src(film))}},
    };
    for (const auto& c : cases) {
        log.clear();
        pieces::SplitOptions options = SplitOf("film", "avi", PatternBytes(c.size), c.partitionKb);
        options.selectedLength = c.size + static_cast<std::uint64_t>(c.selectedDelta);
        if (c.partitionKb > 0) {
            options.pieceCount = static_cast<std::int64_t>(
                options.selectedLength / (static_cast<std::uint64_t>(c.partitionKb) * 1024) + 1);
        }
        EXPECT_EQ(Split(options), EngineResult::refused) << c.name;
        EXPECT_EQ(log, c.expected) << c.name;
        EXPECT_TRUE(DstFiles().empty()) << c.name;
        EXPECT_TRUE(IsReleased(Src(film))) << c.name;
    }
}

TEST_F(EngineTest, SplitOf999PiecesKeepsTheBarStillUntilTheEnd) {
    const std::string bytes = PatternBytes(998 * 1024 + 7);
    ASSERT_EQ(Split(SplitOf("many", "dat", bytes, 1)), EngineResult::done);
    EXPECT_EQ(DstFiles().size(), 999u);
    EXPECT_EQ(ReadWholeFile(Dst("many.001")).substr(0, 8), Tag("dat", 999));
    EXPECT_EQ(ReadWholeFile(Dst("many.999")), bytes.substr(998 * 1024));
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log[1], "step 0");
    EXPECT_EQ(log[4], "caption 0");
    EXPECT_EQ(std::count(log.begin(), log.end(), "stepit"), 999);
    EXPECT_EQ(log[log.size() - 2], "pos 100");
}

TEST_F(EngineTest, SplitLeavesTheRestOfAnEarlierLongerSetAlone) {
    for (int k = 1; k <= 5; ++k) {
        WriteWholeFile(Dst("film.00" + std::to_string(k)), "old " + std::to_string(k));
    }
    const std::string bytes = PatternBytes(2500);
    ASSERT_EQ(Split(SplitOf("film", "avi", bytes, 1), {true}), EngineResult::done);
    EXPECT_EQ(ReadWholeFile(Dst("film.003")), bytes.substr(2048));
    EXPECT_EQ(ReadWholeFile(Dst("film.004")), "old 4");
    EXPECT_EQ(ReadWholeFile(Dst("film.005")), "old 5");
}

TEST_F(EngineTest, SplitNeverWritesOverItsSource) {
    const struct {
        std::string name;
        std::string sourceName;  // in src/
        bool intoSourceFolder;
        std::string link;  // in dst/, a hard or symbolic link to the source; "" for none
        bool symbolic;
        std::deque<bool> answers;
        std::string piece;  // the piece named in the refusal
    } cases[] = {
        {"piece 2 is the source by name", "film.002", true, "", false, {}, "film.002"},
        {"hard link in the destination", "film.avi", false, "film.003", false, {}, "film.003"},
        {"copy name is a symbolic link",
         "film.avi",
         false,
         "film_Copie.002",
         true,
         {false, true},
         "film_Copie.002"},
    };
    for (const auto& c : cases) {
#ifdef _WIN32
        if (c.symbolic) {
            continue;  // symbolic links need a privilege on Windows (and wine has none)
        }
#endif
        std::filesystem::remove_all(SrcFolder());
        std::filesystem::remove_all(DstFolder());
        std::filesystem::create_directory(SrcFolder());
        std::filesystem::create_directory(DstFolder());
        log.clear();
        const std::string bytes = PatternBytes(2500);
        const std::string extension = c.sourceName.substr(c.sourceName.find('.') + 1);
        pieces::SplitOptions options = SplitOf("film", extension, bytes, 1);
        if (c.intoSourceFolder) {
            options.destFolder = SrcFolder();
        }
        if (!c.answers.empty()) {
            WriteWholeFile(Dst("film.001"), "taken");
        }
        if (!c.link.empty()) {
            if (c.symbolic) {
                std::filesystem::create_symlink(options.sourcePath, Dst(c.link));
            } else {
                std::filesystem::create_hard_link(options.sourcePath, Dst(c.link));
            }
        }
        EXPECT_EQ(Split(options, c.answers), EngineResult::refused) << c.name;
        EXPECT_EQ(log.back(), "refuse 211 " + options.destFolder + c.piece) << c.name;
        EXPECT_EQ(ReadWholeFile(options.sourcePath), bytes) << c.name;
        EXPECT_FALSE(std::filesystem::exists(options.destFolder + "film_Copie.001")) << c.name;
        if (c.answers.empty()) {
            EXPECT_FALSE(std::filesystem::exists(options.destFolder + "film.001")) << c.name;
        }
    }
}

// The hook fails the second piece's write after 1000 bytes, as a full disk does.
TEST_F(EngineTest, SplitStopsAtAFailedWriteAndKeepsWhatWasWritten) {
    const std::string bytes = PatternBytes(2500 * 1024, 3);
    const pieces::SplitOptions options = SplitOf("film", "avi", bytes, 1000);
    const std::string second = Canonical(Dst("film.002"));
    CFile::SetFaultHook(
        [&](CFile::Op op, const std::string& path, std::uint64_t position, std::size_t& limit) {
            if (op != CFile::Op::write || path != second) {
                return 0;
            }
            if (position == 0) {
                limit = 1000;
                return 0;
            }
            return ENOSPC;
        });
    std::optional<CFileException> error;
    try {
        Split(options);
    } catch (const CFileException& e) {
        error = e;
    }
    CFile::SetFaultHook(nullptr);

    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->m_cause, CFileException::diskFull);
    EXPECT_EQ(error->m_strFileName, second);
    EXPECT_EQ(ReadWholeFile(Dst("film.001")), Tag("avi", 3) + bytes.substr(0, 1000 * 1024));
    EXPECT_EQ(ReadWholeFile(Dst("film.002")), bytes.substr(1000 * 1024, 1000));
    EXPECT_FALSE(std::filesystem::exists(Dst("film.003")));
    EXPECT_EQ(log.back(), "stepit");
    EXPECT_TRUE(IsReleased(options.sourcePath));
    EXPECT_TRUE(IsReleased(second));
}

// The source loses its end while the second piece is being read: the piece gets the bytes
// that are there and the failure names the source.
TEST_F(EngineTest, SplitOfASourceThatShrinksFailsOnTheSource) {
#ifdef _WIN32
    GTEST_SKIP() << "on Windows no other program can shrink a file the split holds unshared";
#endif
    const std::string bytes = PatternBytes(2500 * 1024, 4);
    const pieces::SplitOptions options = SplitOf("film", "avi", bytes, 1000);
    const std::string source = Canonical(options.sourcePath);
    CFile::SetFaultHook(
        [&](CFile::Op op, const std::string& path, std::uint64_t position, std::size_t&) {
            if (op == CFile::Op::read && path == source && position == 1000 * 1024) {
                std::filesystem::resize_file(source, 1000 * 1024 + 300);
            }
            return 0;
        });
    std::optional<CFileException> error;
    try {
        Split(options);
    } catch (const CFileException& e) {
        error = e;
    }
    CFile::SetFaultHook(nullptr);

    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->m_cause, CFileException::endOfFile);
    EXPECT_EQ(error->m_strFileName, source);
    EXPECT_EQ(ReadWholeFile(Dst("film.002")), bytes.substr(1000 * 1024, 300));
    EXPECT_FALSE(std::filesystem::exists(Dst("film.003")));
}

}  // namespace
}  // namespace scx::test
