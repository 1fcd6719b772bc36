// scindarex-cli pack, list and extract, in process.

#include <array>
#include <csignal>
#include <cstdlib>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "CliFixture.h"
#include "FaultPlan.h"

namespace scx::test {
namespace {

namespace fs = std::filesystem;

// The header of an archive of `entries` (name, size text, position text), written by hand
// where the writer would refuse the archive.
std::string HeaderOf(const std::vector<std::array<std::string, 3>>& entries) {
    std::string header = "@scindarexpack;@begin;@meta;{scindarex;2.01;1;;;;}@struct;{";
    for (const auto& [name, size, position] : entries) {
        header += "#f(" + name + ";" + size + ";" + position + ";";
    }
    return header + "}@end;";
}

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
    std::vector<Row> rows = {
        {{Path("a.txt"), Path("sub/a.txt")},
         res::LoadString(res::IDS_ALREADY_IN_LIST) + " : " + Path("sub/a.txt") + "\n"},
        {{Path("a.txt"), Path("semi;colon")}, Said(res::IDS_NAME_NOT_STORABLE, Path("semi;colon"))},
        {{Path("a.txt"), "--comment", "x;y"}, Said(res::IDS_INVALID_CHARACTER)},
    };
#ifndef _WIN32  // no such name there
    WriteWholeFile(Path("10:30.txt"), "x");
    rows.push_back({{Path("10:30.txt")}, Said(res::IDS_NAME_NOT_STORABLE, Path("10:30.txt"))});
#endif
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
                           Said(res::IDS_MEMBER_OUTPUT_TAKEN, Path("b.jpg")));
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

TEST_F(CliArchiveTest, ExtractNeverWritesThroughWhatLiesUnderTheTemporaryName) {
    fs::create_directories(Path("dest"));
    fs::create_directories(Path("outside"));
    WriteWholeFile(Path("m"), "member");
    ASSERT_EQ(RunCliWith({"pack", Path("dest/one.pck"), Path("m")}).code, 0);
    const std::string planted = Path("dest/.scindarex-extraction-1.tmp");
    const std::string target = "../outside/victim.txt";
    for (const Planted kind : {Planted::file, Planted::folder, Planted::link}) {
        SCOPED_TRACE(static_cast<int>(kind));
        fs::remove(Path("dest/m"));
        fs::remove(planted);
        if (!Plant(kind, planted, target)) {
            continue;  // Windows may refuse links to an ordinary user
        }
        const CliRun run = RunCliWith({"extract", Path("dest/one.pck"), "--quiet"});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(fs::symlink_status(Path("dest/m")).type(), fs::file_type::regular);
        EXPECT_EQ(ReadWholeFile(Path("dest/m")), "member");
        EXPECT_TRUE(StillPlanted(kind, planted, target));
        EXPECT_EQ(Files("outside"), std::vector<std::string>{});
        EXPECT_EQ(Files("dest"),
                  (std::vector<std::string>{".scindarex-extraction-1.tmp", "m", "one.pck"}));
    }
    // A link under the member's own name, dangling: a name taken, asked about, and replaced
    // rather than followed.
    fs::remove(Path("dest/m"));
    if (Plant(Planted::link, Path("dest/m"), target)) {
        CliRun run = RunCliWith({"extract", Path("dest/one.pck")});
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.err, Said(res::IDS_MEMBER_OUTPUT_TAKEN, Path("dest/m")));
        EXPECT_TRUE(StillPlanted(Planted::link, Path("dest/m"), target));
        run = RunCliWith({"extract", Path("dest/one.pck"), "--if-exists", "overwrite", "--quiet"});
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(fs::symlink_status(Path("dest/m")).type(), fs::file_type::regular);
        EXPECT_EQ(Files("outside"), std::vector<std::string>{});
    }
}

TEST_F(CliArchiveTest, AnOutputThatIsTheArchiveItselfIsRefusedAndTheRestGoesOn) {
    fs::create_directories(Path("src"));
    for (const char* name : {"self.pck", "hard.pck", "link.pck", "after"}) {
        WriteWholeFile(Path("src/") + name, std::string("member ") + name);
    }
    ASSERT_EQ(RunCliWith({"pack", Path("self.pck"), Path("src/self.pck"), Path("src/hard.pck"),
                          Path("src/link.pck"), Path("src/after")})
                  .code,
              0);
    const std::string archive = ReadWholeFile(Path("self.pck"));
    fs::create_hard_link(Path("self.pck"), Path("hard.pck"));
    std::error_code noLinks;
    fs::create_symlink("self.pck", Path("link.pck"), noLinks);

    // Named through another spelling of the folder.
    CliRun run = RunCliWith(
        {"extract", Path("self.pck"), "--dest", Path("src/.."), "--if-exists", "overwrite"});
    EXPECT_EQ(run.code, 1);
    // As the system spells the folder: Windows resolves the "..".
    const std::string shown = cli::DestinationFolder(Path("src/.."), {});
    std::string expected = Said(res::IDS_OUTPUT_IS_ARCHIVE, shown + "self.pck") +
                           Said(res::IDS_OUTPUT_IS_ARCHIVE, shown + "hard.pck");
    if (!noLinks) {
        expected += Said(res::IDS_OUTPUT_IS_ARCHIVE, shown + "link.pck");
        EXPECT_TRUE(fs::is_symlink(Path("link.pck")));
    }
    EXPECT_EQ(run.err, expected);
    EXPECT_TRUE(ReadWholeFile(Path("self.pck")) == archive);
    EXPECT_TRUE(fs::equivalent(Path("hard.pck"), Path("self.pck")));
    EXPECT_EQ(ReadWholeFile(Path("after")), "member after");

    // The copy name can be the archive too.
    WriteWholeFile(Path("src/c"), "member c");
    ASSERT_EQ(RunCliWith({"pack", Path("Copie_de_c"), Path("src/c")}).code, 0);
    const std::string copyArchive = ReadWholeFile(Path("Copie_de_c"));
    WriteWholeFile(Path("c"), "user's c");
    run = RunCliWith({"extract", Path("Copie_de_c"), "--if-exists", "copy"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, Said(res::IDS_OUTPUT_IS_ARCHIVE, Path("Copie_de_c")));
    EXPECT_TRUE(ReadWholeFile(Path("Copie_de_c")) == copyArchive);
    EXPECT_EQ(ReadWholeFile(Path("c")), "user's c");
}

TEST_F(CliArchiveTest, AFailedPackKeepsTheArchiveItWouldReplace) {
    WriteWholeFile(Path("m1.bin"), PatternBytes(5000, 1));
    WriteWholeFile(Path("m2.bin"), PatternBytes(5000, 2));
    WriteWholeFile(Path("good.pck"), "the archive that was there");
    const struct {
        const char* name;
        std::string failing;  // the file whose operation fails
        CFile::Op op;
        int error;
        unsigned message;
    } rows[] = {
        {"disk full", Path("good.pck"), CFile::Op::write, ENOSPC, res::IDS_FILE_DISK_FULL},
        {"closing", Path("good.pck"), CFile::Op::close, EIO, res::IDS_FILE_ERROR_GENERIC},
        {"unreadable member", Path("m2.bin"), CFile::Op::read, EIO, res::IDS_FILE_ERROR_GENERIC},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        // The hook sees the archive by its temporary name when it is opened, by its own after.
        CFile::SetFaultHook([&row](CFile::Op op, const std::string& path, std::uint64_t position,
                                   std::size_t&) {
            return op == row.op && path == row.failing && (op != CFile::Op::write || position > 0)
                       ? row.error
                       : 0;
        });
        const CliRun run = RunCliWith({"pack", Path("good.pck"), Path("m1.bin"), Path("m2.bin")});
        CFile::SetFaultHook(nullptr);
        EXPECT_EQ(run.code, cli::kExitFileError);
        EXPECT_EQ(run.err, Said(row.message, row.failing));
        EXPECT_EQ(ReadWholeFile(Path("good.pck")), "the archive that was there");
        EXPECT_EQ(Files(), (std::vector<std::string>{"good.pck", "m1.bin", "m2.bin"}));
    }
}

TEST_F(CliArchiveTest, APackReplacesTheFileALinkNamesAndKeepsItsPermissions) {
    WriteWholeFile(Path("m1.bin"), "m1");
    WriteWholeFile(Path("real.pck"), "old");
    const fs::perms ownerOnly = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(Path("real.pck"), ownerOnly);
    std::error_code noLinks;
    fs::create_symlink("real.pck", Path("link.pck"), noLinks);
    const CliRun run =
        RunCliWith({"pack", Path(noLinks ? "real.pck" : "link.pck"), Path("m1.bin"), "--quiet"});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(noLinks || fs::is_symlink(Path("link.pck")));
    EXPECT_TRUE(ReadWholeFile(Path("real.pck")).starts_with("@scindarexpack;"));
#ifndef _WIN32  // Windows has no permission bits to keep
    EXPECT_EQ(fs::status(Path("real.pck")).permissions(), ownerOnly);
#endif
}

// A rename would put a file where a pipe, device or folder was; written in place, as split
// and join write, such a name is refused.
TEST_F(CliArchiveTest, OnlyAFileOrALinkIsReplacedUnderTheFinalName) {
#ifdef _WIN32
    GTEST_SKIP() << "no named pipes in a folder";
#else
    WriteWholeFile(Path("m"), "member");
    ASSERT_EQ(RunCliWith({"pack", Path("x.pck"), Path("m")}).code, 0);
    fs::create_directories(Path("out/folder.pck"));
    for (const char* fifo : {"out/m", "out/fifo.pck"}) {
        ASSERT_EQ(::mkfifo(Path(fifo).c_str(), 0600), 0);
    }
    const struct {
        std::vector<std::string> args;
        std::string refused;
    } rows[] = {
        {{"pack", Path("out/fifo.pck"), Path("m")}, Path("out/fifo.pck")},
        {{"pack", Path("out/folder.pck"), Path("m")}, Path("out/folder.pck")},
        {{"extract", Path("x.pck"), "--dest", Path("out"), "--if-exists", "overwrite"},
         Path("out/m")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.refused);
        const CliRun run = RunCliWith(row.args);
        EXPECT_EQ(run.code, cli::kExitFileError);
        EXPECT_EQ(run.err, Said(res::IDS_FILE_NOT_REGULAR, row.refused));
        EXPECT_EQ(Files("out"), (std::vector<std::string>{"fifo.pck", "folder.pck", "m"}));
        EXPECT_TRUE(fs::is_fifo(Path("out/m")) && fs::is_fifo(Path("out/fifo.pck")));
        EXPECT_TRUE(fs::is_directory(Path("out/folder.pck")));
    }
#endif
}

// What replaces a file is that file's from its first byte: its permissions, so that no one
// else can open the new content while it is written and keep it open, and its owner and
// group as far as the user may give them (root rewriting a user's file leaves it theirs).
TEST_F(CliArchiveTest, AReplacedFileKeepsItsOwnerAndPermissionsFromTheFirstByte) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no permission bits to keep";
#else
    const bool root = ::geteuid() == 0;  // only root may give a file to another user
    WriteWholeFile(Path("m"), PatternBytes(5000));
    ASSERT_EQ(RunCliWith({"pack", Path("x.pck"), Path("m")}).code, 0);
    fs::create_directories(Path("out"));
    const std::vector<std::string> rows[] = {
        {"pack", Path("out/m"), Path("x.pck")},
        {"extract", Path("x.pck"), "--dest", Path("out"), "--if-exists", "overwrite"},
    };
    const mode_t previousUmask = ::umask(022);
    for (const std::vector<std::string>& args : rows) {
        SCOPED_TRACE(args[0]);
        WriteWholeFile(Path("out/m"), "the user's");
        ASSERT_EQ(::chmod(Path("out/m").c_str(), 0600), 0);
        ASSERT_TRUE(!root || ::chown(Path("out/m").c_str(), 65534, 65534) == 0);
        std::vector<struct stat> seen;  // the temporary file's at each write, then the result
        CFile::SetFaultHook([&](CFile::Op op, const std::string&, std::uint64_t, std::size_t&) {
            for (const auto& entry : fs::directory_iterator(Path("out"))) {
                struct stat status {};
                if (op == CFile::Op::write && entry.path().filename().string().ends_with(".tmp") &&
                    ::stat(entry.path().c_str(), &status) == 0) {
                    seen.push_back(status);
                }
            }
            return 0;
        });
        const CliRun run = RunCliWith(args);
        CFile::SetFaultHook(nullptr);
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_NE(ReadWholeFile(Path("out/m")), "the user's");
        ASSERT_FALSE(seen.empty());
        seen.emplace_back();
        ASSERT_EQ(::stat(Path("out/m").c_str(), &seen.back()), 0);
        for (const struct stat& status : seen) {
            EXPECT_EQ(status.st_mode & 07777, 0600u);
            EXPECT_TRUE(!root || (status.st_uid == 65534 && status.st_gid == 65534));
        }
    }
    ::umask(previousUmask);
#endif
}

TEST_F(CliArchiveTest, MembersOfOneNameEachMeetTheExistingOutputRule) {
    const std::string header = HeaderOf({{"d.txt", "3", "0"}, {"d.txt", "3", "3"}});
    const cli::CliEnvironment terminal{.inIsTerminal = true, .errIsTerminal = false, .clock = {}};
    const struct {
        std::vector<std::string> options;
        std::string input;
        int code;
        std::string d, copy;  // then in d.txt and Copie_de_d.txt
        std::string err;
    } rows[] = {
        {{}, "", 1, "one", "", Said(res::IDS_MEMBER_OUTPUT_TAKEN, Path("out/d.txt"))},
        {{"--if-exists", "overwrite"}, "", 0, "two", "", ""},
        {{"--if-exists", "copy"}, "", 0, "one", "two", ""},
        {{"d.txt", "--if-exists", "copy"}, "", 0, "one", "two", ""},
        {{"--if-exists", "ask"},
         "n\nn\n",
         1,
         "one",
         "",
         Said(res::IDS_MEMBER_NOT_EXTRACTED, "d.txt")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.input + std::to_string(row.options.size()));
        fs::remove_all(Path("out"));
        fs::create_directories(Path("out"));
        WriteWholeFile(Path("x.pck"), header + "onetwo");
        std::vector<std::string> args = {"extract", Path("x.pck"), "--dest", Path("out"),
                                         "--quiet"};
        args.insert(args.end(), row.options.begin(), row.options.end());
        const CliRun run =
            RunCliWith(args, row.input, row.input.empty() ? cli::CliEnvironment{} : terminal);
        EXPECT_EQ(run.code, row.code) << run.err;
        EXPECT_EQ(ReadWholeFile(Path("out/d.txt")), row.d);
        EXPECT_EQ(ReadWholeFile(Path("out/Copie_de_d.txt")), row.copy);
        EXPECT_TRUE(run.err.ends_with(row.err)) << run.err;
    }
}

TEST_F(CliArchiveTest, ATakenCopyNameIsAskedAboutOrLeftAlone) {
    WriteWholeFile(Path("a.txt"), "member");
    ASSERT_EQ(RunCliWith({"pack", Path("x.pck"), Path("a.txt")}).code, 0);
    WriteWholeFile(Path("a.txt"), "user's a");
    const cli::CliEnvironment terminal{.inIsTerminal = true, .errIsTerminal = false, .clock = {}};
    const std::string copyQuestion =
        res::LoadString(res::IDS_OVERWRITE) + "\nCopie_de_a.txt (o/n) ";
    const struct {
        std::vector<std::string> options;
        std::string input;
        int code;
        std::string copy;
        std::string err;
    } rows[] = {
        {{"--if-exists", "copy"},
         "",
         1,
         "notes",
         Said(res::IDS_MEMBER_COPY_TAKEN, Path("Copie_de_a.txt"))},
        {{}, "n\no\no\n", 0, "member", ""},
        {{}, "n\no\nn\n", 1, "notes", Said(res::IDS_MEMBER_NOT_EXTRACTED, "a.txt")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.input);
        WriteWholeFile(Path("Copie_de_a.txt"), "notes");
        std::vector<std::string> args = {"extract", Path("x.pck"), "--quiet"};
        args.insert(args.end(), row.options.begin(), row.options.end());
        const CliRun run =
            RunCliWith(args, row.input, row.input.empty() ? cli::CliEnvironment{} : terminal);
        EXPECT_EQ(run.code, row.code) << run.err;
        EXPECT_EQ(ReadWholeFile(Path("Copie_de_a.txt")), row.copy);
        EXPECT_EQ(ReadWholeFile(Path("a.txt")), "user's a");
        EXPECT_TRUE(run.err.ends_with(row.err)) << run.err;
        if (!row.input.empty()) {
            EXPECT_NE(run.err.find(copyQuestion), std::string::npos) << run.err;
        }
    }
}

TEST_F(CliArchiveTest, EachRefusalIsSaidOnceNamingTheMember) {
    const std::string n118(118, 'm');
    WriteWholeFile(Path(n118), "taken");
    WriteWholeFile(
        Path("x.pck"),
        HeaderOf({{"../x", "1", "0"}, {n118, "1", "0"}, {"bad", "1x", "0"}, {"good", "1", "0"}}) +
            "G");
    const CliRun run = RunCliWith({"extract", Path("x.pck"), "--if-exists", "copy"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, Said(res::IDS_UNSAFE_ENTRY_NAME, "../x") +
                           res::LoadString(res::IDS_NAME_TOO_LONG) + "\n\"" + n118 + "\"\n" +
                           res::LoadString(res::IDS_ARCHIVE_CORRUPT) + "\n\"bad\"\n");
    EXPECT_EQ(ReadWholeFile(Path("good")), "G");
}

// Names come from the archive: messages show them escaped, as the listing does, so that
// none can drive the terminal.
TEST_F(CliArchiveTest, MessagesShowStoredNamesEscaped) {
#ifdef _WIN32
    GTEST_SKIP() << "control characters are no part of a file name there";
#else
    fs::create_directories(Path("out"));
    WriteWholeFile(Path("out/\x1b[31mtaken"), "user's");
    WriteWholeFile(
        Path("x.pck"),
        HeaderOf({{"\x1b[2J/x", "1", "0"}, {"\x1b[31mtaken", "1", "0"}, {"\afull", "1", "0"}}) +
            "G");
    CFile::SetFaultHook([](CFile::Op op, const std::string& path, std::uint64_t, std::size_t&) {
        return op == CFile::Op::write && path.ends_with("\afull") ? ENOSPC : 0;
    });
    CliRun run = RunCliWith({"extract", Path("x.pck"), "--dest", Path("out")});
    CFile::SetFaultHook(nullptr);
    EXPECT_EQ(run.code, cli::kExitFileError);
    EXPECT_EQ(run.err, Said(res::IDS_UNSAFE_ENTRY_NAME, "\\x1b[2J/x") +
                           Said(res::IDS_MEMBER_OUTPUT_TAKEN, Path("out/\\x1b[31mtaken")) +
                           Said(res::IDS_FILE_DISK_FULL, Path("out/\\x07full")));

    const cli::CliEnvironment terminal{.inIsTerminal = true, .errIsTerminal = false, .clock = {}};
    run = RunCliWith({"extract", Path("x.pck"), "\x1b[31mtaken", "--dest", Path("out")}, "n\nn\n",
                     terminal);
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(
        run.err.starts_with(res::LoadString(res::IDS_OVERWRITE) + "\n\\x1b[31mtaken (o/n) "))
        << run.err;
    EXPECT_TRUE(run.err.ends_with(Said(res::IDS_MEMBER_NOT_EXTRACTED, "\\x1b[31mtaken")))
        << run.err;
    EXPECT_EQ(run.err.find('\x1b'), std::string::npos);
#endif
}

TEST_F(CliArchiveTest, FileErrorsNameTheDestinationNeverTheTemporaryFile) {
    WriteWholeFile(Path("a.txt"), PatternBytes(5000));
    ASSERT_EQ(RunCliWith({"pack", Path("x.pck"), Path("a.txt")}).code, 0);
    fs::create_directories(Path("out"));
    for (const CFile::Op op : {CFile::Op::open, CFile::Op::write, CFile::Op::close}) {
        SCOPED_TRACE(static_cast<int>(op));
        CFile::SetFaultHook(
            [op, this](CFile::Op seen, const std::string& path, std::uint64_t, std::size_t&) {
                // Not the existence test's open of the member's name.
                const bool target = seen != CFile::Op::open || path.ends_with(".tmp");
                return seen == op && target && path.starts_with(Path("out")) ? ENOSPC : 0;
            });
        const CliRun run = RunCliWith({"extract", Path("x.pck"), "--dest", Path("out")});
        CFile::SetFaultHook(nullptr);
        EXPECT_EQ(run.code, cli::kExitFileError);
        EXPECT_EQ(run.err, Said(res::IDS_FILE_DISK_FULL, Path("out/a.txt")));
        EXPECT_EQ(Files("out"), std::vector<std::string>{});
    }
}

// Interrupted, the program removes its temporary file and exits as the signal says; past
// the file size limit, the failed write is reported as a full disk is, rather than the
// signal ending it with the file left behind.
TEST_F(CliArchiveTest, AnInterruptionOrAFileSizeLimitLeavesNoTemporaryFile) {
#ifdef _WIN32
    GTEST_SKIP() << "no POSIX signals; the console's events cannot be raised from a test";
#else
    WriteWholeFile(Path("a.txt"), PatternBytes(5000));
    ASSERT_EQ(RunCliWith({"pack", Path("x.pck"), Path("a.txt")}).code, 0);
    fs::create_directories(Path("out"));
    WriteWholeFile(Path("out/good.pck"), "the archive that was there");
    const std::vector<std::string> commands[] = {
        {"extract", Path("x.pck"), "--dest", Path("out")},
        {"pack", Path("out/good.pck"), Path("a.txt")},
    };
    constexpr int kFileSizeLimit = 0;
    for (const int number : {SIGINT, SIGTERM, SIGHUP, kFileSizeLimit}) {
        for (const std::vector<std::string>& args : commands) {
            SCOPED_TRACE(args[0] + " " + std::to_string(number));
            // As the programs' mains do; the signal comes with the first byte written.
            EXPECT_EXIT(
                {
                    if (number == kFileSizeLimit) {
                        rlimit limit{};
                        limit.rlim_cur = limit.rlim_max = 1000;
                        ::setrlimit(RLIMIT_FSIZE, &limit);
                    }
                    ExitFromCliInterruptedAtFirstWrite(args, number);
                },
                ::testing::ExitedWithCode(number == kFileSizeLimit ? cli::kExitFileError
                                                                   : 128 + number),
                "");
            EXPECT_EQ(Files("out"), std::vector<std::string>{"good.pck"});
            EXPECT_EQ(ReadWholeFile(Path("out/good.pck")), "the archive that was there");
        }
    }
#endif
}

}  // namespace
}  // namespace scx::test
