#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "File.h"
#include "FileExistence.h"
#include "HJSplitPieces.h"
#include "OutputQuestion.h"
#include "PieceNames.h"
#include "Progress.h"
#include "ResourceIds.h"
#include "TestFiles.h"

namespace scx::pieces {
namespace {

TEST(PieceNamesTest, Suffixes) {
    const struct {
        std::uint64_t number;
        std::string suffix;
    } cases[] = {
        {1, ".001"},   {9, ".009"},   {10, ".010"},    {99, ".099"},
        {100, ".100"}, {999, ".999"}, {1000, ".1000"}, {12345, ".12345"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PieceSuffix(c.number), c.suffix) << c.number;
    }
    EXPECT_EQ(PiecePath("/d/", "film.avi", 1000), "/d/film.avi.1000");
}

TEST(FileExistenceTest, OnlyAMissingFileIsMissing) {
    test::TempFolder tmp;
    test::WriteWholeFile(tmp.Path("present"), "x");
    test::WriteWholeFile(tmp.Path("held"), "x");
    std::filesystem::create_directory(tmp.Path("folder"));
    test::HeldFile held(tmp.Path("held"));
    const struct {
        std::string path;
        FileProbe probe;
    } cases[] = {
        {tmp.Path("missing"), FileProbe::missing},
        {tmp.Path("present"), FileProbe::openable},
        {tmp.Path("held"), FileProbe::unopenable},
        {tmp.Path("no-folder/film.001"), FileProbe::unopenable},
        {tmp.Path("present/film.001"), FileProbe::unopenable},
        {tmp.Path("folder"), FileProbe::unopenable},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProbeFile(c.path), c.probe) << c.path;
        EXPECT_EQ(FileExists(c.path), c.probe != FileProbe::missing) << c.path;
    }
    // Probing left nothing open: the file can be taken exclusively at once.
    CFile again(tmp.Path("present"), CFile::modeRead);
}

// A held piece exists: the count goes on past it, so that the join reports it rather
// than joining fewer pieces.
TEST(HJSplitPiecesTest, CountStopsAtTheFirstGap) {
    const struct {
        std::string name;
        std::vector<int> present;
        int held;  // 0: none
        std::uint64_t count;
    } cases[] = {
        {"four then a gap", {1, 2, 3, 4, 6}, 0, 4}, {"gap at three", {1, 2, 4}, 0, 2},
        {"no first piece", {2, 3}, 0, 0},           {"held third piece", {1, 2, 3, 4, 5}, 3, 5},
        {"held first piece", {1, 2}, 1, 2},         {"held last piece", {1, 2, 3}, 3, 3},
    };
    for (const auto& c : cases) {
        test::TempFolder tmp;
        for (const int k : c.present) {
            test::WriteWholeFile(PiecePath(tmp.Folder(), "x.avi", static_cast<unsigned>(k)), "d");
        }
        std::optional<test::HeldFile> held;
        if (c.held != 0) {
            held.emplace(PiecePath(tmp.Folder(), "x.avi", static_cast<unsigned>(c.held)));
        }
        EXPECT_EQ(CountHJSplitPieces(tmp.Folder(), "x.avi"), c.count) << c.name;
    }
    // A folder that cannot be reached: every name "exists", yet the count ends.
    EXPECT_EQ(CountHJSplitPieces("/nonexistent-scx-folder/", "x.avi"), 1u);
}

TEST(HJSplitPiecesTest, CountGoesPast999) {
    test::TempFolder tmp;
    for (unsigned k = 1; k <= 1000; ++k) {
        test::WriteWholeFile(PiecePath(tmp.Folder(), "big.bin", k), "");
    }
    EXPECT_EQ(CountHJSplitPieces(tmp.Folder(), "big.bin"), 1000u);
    EXPECT_TRUE(std::filesystem::exists(tmp.Path("big.bin.1000")));
}

TEST(HJSplitPiecesTest, ExtensionAfterTheFirstDot) {
    const struct {
        std::string title;
        std::optional<std::string> extension;
    } cases[] = {
        {"film.avi", "avi"}, {"mon.film.avi", "film.avi"}, {"film", std::nullopt},
        {"film.", ""},       {".profile", "profile"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HJSplitExtension(c.title), c.extension) << c.title;
    }
}

// Answers from a queue and records what was asked.
class ScriptedPrompt : public CUserPrompt {
  public:
    explicit ScriptedPrompt(std::deque<bool> answers) : m_answers(std::move(answers)) {}
    bool AskYesNo(unsigned stringId, const std::string& detail) override {
        m_asked.push_back(stringId);
        m_details.push_back(detail);
        if (m_answers.empty()) {
            ADD_FAILURE() << "unexpected question " << stringId;
            return false;
        }
        const bool answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    std::deque<bool> m_answers;
    std::vector<unsigned> m_asked;
    std::vector<std::string> m_details;
};

TEST(OutputQuestionTest, ThreeRowsEveryAnswer) {
    // The name each row goes on to write first, as the user answers.
    const struct {
        std::string keep;
        std::string copy;
        std::string (*name)(bool copyName);
    } rows[] = {
        {"/d/film.001", "/d/film_Copie.001",
         [](bool copy) { return SplitPiecePath("/d/", "film", 1, copy); }},
        {"/d/film.avi", "/d/film_Copie.avi",
         [](bool copy) { return OwnJoinOutputPath("/d/", "film", "avi", copy); }},
        {"/d/film.avi", "/d/Copie_de_film.avi",
         [](bool copy) { return HJSplitJoinOutputPath("/d/", "film.avi", copy); }},
    };
    const struct {
        bool taken;
        std::deque<bool> answers;
        OutputNameChoice choice;
    } flows[] = {
        {false, {}, OutputNameChoice::keepName},
        {true, {true}, OutputNameChoice::keepName},
        {true, {false, true}, OutputNameChoice::useCopyName},
        {true, {false, false}, OutputNameChoice::cancel},
    };
    const std::vector<unsigned> questions = {res::IDS_OVERWRITE, res::IDS_ADD_COPY};
    for (const auto& row : rows) {
        for (const auto& flow : flows) {
            ScriptedPrompt prompt(flow.answers);
            const OutputNameChoice choice = ChooseOutputName(flow.taken, prompt);
            ASSERT_EQ(choice, flow.choice) << row.keep;
            EXPECT_EQ(
                prompt.m_asked,
                std::vector<unsigned>(questions.begin(),
                                      questions.begin() + static_cast<long>(flow.answers.size())));
            if (choice != OutputNameChoice::cancel) {
                EXPECT_EQ(row.name(choice == OutputNameChoice::useCopyName),
                          choice == OutputNameChoice::keepName ? row.keep : row.copy);
            }
        }
    }
}

TEST(OutputQuestionTest, DetailGoesWithTheOverwriteQuestionOnly) {
    ScriptedPrompt prompt({false, true});
    EXPECT_EQ(ChooseOutputName(true, prompt, "\n\"notes.txt\""), OutputNameChoice::useCopyName);
    EXPECT_EQ(prompt.m_details, (std::vector<std::string>{"\n\"notes.txt\"", ""}));
}

TEST(PieceNamesTest, CopyNamesOfEveryPieceAndWithoutExtension) {
    EXPECT_EQ(SplitPiecePath("/d/", "film", 2, true), "/d/film_Copie.002");
    EXPECT_EQ(SplitPiecePath("/d/", "film", 999, false), "/d/film.999");
    EXPECT_EQ(OwnJoinOutputPath("/d/", "LISEZMOI", "", false), "/d/LISEZMOI");
    EXPECT_EQ(OwnJoinOutputPath("/d/", "LISEZMOI", "", true), "/d/LISEZMOI_Copie");
}

TEST(ProgressTest, BarSteps) {
    const struct {
        std::int64_t count;
        int step;
    } cases[] = {
        {0, 0},   {1, 100}, {2, 50},  {3, 33},  {6, 16},
        {10, 10}, {100, 1}, {101, 0}, {999, 0}, {-1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProgressStep(c.count), c.step) << c.count;
    }
}

TEST(ProgressTest, CaptionSequences) {
    const struct {
        std::int64_t count;
        std::vector<int> percents;  // for pieces 1, 2, ...; only the first ones when shorter
    } cases[] = {
        {1, {100}},
        {2, {50, 100}},
        {3, {33, 66, 99}},
        {6, {16, 33, 49, 66, 83, 99}},
        {10, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
        {101, {0, 1, 2, 3, 4}},
    };
    for (const auto& c : cases) {
        for (std::size_t k = 1; k <= c.percents.size(); ++k) {
            EXPECT_EQ(CaptionPercent(c.count, static_cast<std::int64_t>(k)), c.percents[k - 1])
                << c.count << " piece " << k;
        }
    }
    for (int k = 1; k <= 100; ++k) {
        EXPECT_EQ(CaptionPercent(100, k), k);
    }
    EXPECT_EQ(CaptionPercent(101, 100), 99);
    EXPECT_EQ(CaptionPercent(101, 101), 100);
    EXPECT_EQ(CaptionPercent(0, 1), 0);
    EXPECT_EQ(ProgressCaption(33), "Scindarex (33%)");
}

}  // namespace
}  // namespace scx::pieces
