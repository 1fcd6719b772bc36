// The writer and the reader of package archives: bytes written, events read, refusals.

#include <filesystem>

#include "ArchiveTestSupport.h"
#include "File.h"
#include "ResourceIds.h"

namespace scx::test {
namespace {

using archive::ArchiveProperties;
using archive::WriteResult;

const std::string kExampleHeader =
    "@scindarexpack;@begin;@meta;{scindarex;2.01;1;anon;Photos;;}"
    "@struct;{#f(a.txt;5;0;#f(b.jpg;1200;5;}@end;";

std::string Header(const std::string& version, const std::string& revision) {
    return "@scindarexpack;@begin;@meta;{scindarex;" + version + ";" + revision +
           ";a;c;m;}@struct;{}@end;";
}

TEST_F(ArchiveTest, ExampleArchiveIsWrittenByteForByteAndReadBack) {
    const std::string a = PatternBytes(5, 1);
    const std::string b = PatternBytes(1200, 2);
    ASSERT_EQ(Write("x.pck", Members({{"a.txt", a}, {"b.jpg", b}}), {"anon", "Photos", ""}),
              WriteResult::written);
    const std::string bytes = ReadWholeFile(Path("x.pck"));
    EXPECT_EQ(kExampleHeader.size(), 104u);
    EXPECT_TRUE(bytes == kExampleHeader + a + b);
    EXPECT_TRUE(bytes.substr(109) == b);

    EventLog log;
    EXPECT_TRUE(archive::LoadArchiveFile(Path("x.pck"), log));
    EXPECT_EQ(log.lines,
              (std::vector<std::string>{"author anon", "content Photos", "comment ",
                                        "entry a.txt 5 0", "entry b.jpg 1200 5", "loaded 104"}));
    EXPECT_EQ(m_refusals.percents, (std::vector<int>{0, 100}));
}

TEST_F(ArchiveTest, ArchiveWithoutMembersLoadsWithEmptyDirectory) {
    ASSERT_EQ(Write("empty.pck", {}), WriteResult::written);
    const std::string bytes = ReadWholeFile(Path("empty.pck"));
    EXPECT_EQ(bytes, "@scindarexpack;@begin;@meta;{scindarex;2.01;1;;;;}@struct;{}@end;");
    EXPECT_EQ(ParseBytes(bytes).lines.back(), "loaded " + std::to_string(bytes.size()));
}

TEST_F(ArchiveTest, PositionsAreCumulativeAndCommentLineBreaksRoundTrip) {
    const ArchiveProperties properties{"moi", "trois", "ligne 1\r\nligne 2\r\n"};
    ASSERT_EQ(
        Write("p.pck", Members({{"1", PatternBytes(29)}, {"2", PatternBytes(71)}, {"3", "z"}}),
              properties),
        WriteResult::written);
    archive::ArchiveListing listing;
    ASSERT_TRUE(archive::LoadArchiveFile(Path("p.pck"), listing));
    EXPECT_EQ(listing.properties.comment, properties.comment);
    ASSERT_EQ(listing.entries.size(), 3u);
    EXPECT_EQ(listing.entries[0].positionText, "0");
    EXPECT_EQ(listing.entries[2].positionText, "100");
    EXPECT_EQ(m_refusals.percents, (std::vector<int>{28, 99, 100}));
    EXPECT_EQ(archive::WithLineFeeds(properties.comment), "ligne 1\nligne 2\n");
    EXPECT_EQ(archive::WithCrLf("ligne 1\nligne 2\r\n"), properties.comment);
}

TEST(ArchiveVersionTest, NoticesFollowTheVersionAndRevisionFields) {
    struct Row {
        std::string version, revision;
        std::vector<std::string> notices;
    };
    const std::vector<Row> rows = {
        {"2.01", "1", {}},       {"2.010", "1", {}},         {"2.1", "1", {"141"}},
        {"3", "1", {"141"}},     {"abc", "1", {}},           {"2.01", "2", {"140"}},
        {"2.01", "1.0", {}},     {"9", "2", {"141", "140"}}, {" +2.02x", "0x2", {"141", "140"}},
        {"1e999", "-3", {"141"}}};
    for (const Row& row : rows) {
        const EventLog log = ParseBytes(Header(row.version, row.revision));
        const std::vector<std::string> notices(log.lines.begin(),
                                               log.lines.begin() + row.notices.size());
        EXPECT_EQ(notices, row.notices) << row.version << " " << row.revision;
        EXPECT_EQ(log.lines.size(), row.notices.size() + 4) << row.version;
        EXPECT_EQ(log.lines[row.notices.size()], "author a") << row.version;
    }
}

TEST(ArchiveCorruptTest, BrokenHeadersAreCorruptAfterWhatTheyDelivered) {
    struct Row {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const std::string prefix = "@scindarexpack;@begin;@meta;{";
    const std::vector<Row> rows = {
        {"@SCINDAREXPACK;@begin;@meta;{x;2;1;a;c;m;}@struct;{}@end;", {"134"}},
        {"@scindarexpack ;@begin;@meta;{x;2;1;a;c;m;}@struct;{}@end;", {"134"}},
        {"", {"134"}},
        {prefix + "other;2.01;1;a;c;m;}@struct;{}@end;",
         {"author a", "content c", "comment m", "loaded 64"}},
        {prefix + "x;2;1;a;c;m;)@struct;{}@end;", {"author a", "content c", "comment m", "134"}},
        {prefix + "x;2;1;a;c;m;}@struct;{#f(n;1;0;}@END;",
         {"author a", "content c", "comment m", "entry n 1 0", "134"}},
        // An entry whose third byte is not "(" ends the directory without a row.
        {prefix + "x;2;1;a;c;m;}@struct;{#fXend;",
         {"author a", "content c", "comment m", "loaded 58"}},
        {prefix + "x;2;1;a;c;m;}@struct;{#g(n;1;0;}@end;",
         {"author a", "content c", "comment m", "134"}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ParseBytes(row.bytes).lines, row.lines) << row.bytes;
    }
}

TEST(ArchiveCorruptTest, HeaderCutShortAnywhereIsCorruptAndDataAreaIsNeverNeeded) {
    const std::string whole = kExampleHeader + "12345";
    for (std::size_t length = 0; length < kExampleHeader.size(); ++length) {
        const EventLog log = ParseBytes(whole.substr(0, length));
        ASSERT_FALSE(log.lines.empty());
        EXPECT_EQ(log.lines.back(), "134") << length;
    }
    EXPECT_EQ(ParseBytes(kExampleHeader).lines.back(), "loaded 104");
    EXPECT_EQ(ParseBytes(whole.substr(0, 107)).lines.back(), "loaded 104");
}

// Each field in turn, from the product to the last entry's position: the longest field
// loads; one byte more is corrupt at that byte, whatever follows.
TEST(ArchiveCorruptTest, FieldLongerThanTheLimitIsCorruptWithoutReadingFurther) {
    const std::vector<std::string> plain = {"scindarex", "2.01", "1", "a", "c", "m", "n", "1", "0"};
    const auto header = [](const std::vector<std::string>& f) {
        return "@scindarexpack;@begin;@meta;{" + f[0] + ";" + f[1] + ";" + f[2] + ";" + f[3] + ";" +
               f[4] + ";" + f[5] + ";}@struct;{#f(" + f[6] + ";" + f[7] + ";" + f[8] + ";}@end;";
    };
    const std::string longest(archive::kMaxFieldBytes, 'x');
    for (std::size_t field = 0; field < plain.size(); ++field) {
        std::vector<std::string> fields = plain;
        fields[field] = longest;
        EXPECT_TRUE(ParseBytes(header(fields)).lines.back().starts_with("loaded ")) << field;

        fields[field] = longest + std::string(1 << 20, 'y');
        const std::string bytes = header(fields);
        archive::CMemoryHeaderSource source(bytes.data(), bytes.size());
        EventLog log;
        EXPECT_FALSE(archive::ParseArchiveHeader(source, log)) << field;
        EXPECT_EQ(source.Consumed(), bytes.find(longest) + longest.size() + 1) << field;
    }
}

// The fuzzer's seeds and every input it ever found at fault parse to one verdict.
TEST(ArchiveFuzzCorpusTest, EveryKeptInputEndsLoadedOrCorrupt) {
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(SCX_FUZZ_CORPUS)) {
        const std::vector<std::string> lines =
            ParseBytes(ReadWholeFile(Utf8Text(entry.path()))).lines;
        ASSERT_FALSE(lines.empty()) << entry.path();
        EXPECT_TRUE(lines.back() == "134" || lines.back().starts_with("loaded ")) << entry.path();
        ++inputs;
    }
    EXPECT_GE(inputs, 10);
}

// Refused on every platform: what would leave the folder, name a folder, or name a
// device or a stream on Windows.
TEST(ArchiveNameTest, NamesThatWindowsTurnsIntoSomethingElseAreNotExtractable) {
    using namespace std::literals;
    for (const std::string_view name :
         {""sv,          "."sv,        ".."sv,      "..."sv,        ".. "sv,
          "a."sv,        "a "sv,       "/x"sv,      "a/b"sv,        "a\\b"sv,
          "a\0b"sv,      "C:x"sv,      "c:"sv,      "a:stream"sv,   "a.txt:zone:$DATA"sv,
          "CON"sv,       "con"sv,      "Nul.txt"sv, "aux.tar.gz"sv, "PRN .txt"sv,
          "com1"sv,      "COM9.log"sv, "lpt1"sv,    "LPT0"sv,       "CONIN$"sv,
          "conout$.x"sv, "COM¹"sv,     "lpt³.txt"sv}) {
        EXPECT_FALSE(archive::IsExtractableName(name)) << name;
    }
    for (const std::string_view name :
         {"a"sv, "a.txt"sv, ".hidden"sv, "a..b"sv, "a b"sv, " lead"sv, "CONS"sv, "icon"sv,
          "NULL.txt"sv, "COM10"sv, "COM"sv, "LPT"sv, "com1x"sv, "auxiliaire.c"sv, "x.con"sv}) {
        EXPECT_TRUE(archive::IsExtractableName(name)) << name;
    }
}

TEST_F(ArchiveTest, TextsAreStoredInWindows1252WhenTheyFitAndReadBackAsWritten) {
    struct Row {
        std::string text, stored;
    };
    const std::vector<Row> rows = {
        {"é", "\xe9"},      {"€ œ", "\x80 \x9c"}, {"日本", "日本"},  // lacks in Windows-1252: UTF-8
        {"Ã©", "Ã©"},  // its Windows-1252 bytes would read back as "é"
        {"plain", "plain"},
    };
    for (const Row& row : rows) {
        ASSERT_EQ(Write("t.pck", Members({{row.text, "x"}}), {row.text, "", ""}),
                  WriteResult::written);
        const std::string bytes = ReadWholeFile(Path("t.pck"));
        EXPECT_NE(bytes.find("2.01;1;" + row.stored + ";"), std::string::npos) << row.text;
        EXPECT_NE(bytes.find("#f(" + row.stored + ";1;0;"), std::string::npos) << row.text;
        archive::ArchiveListing listing;
        ASSERT_TRUE(archive::LoadArchiveFile(Path("t.pck"), listing));
        EXPECT_EQ(listing.properties.author, row.text);
        EXPECT_EQ(listing.entries.at(0).name, row.text);
        std::filesystem::remove(Path(row.text));
    }
}

TEST_F(ArchiveTest, RefusalsComeBeforeAnythingIsCreated) {
    const auto members = Members({{"a;b", "1"}, {"m", "22"}});
    WriteWholeFile(Path("old.pck"), "keep");
#ifdef _WIN32
    // Symbolic links need a privilege on Windows (and wine has none): a second name will do.
    std::filesystem::create_hard_link(Path("m"), Path("link.pck"));
#else
    std::filesystem::create_symlink(Path("m"), Path("link.pck"));
#endif
    std::filesystem::create_directory(Path("sub"));

    struct Row {
        std::string archive;
        std::vector<archive::ArchiveMemberFile> members;
        ArchiveProperties properties;
        std::string refusal;
    };
    const std::vector<Row> rows = {
        {"new.pck", {members[1]}, {"a;", "", ""}, "137 "},
        {"new.pck", {members[1]}, {"", "", "x\r\n;"}, "137 "},
        {"new.pck", {members[1]}, {"", "", std::string(archive::kMaxFieldBytes + 1, 'x')}, "232 "},
        {"new.pck", members, {}, "220 " + Path("a;b")},
        // Names that no extraction would write: stored, they could never come out.
        {"new.pck", {members[1], {"10:30.txt", Path("m")}}, {}, "220 " + Path("m")},
        {"new.pck", {{"aux.c", Path("m")}}, {}, "220 " + Path("m")},
        {"new.pck", {{"end.", Path("m")}}, {}, "220 " + Path("m")},
        {"new.pck", {{"COM\xb9", Path("m")}}, {}, "220 " + Path("m")},  // read back as "COM¹"
        {"m", {members[1]}, {}, "221 " + Path("m")},
        {"link.pck", {members[1]}, {}, "221 " + Path("m")},
        {"sub/../m", {members[1]}, {}, "221 " + Path("m")},
    };
    for (const Row& row : rows) {
        m_refusals.refusals.clear();
        EXPECT_EQ(Write(row.archive, row.members, row.properties), WriteResult::refused);
        EXPECT_EQ(m_refusals.refusals, std::vector<std::string>{row.refusal}) << row.archive;
    }
    EXPECT_FALSE(std::filesystem::exists(Path("new.pck")));
    EXPECT_EQ(ReadWholeFile(Path("m")), "22");

    // The limit counts stored bytes: "é" takes one in Windows-1252.
    std::string longest;
    for (std::size_t i = 0; i < archive::kMaxFieldBytes; ++i) {
        longest += "é";
    }
    ASSERT_EQ(Write("long.pck", {members[1]}, {longest, "", ""}), WriteResult::written);
    archive::ArchiveListing listing;
    ASSERT_TRUE(archive::LoadArchiveFile(Path("long.pck"), listing));
    EXPECT_EQ(listing.properties.author, longest);
}

TEST_F(ArchiveTest, DataAreaBeyondTwoGigabytesIsRefused) {
    const auto members = Members({{"big", ""}, {"one", "1"}});
    std::filesystem::resize_file(Path("big"), 2147483647);
    EXPECT_EQ(Write("ok-size.pck", {members[0]}), WriteResult::written);
    archive::ArchiveListing listing;
    ASSERT_TRUE(archive::LoadArchiveFile(Path("ok-size.pck"), listing));
    EXPECT_EQ(std::filesystem::file_size(Path("ok-size.pck")), listing.dataStart + 2147483647u);
    std::filesystem::remove(Path("ok-size.pck"));
    EXPECT_EQ(Write("big.pck", members), WriteResult::refused);
    EXPECT_EQ(m_refusals.refusals,
              std::vector<std::string>{std::to_string(res::IDS_ARCHIVE_TOO_LARGE) + " " +
                                       Path("big.pck")});
    EXPECT_FALSE(std::filesystem::exists(Path("big.pck")));
}

TEST_F(ArchiveTest, MemberThatChangesLengthDuringTheCopyIsAFileErrorNamingIt) {
#ifdef _WIN32
    GTEST_SKIP() << "on Windows no other program can change a member the writer holds unshared";
#endif
    for (const bool grow : {true, false}) {
        const auto members = Members({{"first", "abc"}, {"moving", PatternBytes(10)}});
        bool changed = false;
        CFile::SetFaultHook(
            [&](CFile::Op op, const std::string& path, std::uint64_t, std::size_t&) {
                if (op == CFile::Op::read && path.ends_with("/moving") && !changed) {
                    changed = true;
                    std::filesystem::resize_file(Path("moving"), grow ? 20 : 4);
                }
                return 0;
            });
        try {
            Write("c.pck", members);
            ADD_FAILURE() << "no file error";
        } catch (const CFileException& error) {
            EXPECT_TRUE(error.m_strFileName.ends_with("/moving")) << error.m_strFileName;
        }
        CFile::SetFaultHook(nullptr);
    }
}

// A file of /proc reports no length whatever it holds: stored empty, it would be lost.
TEST_F(ArchiveTest, MemberHoldingMoreThanItsLengthIsAFileErrorNamingIt) {
#ifndef __linux__
    GTEST_SKIP() << "no file system here whose files hold more than their length";
#else
    try {
        Write("p.pck", {{"version", "/proc/version"}});
        ADD_FAILURE() << "no file error";
    } catch (const CFileException& error) {
        EXPECT_EQ(error.m_strFileName, "/proc/version");
    }
    EXPECT_FALSE(std::filesystem::exists(Path("p.pck")));
#endif
}

}  // namespace
}  // namespace scx::test
