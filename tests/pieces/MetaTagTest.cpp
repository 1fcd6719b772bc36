#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "File.h"
#include "MetaTag.h"
#include "TestFiles.h"
#include "TextEncoding.h"

namespace scx::pieces {
namespace {

std::string TagText(const MetaTag& tag) {
    return std::string(tag.begin(), tag.end());
}

PanelTag ReadText(const std::string& bytes) {
    return ReadPanelTag(std::span<const unsigned char>(
        reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()));
}

TEST(MetaTagTest, WriterBytes) {
    const struct {
        std::string extension;
        int count;
        std::string bytes;
    } cases[] = {
        {"avi", 3, "\x61\x76\x69\x20\x20\x30\x30\x33"},
        {"jpeg", 12, "\x6A\x70\x65\x67\x20\x30\x31\x32"},
        {"torrent", 120, "\x74\x6F\x72\x20\x20\x31\x32\x30"},
        {"tar", 2, "tar  002"},
        {"mpeg", 999, "mpeg 999"},
        {"", 1, "     001"},
        {"a", 5, "a    005"},
        {"ab", 50, "ab   050"},
        {"abcd", 7, "abcd 007"},
        {"tx t", 3, "tx t 003"},  // an inner blank is part of the extension
        // Windows-1252 whenever it holds every character: one byte each.
        {"\xC3\xA9t\xC3\xA9", 4, "\xE9t\xE9  004"},               // "été"
        {"jp\xC3\xA9g", 4, "jp\xE9g 004"},                        // "jpég"
        {"mp\xE2\x82\xAC", 4, "mp\x80  004"},                     // "mp€"
        {"\xC3\xA9t\xC3\xA9s", 4, "\xE9t\xE9s 004"},              // "étés", whole
        {"\xC3\xA9t\xC3\xA9s\xC3\xA9", 4, "\xE9t\xE9  004"},      // "étésé", cut to three
        {"\xC3\x83\xC2\xA9", 4, "\xC3\x83\xC2\xA9 004"},          // "Ã©": its bytes read as "é"
        {"\xC3\x83\xC2\xA9x\xE2\x82\xACz", 4, "\xC3\x83   004"},  // "Ã©x€z": "Ã©x" reads as "éx"
        // UTF-8 otherwise: whole characters only, at most 3 bytes unless there are 4.
        {"\xE2\x86\x92", 4, "\xE2\x86\x92  004"},         // "→"
        {"a\xE2\x86\x92", 4, "a\xE2\x86\x92 004"},        // 4 bytes, whole
        {"ab\xE2\x86\x92", 4, "ab   004"},                // "→" would straddle byte 3
        {"\xF0\x9F\x8E\xAC", 4, "\xF0\x9F\x8E\xAC 004"},  // one 4-byte character, whole
        {"\xF0\x9F\x8E\xAC"
         "a",
         4, "     004"},  // nothing whole fits in 3 bytes
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TagText(BuildMetaTag(c.extension, c.count)), c.bytes) << c.extension;
    }
}

TEST(MetaTagTest, WriterRefusesCountsItCannotStore) {
    for (const int count : {0, -1, 1000}) {
        EXPECT_THROW(BuildMetaTag("avi", count), std::invalid_argument) << count;
    }
}

// Whatever the writer stores, both readers give back (the stored part of) the extension.
TEST(MetaTagTest, ExtensionsRoundTrip) {
    const struct {
        std::string extension;
        std::string readBack;
    } cases[] = {
        {"", ""},
        {"a", "a"},
        {"7z", "7z"},
        {"avi", "avi"},
        {"jpeg", "jpeg"},
        {"torrent", "tor"},
        {"tx t", "tx t"},
        {"a b", "a b"},
        {"\xC3\xA9", "\xC3\xA9"},
        {"ab\xC3\xA9", "ab\xC3\xA9"},
        {"\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9"},
        {"jp\xC3\xA9g", "jp\xC3\xA9g"},
        {"mp\xE2\x82\xAC", "mp\xE2\x82\xAC"},
        {"\xC3\x83\xC2\xA9", "\xC3\x83\xC2\xA9"},
        {"\xC3\x83\xC2\xA9x\xE2\x82\xACz", "\xC3\x83"},
        {"a\xE2\x86\x92", "a\xE2\x86\x92"},
        {"ab\xE2\x86\x92x", "ab"},
    };
    for (const auto& c : cases) {
        for (const int count : {1, 42, 999}) {
            const MetaTag tag = BuildMetaTag(c.extension, count);
            const PanelTag panel = ReadPanelTag(tag);
            EXPECT_EQ(panel.extension, c.readBack) << c.extension;
            EXPECT_EQ(panel.pieceCount, count) << c.extension;
            EXPECT_EQ(JoinedExtension(panel.storedExtension, tag[3]), c.readBack) << c.extension;
            EXPECT_TRUE(IsJoinableTag(panel.pieceCount, tag.size(), c.readBack));
        }
    }
}

TEST(MetaTagTest, PanelReader) {
    const struct {
        std::string name;
        std::string bytes;
        std::string stored;
        std::string extension;
        int count;
    } cases[] = {
        {"own tag", "avi  003", "avi", "avi", 3},
        {"inner blank", "tx t 003", "tx ", "tx t", 3},
        {"short extension", "ab   003", "ab ", "ab", 3},
        {"four characters", "jpeg 012", "jpe", "jpeg", 12},
        {"count 000", "avi  000", "avi", "avi", 0},
        {"blank count", "avi     ", "avi", "avi", 0},
        {"negative count", "avi  -12", "avi", "avi", -12},
        {"signed count", "avi  +07", "avi", "avi", 7},
        {"leading blank in count", "avi   12", "avi", "avi", 12},
        {"zero byte before offset 5", std::string("av\0  003", 8), "av", "av", 0},
        {"three-byte file", "avi", "avi", "avi", 0},
        {"empty file", "", "", "", 0},
        {"HJSplit piece of an AVI", "RIFF\x10\x20\x30\x40", "RIF", "RIFF", 0},
        {"Windows-1252 extension", "\xE9t\xE9  002", "\xE9t\xE9", "\xC3\xA9t\xC3\xA9", 2},
        {"Windows-1252 fourth byte", "caf\xE9 002", "caf", "caf\xC3\xA9", 2},
        {"Windows-1252 euro and hole",
         "\x80\x81"
         "a  002",
         "\x80\x81"
         "a",
         "\xE2\x82\xAC\xC2\x81"
         "a",
         2},
        {"longer than a tag", "avi  003 and the data", "avi", "avi", 3},
    };
    for (const auto& c : cases) {
        const PanelTag tag = ReadText(c.bytes);
        EXPECT_EQ(tag.storedExtension, c.stored) << c.name;
        EXPECT_EQ(tag.extension, c.extension) << c.name;
        EXPECT_EQ(tag.pieceCount, c.count) << c.name;
    }
}

TEST(MetaTagTest, JoinReaderCompletesTheStoredField) {
    const struct {
        std::string stored;
        unsigned char fourth;
        std::string extension;
    } cases[] = {
        {"avi", ' ', "avi"},
        {"jpe", 'g', "jpeg"},
        {"", ' ', ""},
        {"ab\xC3", 0xA9, "ab\xC3\xA9"},  // a UTF-8 character across bytes 2 and 3
        {"caf", 0xE9, "caf\xC3\xA9"},
        {"avi", 0, "avi"},
        {"tx ", 't', "tx t"},
        {"a  ", ' ', "a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JoinedExtension(c.stored, c.fourth), c.extension) << c.stored;
    }
}

TEST(MetaTagTest, JoinableTags) {
#ifdef _WIN32
    constexpr bool kWindowsNameJoinable = false;  // ":" would name a stream of "film.a"
#else
    constexpr bool kWindowsNameJoinable = true;
#endif
    const struct {
        int count;
        std::uint64_t length;
        std::string extension;
        bool joinable;
    } cases[] = {
        {3, 8, "avi", true},
        {1, 1433608, "", true},
        {0, 100, "avi", false},
        {-12, 100, "avi", false},
        {3, 7, "avi", false},
        {3, 3, "avi", false},
        {3, 100, "a/b", false},
        {3, 100, "/..", false},
        {3, 100, "a:b", kWindowsNameJoinable},
        {3, 100, "a?b", kWindowsNameJoinable},
        {3, 100, "a|", kWindowsNameJoinable},
        {3, 100, "\x1f", kWindowsNameJoinable},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsJoinableTag(c.count, c.length, c.extension), c.joinable)
            << c.count << " " << c.length << " " << c.extension;
    }
}

TEST(MetaTagTest, ReadersOnFiles) {
    test::TempFolder tmp;
    const std::string first = tmp.Path("film.001");
    test::WriteWholeFile(first, "jpeg 002" + test::PatternBytes(100));
    const PanelTag panel = ReadPanelTagFromFile(first);
    EXPECT_EQ(panel.extension, "jpeg");
    EXPECT_EQ(panel.pieceCount, 2);
    EXPECT_EQ(panel.firstPieceLength, 108u);

    CFile piece(first, CFile::modeRead);  // the panel reader closed its handle
    EXPECT_EQ(ReadJoinedExtension(piece, panel.storedExtension), "jpeg");
    EXPECT_EQ(piece.GetPosition(), kMetaTagSize);

    test::WriteWholeFile(tmp.Path("short.001"), "avi");
    const PanelTag shortTag = ReadPanelTagFromFile(tmp.Path("short.001"));
    EXPECT_EQ(shortTag.firstPieceLength, 3u);
    EXPECT_FALSE(IsJoinableTag(shortTag.pieceCount, shortTag.firstPieceLength, "avi"));

    try {
        ReadPanelTagFromFile(tmp.Path("gone.001"));
        FAIL() << "a missing first piece must be reported";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    }
}

TEST(TextEncodingTest, Utf8Validity) {
    const struct {
        std::string bytes;
        bool valid;
    } cases[] = {
        {"avi", true},
        {"\xC3\xA9", true},
        {"\xE2\x82\xAC", true},
        {"\xC3", false},              // cut short
        {"\xC0\x80", false},          // overlong
        {"\xED\xA0\x80", false},      // surrogate
        {"\xF4\x90\x80\x80", false},  // above U+10FFFF
        {"\xE9t\xE9", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
    }
}

TEST(TextEncodingTest, Utf8ToWindows1252) {
    const struct {
        std::string text;
        std::optional<std::string> bytes;
    } cases[] = {
        {"", ""},
        {"avi", "avi"},
        {"\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},
        {"\xE2\x82\xAC\xC5\x93\xC5\xB8", "\x80\x9C\x9F"},  // "€œŸ"
        {"\xC3\xBF\xC2\xA0", "\xFF\xA0"},
        {"\xE2\x86\x92", std::nullopt},  // "→"
        {"\xC2\x81", std::nullopt},      // a byte the code page leaves unassigned
        {"\xC2\x80", std::nullopt},      // U+0080 is not the euro sign's byte
        {"\xE9t\xE9", std::nullopt},     // not UTF-8
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToWindows1252(c.text), c.bytes) << c.text;
        if (c.bytes) {
            EXPECT_EQ(Windows1252ToUtf8(*c.bytes), c.text) << c.text;
        }
    }
}

}  // namespace
}  // namespace scx::pieces
