#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "PieceNames.h"
#include "SourcePanel.h"
#include "SplitEngine.h"
#include "TestFiles.h"

namespace scx::app {
namespace {

constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();

TEST(FormatFileSizeTest, Texts) {
    const struct {
        std::uint64_t bytes;
        std::string text;
    } cases[] = {
        {0, "0.   octets"},
        {500, "500.   octets"},
        {1023, "1023.   octets"},
        {1024, "1.   ko"},
        {1028, "1.0039063   ko"},  // an exact half rounds up
        {1500, "1.4648438   ko"},
        {716800, "700.   ko"},
        {1048575, "1023.999   ko"},
        {1048576, "1.   Mo"},
        {1433600, "1.3671875   Mo"},
        {5000000, "4.7683716   Mo"},
        {10485759, "9.999999   Mo"},
        {1048575999, "1000.   Mo"},  // 999.99999905 gains a digit in rounding
        {1073741823, "1024.   Mo"},
        {4294967295, "4096.   Mo"},
        {5 * kGiB, "5120.   Mo"},
        {std::uint64_t{100000000} << 20, "100000000.   Mo"},
        {std::numeric_limits<std::uint64_t>::max(), "17592186044416.   Mo"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatFileSize(c.bytes), c.text) << c.bytes;
    }
}

TEST(PieceCountTest, Counts) {
    const struct {
        std::uint64_t length;
        std::int64_t partitionKb;
        std::uint64_t count;
    } cases[] = {
        {1000000, 1400, 1},
        {1433600, 1400, 2},
        {3000000, 1400, 3},
        {4300800, 1400, 4},
        {0, 1400, 1},
        {3000000, 0, 0},
        {3000000, -1400, 0},
        {5 * kGiB, 1400, 3745},
        {5 * kGiB, 5 * 1024 * 1024, 2},  // a partition as long as the file
        {5 * kGiB, 2097152, 3},          // 2 GiB, beyond 32-bit byte counts
        {5 * kGiB, kInt64Max, 1},
        {std::numeric_limits<std::uint64_t>::max(), 1, (std::uint64_t{1} << 54)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pieces::PieceCount(c.length, c.partitionKb), c.count)
            << c.length << " / " << c.partitionKb;
    }
}

TEST(ParseSizeTextTest, ReadsLikeAtoiWithoutOverflow) {
    const struct {
        std::string text;
        std::int64_t value;
    } cases[] = {
        {"1400", 1400},
        {"  14", 14},
        {"+7", 7},
        {"-3", -3},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"- 5", 0},
        {"9223372036854775807", kInt64Max},
        {"9223372036854775808", kInt64Max},
        {"-9223372036854775808", kInt64Min},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseSizeText(c.text), c.value) << c.text;
    }
}

TEST(CommandLineTest, Parse) {
    using Args = std::vector<std::string>;
    const struct {
        Args arguments;
        std::optional<CommandLineFile> file;
    } cases[] = {
        {{}, std::nullopt},
        {{"l", "/travail/photos.pck"}, CommandLineFile{"/travail/photos.pck", "pck"}},
        {{"l", "/travail/film.001"}, CommandLineFile{"/travail/film.001", "001"}},
        {{"L", "/travail/photos.pck"}, std::nullopt},
        {{"x", "/travail/photos.pck"}, std::nullopt},
        {{"l"}, std::nullopt},
        {{"l", ""}, std::nullopt},
        {{"lx"}, std::nullopt},
        {{"l", "x"}, CommandLineFile{"x", ""}},
        {{"l", "/travail/film.mpeg"}, CommandLineFile{"/travail/film.mpeg", ""}},
        {{"l", "/mes documents/vacances", "2024.pck"},
         CommandLineFile{"/mes documents/vacances 2024.pck", "pck"}},
        {{"l", "\"/a b/c.pck\""}, CommandLineFile{"\"/a b/c.pck\"", ""}},
        {{"l/x.avi"}, CommandLineFile{"x.avi", "avi"}},  // the second character is skipped
        {{"", "l", "/a.pck"}, CommandLineFile{"/a.pck", "pck"}},
        {{"lisezmoi"}, CommandLineFile{"sezmoi", ""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseCommandLineText(JoinArguments(c.arguments)), c.file)
            << JoinArguments(c.arguments);
    }
}

TEST(HJSplitPanelTest, ExtensionAndCount) {
    test::TempFolder tmp;
    for (const unsigned k : {1u, 2u, 4u}) {
        test::WriteWholeFile(pieces::PiecePath(tmp.Folder(), "mon.film.avi", k), "d");
    }
    const std::optional<HJSplitPanel> panel =
        DescribeHJSplitFirstPiece(tmp.Folder(), "mon.film.avi");
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->extension, "film.avi");
    EXPECT_EQ(panel->pieceCount, 2u);
    EXPECT_FALSE(DescribeHJSplitFirstPiece(tmp.Folder(), "film"));
}

TEST(SourcePathTest, FolderAndTitle) {
    const struct {
        std::string path;
        std::string extension;
        std::string folder;
        std::string title;
    } cases[] = {
        {"/donnees/film.avi", "avi", "/donnees/", "film"},
        {"/donnees/film.avi.001", "001", "/donnees/", "film.avi"},
        {"/donnees/LISEZMOI", "", "/donnees/", "LISEZMOI"},
        {"film.avi", "avi", "", "film"},
#ifdef _WIN32
        // Folders end with "\"; a drive's root is a folder like any other.
        {"C:\\Donn\xC3\xA9"
         "es\\film.avi",
         "avi",
         "C:\\Donn\xC3\xA9"
         "es\\",
         "film"},
        {"C:\\film.avi.001", "001", "C:\\", "film.avi"},
        {"C:/donnees/film.avi", "avi", "C:/donnees/", "film"},
#endif
    };
    for (const auto& c : cases) {
        const SourcePathParts parts = SplitSourcePath(c.path, c.extension);
        EXPECT_EQ(parts.folder, c.folder) << c.path;
        EXPECT_EQ(parts.title, c.title) << c.path;
    }
}

}  // namespace
}  // namespace scx::app
