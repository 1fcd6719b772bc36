// The parts of the command line: answers, the progress bar, file error texts.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <optional>
#include <sstream>
#include <string>

#include "File.h"
#include "FileErrorText.h"
#include "ResourceIds.h"
#include "TerminalProgress.h"
#include "TerminalPrompt.h"

namespace scx::cli {
namespace {

TEST(TerminalPromptTest, Answers) {
    const struct {
        const char* text;
        std::optional<bool> answer;
    } cases[] = {
        {"o", true},        {"OUI", true},       {" Oui \r", true},
        {"n", false},       {"Non", false},      {"N", false},
        {"", std::nullopt}, {"y", std::nullopt}, {"ouais", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseYesNo(c.text), c.answer) << '"' << c.text << '"';
    }
}

TEST(TerminalProgressTest, Texts) {
    EXPECT_EQ(FormatBytes(1023), "1023 o");
    EXPECT_EQ(FormatBytes(1536), "1,5 ko");
    EXPECT_EQ(FormatBytes(1048550), "1,0 Mo");  // 1023,97 ko rounds into the next unit
    EXPECT_EQ(FormatDuration(59.2), "1:00");
    EXPECT_EQ(FormatDuration(3725), "1:02:05");

    const std::uint64_t gib = std::uint64_t{1} << 30;
    EXPECT_EQ(CTerminalProgress::FormatLine(gib / 4, gib, std::chrono::seconds(2)),
              "[#####...............]   25 %  256,0 Mo / 1,0 Go  128,0 Mo/s  reste 0:06");
    EXPECT_EQ(CTerminalProgress::FormatLine(0, gib, std::chrono::seconds(0)),
              "[....................]    0 %  0 o / 1,0 Go  -- o/s  reste --:--");
}

TEST(TerminalProgressTest, AtMostTenRedrawsASecond) {
    auto now = std::chrono::steady_clock::time_point{};
    const auto clock = [&now] { return now; };
    std::ostringstream out;
    CTerminalProgress progress(out, 1000, clock);
    for (int i = 1; i <= 714; ++i) {  // five seconds of reports every 7 ms
        now += std::chrono::milliseconds(7);
        progress.Update(static_cast<std::uint64_t>(i));
    }
    EXPECT_LE(progress.Redraws(), 50);
    EXPECT_GE(progress.Redraws(), 45);
    progress.Finish();
    EXPECT_EQ(out.str().back(), '\n');

    // An operation over within the first tenth of a second draws nothing.
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
        {CFileException::notRegularFile, res::IDS_FILE_NOT_REGULAR},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileErrorStringId(c.cause), c.id);
    }
    EXPECT_EQ(DescribeFileError(CFileException(CFileException::fileNotFound, "/d/f.avi")),
              "Le fichier est introuvable :\n/d/f.avi");
}

}  // namespace
}  // namespace scx::cli
