#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "PieceNames.h"
#include "ResourceIds.h"

namespace scx::test {
namespace {

using pieces::EngineResult;

std::string Tag(const std::string& extension, int count) {
    const pieces::MetaTag tag = pieces::BuildMetaTag(extension, count);
    return std::string(tag.begin(), tag.end());
}

// Writes an own-format set src/<title>.001 ... from the data of each piece.
void WriteOwnSet(const std::string& folder, const std::string& title, const std::string& extension,
                 const std::vector<std::string>& data) {
    for (std::size_t k = 1; k <= data.size(); ++k) {
        const std::string tag = k == 1 ? Tag(extension, static_cast<int>(data.size())) : "";
        WriteWholeFile(pieces::PiecePath(folder, title, k), tag + data[k - 1]);
    }
}

void WriteHJSplitSet(const std::string& folder, const std::string& name,
                     const std::vector<std::string>& data) {
    for (std::size_t k = 1; k <= data.size(); ++k) {
        WriteWholeFile(pieces::PiecePath(folder, name, k), data[k - 1]);
    }
}

TEST_F(EngineTest, JoinsFilmInOwnModeInTheWindowsOrder) {
    const std::string bytes = PatternBytes(3'000'000);
    WriteOwnSet(
        SrcFolder(), "film", "avi",
        {bytes.substr(0, 1'433'600), bytes.substr(1'433'600, 1'433'600), bytes.substr(2'867'200)});
    ASSERT_EQ(Join(JoinOf(Src("film.001"), DstFolder(), false)), EngineResult::done);

    EXPECT_EQ(DstFiles(), std::vector<std::string>{"film.avi"});
    EXPECT_TRUE(ReadWholeFile(Dst("film.avi")) == bytes);
    EXPECT_EQ(log,
              (Log{"pos 0", "step 33", "repaint", "caption 33", "stepit", "caption 66", "repaint",
                   "stepit", "caption 99", "repaint", "stepit", "finished", "pos 100"}));
    EXPECT_EQ(observer.copies.back().bytesDone, 3'000'000u);
    for (const char* piece : {"film.001", "film.002", "film.003"}) {
        EXPECT_TRUE(IsReleased(Src(piece))) << piece;
    }
    EXPECT_TRUE(IsReleased(Dst("film.avi")));
}

TEST_F(EngineTest, JoinsHJSplitSetUpToTheFirstGapInTheWindowsOrder) {
    WriteHJSplitSet(SrcFolder(), "film.avi", {"aaaa", "bbbb", "cccc", "dd"});
    WriteWholeFile(Src("film.avi.006"), "ignored");
    ASSERT_EQ(Join(JoinOf(Src("film.avi.001"), DstFolder(), true)), EngineResult::done);

    EXPECT_EQ(ReadWholeFile(Dst("film.avi")), "aaaabbbbccccdd");
    EXPECT_EQ(log, (Log{"pos 0", "step 25", "caption 25", "repaint", "stepit", "stepit",
                        "caption 50", "repaint", "stepit", "caption 75", "repaint", "stepit",
                        "caption 100", "repaint", "pos 100"}));
    for (int k = 1; k <= 4; ++k) {
        EXPECT_TRUE(IsReleased(pieces::PiecePath(SrcFolder(), "film.avi", k))) << k;
    }
}

TEST_F(EngineTest, JoinsA1000PieceHJSplitSet) {
    std::vector<std::string> data;
    std::string whole;
    for (int k = 1; k <= 1000; ++k) {
        data.push_back(std::to_string(k) + ";");
        whole += data.back();
    }
    WriteHJSplitSet(SrcFolder(), "long.txt", data);
    ASSERT_EQ(Join(JoinOf(Src("long.txt.001"), DstFolder(), true)), EngineResult::done);
    EXPECT_EQ(ReadWholeFile(Dst("long.txt")), whole);
    EXPECT_EQ(log[1], "step 0");
    EXPECT_EQ(std::count(log.begin(), log.end(), "stepit"), 1000);
    EXPECT_EQ(log.back(), "pos 100");
    EXPECT_TRUE(IsReleased(Src("long.txt.1000")));
}

TEST_F(EngineTest, JoinCopiesEmptyAndLongerLaterPiecesWhole) {
    WriteOwnSet(SrcFolder(), "own", "bin", {"ab", PatternBytes(5000), ""});
    WriteHJSplitSet(SrcFolder(), "hj.bin", {"ab", PatternBytes(5000), ""});
    ASSERT_EQ(Join(JoinOf(Src("own.001"), DstFolder(), false)), EngineResult::done);
    ASSERT_EQ(Join(JoinOf(Src("hj.bin.001"), DstFolder(), true)), EngineResult::done);
    EXPECT_EQ(ReadWholeFile(Dst("own.bin")), "ab" + PatternBytes(5000));
    EXPECT_EQ(ReadWholeFile(Dst("hj.bin")), "ab" + PatternBytes(5000));
}

TEST_F(EngineTest, JoinRefusesBeforeWritingAnything) {
    const struct {
        std::string name;
        std::string firstPiece;  // written as src/film.001
        bool hjsplit;
        std::string pieceName;  // the first piece's name in src/
        Log expected;
    } cases[] = {
        {"count 000", "avi  000data", false, "film.001", {"pos 0", "refuse 112"}},
        {"count of blanks", "avi     data", false, "film.001", {"pos 0", "refuse 112"}},
        {"negative count", "avi  -12data", false, "film.001", {"pos 0", "refuse 112"}},
        {"shorter than the tag", "avi  3", false, "film.001", {"pos 0", "step 33", "refuse 112"}},
        {"separator in the extension",
         "a/b  001data",
         false,
         "film.001",
         {"pos 0", "step 100", "refuse 112"}},
        {"HJSplit base name without dot",
         "data",
         true,
         "film.001",
         {"pos 0", "step 100", "refuse 104"}},
    };
    for (const auto& c : cases) {
        log.clear();
        WriteWholeFile(Src(c.pieceName), c.firstPiece);
        EXPECT_EQ(Join(JoinOf(Src(c.pieceName), DstFolder(), c.hjsplit)), EngineResult::refused)
            << c.name;
        EXPECT_EQ(log, c.expected) << c.name;
        EXPECT_TRUE(DstFiles().empty()) << c.name;
        EXPECT_TRUE(IsReleased(Src(c.pieceName))) << c.name;
    }
}

TEST_F(EngineTest, OwnJoinKeepsThePartBeforeAMissingPiece) {
    WriteOwnSet(SrcFolder(), "film", "avi", {"first", "second", "third"});
    std::filesystem::remove(Src("film.002"));
    std::optional<CFileException> error;
    try {
        Join(JoinOf(Src("film.001"), DstFolder(), false));
    } catch (const CFileException& e) {
        error = e;
    }
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->m_cause, CFileException::fileNotFound);
    EXPECT_EQ(std::filesystem::path(error->m_strFileName).filename(), "film.002");
    EXPECT_EQ(ReadWholeFile(Dst("film.avi")), "first");
    EXPECT_EQ(log.back(), "repaint");
    EXPECT_EQ(log[log.size() - 2], "caption 66");
    EXPECT_TRUE(IsReleased(Dst("film.avi")));
    EXPECT_TRUE(IsReleased(Src("film.001")));
}

TEST_F(EngineTest, HJSplitJoinOfAVanishedFirstPieceCreatesNothing) {
    WriteHJSplitSet(SrcFolder(), "film.avi", {"a", "b"});
    const pieces::JoinOptions options = JoinOf(Src("film.avi.001"), DstFolder(), true);
    std::filesystem::remove(Src("film.avi.001"));
    EXPECT_THROW(Join(options), CFileException);
    EXPECT_TRUE(DstFiles().empty());
}

TEST_F(EngineTest, JoinNeverWritesOverOneOfItsPieces) {
    const struct {
        std::string name;
        bool hjsplit;
        std::string extension;  // own mode: the extension in the tag
        bool intoSourceFolder;
        std::string link;    // in dst/, a hard link to `target`
        std::string target;  // a piece in src/
        bool joinedNameTaken;
        std::deque<bool> answers;  // to the overwrite questions, asked first
        std::string output;        // the name refused
    } cases[] = {
        {"tag extension 001", false, "001", true, "", "", false, {true}, "film.001"},
        // Not there yet, but its turn would come after the joined file took its name.
        {"tag extension of a missing piece", false, "002", true, "", "", false, {}, "film.002"},
        {"hard link to piece 2",
         false,
         "avi",
         false,
         "film.avi",
         "film.002",
         false,
         {true},
         "film.avi"},
        {"copy name linked to piece 3",
         false,
         "avi",
         false,
         "film_Copie.avi",
         "film.003",
         true,
         {false, true},
         "film_Copie.avi"},
        {"HJSplit output linked to piece 1",
         true,
         "",
         false,
         "film.avi",
         "film.avi.001",
         false,
         {true},
         "film.avi"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(SrcFolder());
        std::filesystem::remove_all(DstFolder());
        std::filesystem::create_directory(SrcFolder());
        std::filesystem::create_directory(DstFolder());
        log.clear();
        if (c.hjsplit) {
            WriteHJSplitSet(SrcFolder(), "film.avi", {"one", "two"});
        } else {
            WriteOwnSet(SrcFolder(), "film", c.extension, {"one", "two", "six"});
        }
        if (c.extension == "002") {
            std::filesystem::remove(Src("film.002"));
        }
        if (c.joinedNameTaken) {
            WriteWholeFile(Dst("film.avi"), "taken");
        }
        if (!c.link.empty()) {
            std::filesystem::create_hard_link(Src(c.target), Dst(c.link));
        }
        const std::string firstPiece = c.hjsplit ? Src("film.avi.001") : Src("film.001");
        const std::string before = ReadWholeFile(firstPiece);
        const std::string folder = c.intoSourceFolder ? SrcFolder() : DstFolder();
        EXPECT_EQ(Join(JoinOf(firstPiece, folder, c.hjsplit), c.answers), EngineResult::refused)
            << c.name;
        EXPECT_EQ(log.back(), "refuse 212 " + folder + c.output) << c.name;
        EXPECT_EQ(ReadWholeFile(firstPiece), before) << c.name;
        if (!c.target.empty()) {
            EXPECT_NE(ReadWholeFile(Src(c.target)), "") << c.name;
        }
    }
}

// A tag naming the pieces' own extension: the questions are asked, and the copy name they
// offer is free.
TEST_F(EngineTest, OwnJoinOfATagNamingThePiecesExtensionTakesTheCopyName) {
    WriteOwnSet(SrcFolder(), "b", "001", {"one", "two"});
    EXPECT_EQ(Join(JoinOf(Src("b.001"), SrcFolder(), false), {false, true}), EngineResult::done);
    EXPECT_EQ(ReadWholeFile(Src("b_Copie.001")), "onetwo");
    EXPECT_EQ(ReadWholeFile(Src("b.001")), Tag("001", 2) + "one");

    EXPECT_EQ(Join(JoinOf(Src("b.001"), SrcFolder(), false), {false, false}),
              EngineResult::cancelled);
}

// The question-and-rename rule on each of its three rows. Both the taken name and the copy
// name exist beforehand: the copy name is overwritten without a question.
TEST_F(EngineTest, RenameFlowsOfSplitAndBothJoins) {
    const std::string data = PatternBytes(2500, 9);
    const struct {
        std::string row;
        std::string taken;
        std::string copy;
        std::string expected;  // what the operation writes first
    } rows[] = {
        {"split", "film.001", "film_Copie.001", Tag("avi", 3) + data.substr(0, 1024)},
        {"own join", "film.avi", "film_Copie.avi", data},
        {"HJSplit join", "film.avi", "Copie_de_film.avi", data},
    };
    const struct {
        std::deque<bool> answers;
        EngineResult result;
        bool toCopy;
    } flows[] = {
        {{true}, EngineResult::done, false},
        {{false, true}, EngineResult::done, true},
        {{false, false}, EngineResult::cancelled, false},
    };
    for (const auto& row : rows) {
        for (const auto& flow : flows) {
            std::filesystem::remove_all(SrcFolder());
            std::filesystem::remove_all(DstFolder());
            std::filesystem::create_directory(SrcFolder());
            std::filesystem::create_directory(DstFolder());
            log.clear();
            WriteWholeFile(Dst(row.taken), "taken");
            WriteWholeFile(Dst(row.copy), "stale");
            EngineResult result;
            if (row.row == "split") {
                result = Split(SplitOf("film", "avi", data, 1), flow.answers);
            } else if (row.row == "own join") {
                WriteOwnSet(SrcFolder(), "film", "avi",
                            {data.substr(0, 1024), data.substr(1024, 1024), data.substr(2048)});
                result = Join(JoinOf(Src("film.001"), DstFolder(), false), flow.answers);
            } else {
                WriteHJSplitSet(SrcFolder(), "film.avi",
                                {data.substr(0, 1024), data.substr(1024, 1024), data.substr(2048)});
                result = Join(JoinOf(Src("film.avi.001"), DstFolder(), true), flow.answers);
            }
            const std::string where = row.row + " after " + std::to_string(flow.answers.size());
            EXPECT_EQ(result, flow.result) << where;
            EXPECT_EQ(std::count(log.begin(), log.end(), "ask 107"), 1) << where;
            EXPECT_EQ(ReadWholeFile(Dst(row.taken)),
                      flow.result == EngineResult::done && !flow.toCopy ? row.expected : "taken")
                << where;
            EXPECT_EQ(ReadWholeFile(Dst(row.copy)), flow.toCopy ? row.expected : "stale") << where;
            if (flow.result == EngineResult::cancelled) {
                EXPECT_EQ(log.back(), "ask 108") << where;
                EXPECT_EQ(DstFiles().size(), 2u) << where;
            }
        }
    }
}

}  // namespace
}  // namespace scx::test
