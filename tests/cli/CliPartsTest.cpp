// The pieces of the command line: argument forms, answers, the progress bar, file errors.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "CliArguments.h"
#include "File.h"
#include "FileErrorText.h"
#include "ResourceIds.h"
#include "TerminalProgress.h"
#include "TerminalPrompt.h"

namespace scx::cli {
namespace {

TEST(CliArgumentsTest, Forms) {
    const struct {
        std::vector<std::string> args;
        std::string file;
        std::int64_t kb;
        std::string dest;
        std::optional<IfExists> ifExists;
    } cases[] = {
        {{"split", "f.avi"}, "f.avi", kDefaultPartitionKb, "", std::nullopt},
        {{"split", "--size", "700", "f.avi"}, "f.avi", 700, "", std::nullopt},
        {{"split", "f.avi", "--size=0700", "--size", "15000"}, "f.avi", 15000, "", std::nullopt},
        {{"split", "--dest", "-d", "--", "-f.avi"},
         "-f.avi",
         kDefaultPartitionKb,
         "-d",
         std::nullopt},
        {{"split", "f", "--size", "99999999999999999999999"}, "f", INT64_MAX, "", std::nullopt},
        {{"join", "f.001", "--if-exists=copy", "--dest=o"},
         "f.001",
         kDefaultPartitionKb,
         "o",
         IfExists::copy},
        {{"join", "f.001", "--if-exists", "ask"}, "f.001", kDefaultPartitionKb, "", IfExists::ask},
        {{"info", "-"}, "-", kDefaultPartitionKb, "", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const ParsedArguments parsed = ParseArguments(c.args);
        ASSERT_TRUE(parsed.arguments) << parsed.error;
        EXPECT_EQ(parsed.arguments->file, c.file);
        EXPECT_EQ(parsed.arguments->partitionKb, c.kb);
        EXPECT_EQ(parsed.arguments->destFolder, c.dest);
        EXPECT_EQ(parsed.arguments->ifExists, c.ifExists);
    }
}

TEST(CliArgumentsTest, UsageLineNamesTheSubcommand) {
    EXPECT_EQ(
        ParseArguments({"info", "f", "--quiet"}).error,
        "scindarex-cli : l'option --quiet ne s'applique pas à info\n" + UsageLine(Command::info));
    EXPECT_EQ(ParseArguments({"split"}).error,
              "scindarex-cli : fichier manquant\n" + UsageLine(Command::split));
}

TEST(TerminalPromptTest, Answers) {
    const struct {
        const char* text;
        std::optional<bool> answer;
    } cases[] = {
        {"o", true},
        {"O", true},
        {"oui", true},
        {" Oui \r", true},
        {"OUI", true},
        {"n", false},
        {"N", false},
        {"non", false},
        {"Non", false},
        {"", std::nullopt},
        {"y", std::nullopt},
        {"yes", std::nullopt},
        {"ouais", std::nullopt},
        {"o n", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseYesNo(c.text), c.answer) << '"' << c.text << '"';
    }
}

TEST(TerminalPromptTest, ModesAnswerTheTwoQuestions) {
    const struct {
        IfExists mode;
        bool overwrite;  // the answer to 107
        bool copy;       // the answer to 108
    } cases[] = {
        {IfExists::overwrite, true, false},
        {IfExists::copy, false, true},
        {IfExists::fail, false, false},
    };
    for (const auto& c : cases) {
        std::istringstream in("o\no\n");
        std::ostringstream out;
        CTerminalPrompt prompt(c.mode, in, out);
        EXPECT_FALSE(prompt.WasAsked());
        EXPECT_EQ(prompt.AskYesNo(res::IDS_OVERWRITE, {}), c.overwrite);
        EXPECT_EQ(prompt.AskYesNo(res::IDS_ADD_COPY, {}), c.copy);
        EXPECT_TRUE(prompt.WasAsked());
        EXPECT_EQ(out.str(), "");  // nothing asked of the user
    }
}

TEST(TerminalProgressTest, Texts) {
    EXPECT_EQ(FormatBytes(0), "0 o");
    EXPECT_EQ(FormatBytes(1023), "1023 o");
    EXPECT_EQ(FormatBytes(1536), "1,5 ko");
    EXPECT_EQ(FormatBytes(1048550), "1,0 Mo");  // 1023,97 ko rounds into the next unit
    EXPECT_EQ(FormatBytes(1073741824.0 * 3), "3,0 Go");
    EXPECT_EQ(FormatDuration(0), "0:00");
    EXPECT_EQ(FormatDuration(59.2), "1:00");
    EXPECT_EQ(FormatDuration(3725), "1:02:05");
    EXPECT_EQ(FormatDuration(NAN), "--:--");

    const std::uint64_t gib = std::uint64_t{1} << 30;
    EXPECT_EQ(CTerminalProgress::FormatLine(gib / 4, gib, std::chrono::seconds(2)),
              "[#####...............]   25 %  256,0 Mo / 1,0 Go  128,0 Mo/s  reste 0:06");
    EXPECT_EQ(CTerminalProgress::FormatLine(0, gib, std::chrono::seconds(0)),
              "[....................]    0 %  0 o / 1,0 Go  -- o/s  reste --:--");
    EXPECT_EQ(CTerminalProgress::FormatLine(0, 0, std::chrono::seconds(1)),
              "[####################]  100 %  0 o / 0 o  -- o/s  reste 0:00");
}

TEST(TerminalProgressTest, AtMostTenRedrawsASecond) {
    auto now = std::chrono::steady_clock::time_point{};
    const auto clock = [&now] { return now; };
    std::ostringstream out;
    CTerminalProgress progress(out, 1000, clock);
    // Five seconds of reports every 7 ms.
    for (int i = 1; i <= 714; ++i) {
        now += std::chrono::milliseconds(7);
        progress.Update(static_cast<std::uint64_t>(i));
    }
    EXPECT_LE(progress.Redraws(), 50);
    EXPECT_GE(progress.Redraws(), 45);
    progress.Finish();
    EXPECT_EQ(out.str().back(), '\n');

    // An operation over before the first tenth of a second draws nothing.
    std::ostringstream quick;
    CTerminalProgress brief(quick, 1000, clock);
    brief.Update(1000);
    brief.Finish();
    EXPECT_EQ(quick.str(), "");
}

TEST(FileErrorTextTest, EachCauseHasItsText) {
    const struct {
        CFileException::Cause cause;
        unsigned id;
    } cases[] = {
        {CFileException::none, res::IDS_FILE_ERROR_GENERIC},
        {CFileException::genericException, res::IDS_FILE_ERROR_GENERIC},
        {CFileException::fileNotFound, res::IDS_FILE_NOT_FOUND},
        {CFileException::badPath, res::IDS_FILE_BAD_PATH},
        {CFileException::accessDenied, res::IDS_FILE_ACCESS_DENIED},
        {CFileException::sharingViolation, res::IDS_FILE_SHARING_VIOLATION},
        {CFileException::diskFull, res::IDS_FILE_DISK_FULL},
        {CFileException::endOfFile, res::IDS_FILE_END_OF_FILE},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileErrorStringId(c.cause), c.id);
    }
    EXPECT_EQ(DescribeFileError(CFileException(CFileException::fileNotFound, "/d/f.avi")),
              "Le fichier est introuvable :\n/d/f.avi");
    EXPECT_EQ(ReplacePathSlot("sans chemin", "/x"), "sans chemin");
}

}  // namespace
}  // namespace scx::cli
