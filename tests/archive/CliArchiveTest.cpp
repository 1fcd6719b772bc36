// scindarex-cli pack, list and extract, in process.

#include "CliFixture.h"

namespace scx::test {
namespace {

class CliArchiveTest : public CliTest {
  protected:
    // a.txt (5 bytes) and b.jpg (1200 bytes) in the folder.
    void WriteExampleFiles() {
        WriteWholeFile(Path("a.txt"), "hello");
        WriteWholeFile(Path("b.jpg"), PatternBytes(1200));
    }
};

TEST_F(CliArchiveTest, PackListExtractRoundTrip) {
    WriteExampleFiles();
    CliRun run = RunCliWith({"pack", Path("x.pck"), Path("a.txt"), Path("b.jpg"), "--author",
                             "anon", "--content=Photos", "--comment", "un\ndeux"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, Said(res::IDS_ARCHIVE_CREATED));
    const std::string bytes = ReadWholeFile(Path("x.pck"));
    EXPECT_EQ(bytes.substr(0, 68),
              "@scindarexpack;@begin;@meta;{scindarex;2.01;1;anon;Photos;un\r\n"
              "deux;}");

    run = RunCliWith({"list", Path("x.pck")});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "Auteur : anon\nContenu : Photos\nCommentaire : un\\ndeux\n"
              "a.txt\t5\t0\nb.jpg\t1200\t5\n");

    std::filesystem::create_directory(Path("out"));
    run = RunCliWith({"extract", Path("x.pck"), "--dest", Path("out"), "--quiet"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadWholeFile(Path("out/a.txt")), "hello");
    EXPECT_TRUE(ReadWholeFile(Path("out/b.jpg")) == PatternBytes(1200));
}

TEST_F(CliArchiveTest, PackRefusesBeforeWritingAnything) {
    WriteExampleFiles();
    std::filesystem::create_directory(Path("sub"));
    WriteWholeFile(Path("sub/a.txt"), "other");
    WriteWholeFile(Path("semi;colon"), "x");
    struct Row {
        std::vector<std::string> args;
        std::string err;
    };
    const std::vector<Row> rows = {
        {{Path("a.txt"), Path("sub/a.txt")},
         res::LoadString(res::IDS_ALREADY_IN_LIST) + " : " + Path("sub/a.txt") + "\n"},
        {{Path("a.txt"), Path("semi;colon")},
         Said(res::IDS_NAME_HOLDS_SEMICOLON, Path("semi;colon"))},
        {{Path("a.txt"), "--comment", "x;y"}, Said(res::IDS_INVALID_CHARACTER)},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = {"pack", Path("x.pck")};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const CliRun run = RunCliWith(args);
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.err, row.err);
        EXPECT_FALSE(std::filesystem::exists(Path("x.pck")));
    }
    // The archive under a member's own name, through another spelling of the path.
    const CliRun run = RunCliWith({"pack", Path("sub/../a.txt"), Path("a.txt")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, Said(res::IDS_ARCHIVE_IS_MEMBER, Path("a.txt")));
    EXPECT_EQ(ReadWholeFile(Path("a.txt")), "hello");
    // Without members; an existing archive is replaced.
    WriteWholeFile(Path("x.pck"), "old");
    EXPECT_EQ(RunCliWith({"pack", Path("x.pck"), "--quiet"}).code, 0);
    EXPECT_EQ(ReadWholeFile(Path("x.pck")),
              "@scindarexpack;@begin;@meta;{scindarex;2.01;1;;;;}@struct;{}@end;");
    EXPECT_EQ(RunCliWith({"pack", Path("y.pck"), Path("missing")}).code, 3);
}

TEST_F(CliArchiveTest, ListReportsNoticesAndCorruption) {
    WriteWholeFile(Path("new.pck"),
                   "@scindarexpack;@begin;@meta;{scindarex;3;2;;;;}@struct;{#f(n;0;0;}@end;");
    CliRun run = RunCliWith({"list", Path("new.pck")});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, Said(res::IDS_NEWER_VERSION) + Said(res::IDS_NEWER_FORMAT));
    EXPECT_EQ(run.out, "Auteur : \nContenu : \nCommentaire : \nn\t0\t0\n");

    WriteWholeFile(Path("bad.pck"), "@scindarexpack;@begin;@meta;{scindarex;2.01;1;a;");
    run = RunCliWith({"list", Path("bad.pck")});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, Said(res::IDS_ARCHIVE_CORRUPT));
    EXPECT_EQ(run.out, "Auteur : a\n");
    EXPECT_EQ(RunCliWith({"list", Path("none.pck")}).code, 3);
    EXPECT_EQ(RunCliWith({"list", Path("bad.pck"), "--quiet"}).code, 2);
}

// Stored text reaches the terminal escaped, so that it cannot drive it, and each line and
// tab-separated field of the listing is one the archive holds.
TEST_F(CliArchiveTest, ListEscapesControlCharactersUnambiguously) {
    struct Row {
        std::string stored, shown;
    };
    const std::vector<Row> rows = {
        {"plain \xe9", "plain é"},  // Windows-1252
        {"\x1b[2J\x1b[31mred", "\\x1b[2J\\x1b[31mred"},
        {"fake\t9\t0\nforged", "fake\\t9\\t0\\nforged"},
        {"a\\nb", "a\\\\nb"},  // a backslash and an "n"
        {"\r\x7f\x01z", "\\r\\x7f\\x01z"},
        {"\xc2\x9b", "\\xc2\\x9b"},  // U+009B, the C1 control sequence introducer
        {"\x81z", "\\xc2\\x81z"},    // unassigned in Windows-1252: U+0081
    };
    std::string entries, expected;
    for (const Row& row : rows) {
        entries += "#f(" + row.stored + ";1;0;";
        expected += row.shown + "\t1\t0\n";
    }
    WriteWholeFile(Path("c.pck"),
                   "@scindarexpack;@begin;@meta;{scindarex;2.01;1;\x1b]0 t\x07;\\;"
                   "l1\r\nl2\r;}@struct;{" +
                       entries + "}@end;");
    const CliRun run = RunCliWith({"list", Path("c.pck")});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "Auteur : \\x1b]0 t\\x07\nContenu : \\\\\nCommentaire : l1\\nl2\\r\n" + expected);
}

TEST_F(CliArchiveTest, ExtractReportsSkippedAndMissingMembersAndGoesOn) {
    WriteExampleFiles();
    ASSERT_EQ(RunCliWith({"pack", Path("x.pck"), Path("a.txt"), Path("b.jpg")}).code, 0);
    std::filesystem::rename(Path("a.txt"), Path("a.orig"));
    WriteWholeFile(Path("b.jpg"), "taken");

    // Default folder: the archive's. b.jpg is taken: fail skips it, copy renames it.
    CliRun run = RunCliWith({"extract", Path("x.pck"), "b.jpg", "zz", "a.txt", "b.jpg"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, Said(res::IDS_MEMBER_NOT_IN_ARCHIVE, "zz") +
                           Said(res::IDS_MEMBER_NOT_EXTRACTED, "b.jpg"));
    EXPECT_EQ(ReadWholeFile(Path("a.txt")), "hello");
    EXPECT_EQ(ReadWholeFile(Path("b.jpg")), "taken");

    run = RunCliWith({"extract", Path("x.pck"), "b.jpg", "--if-exists", "copy", "--quiet"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(ReadWholeFile(Path("Copie_de_b.jpg")) == PatternBytes(1200));

    run =
        RunCliWith({"extract", Path("x.pck"), "a.txt"}, "n\no\n",
                   cli::CliEnvironment{.inIsTerminal = true, .errIsTerminal = false, .clock = {}});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(RunCliWith({"extract", Path("x.pck"), "--dest", Path("nowhere")}).code, 3);
}

TEST_F(CliArchiveTest, ExtractOfATruncatedArchiveIsAFileError) {
    WriteExampleFiles();
    ASSERT_EQ(RunCliWith({"pack", Path("x.pck"), Path("a.txt"), Path("b.jpg")}).code, 0);
    std::filesystem::resize_file(Path("x.pck"), 104 + 100);
    std::filesystem::create_directory(Path("out"));
    const CliRun run = RunCliWith({"extract", Path("x.pck"), "--dest", Path("out")});
    EXPECT_EQ(run.code, 3);
    EXPECT_EQ(run.err,
              DescribeFileError(CFileException(CFileException::endOfFile, Path("x.pck"))) + "\n");
    EXPECT_EQ(Files("out"), std::vector<std::string>{"a.txt"});
}

}  // namespace
}  // namespace scx::test
