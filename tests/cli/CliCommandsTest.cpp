// The subcommands run in process: their results on disk, messages and exit statuses.

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "CliFixture.h"
#include "JoinEngine.h"
#include "MetaTag.h"
#include "SplitEngine.h"

namespace scx::test {
namespace {

using cli::kExitFileError;
using cli::kExitRefused;
using cli::kExitSuccess;
using cli::kExitUsage;

constexpr std::uint64_t kPartition1400 = 1400 * 1024;

TEST_F(CliTest, SplitAndJoin) {
    const std::string bytes = PatternBytes(3000000);
    WriteWholeFile(Path("film.avi"), bytes);
    std::filesystem::create_directory(Path("out"));
    CliRun run = RunCliWith({"split", Path("film.avi"), "--dest", Path("out")});
    EXPECT_EQ(run.code, kExitSuccess);
    EXPECT_EQ(run.err, Said(res::IDS_CUT_DONE));
    EXPECT_EQ(Files("out"), (std::vector<std::string>{"film.001", "film.002", "film.003"}));
    EXPECT_EQ(ReadWholeFile(Path("out/film.001")).substr(0, 8), "avi  003");
    EXPECT_EQ(std::filesystem::file_size(Path("out/film.003")), 3000000 - 2 * kPartition1400);

    run = RunCliWith({"join", Path("out/film.001"), "--quiet"});
    EXPECT_EQ(run.code, kExitSuccess);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(ReadWholeFile(Path("out/film.avi")) == bytes);

    // 999 pieces is the most a set holds.
    WriteWholeFile(Path("k.bin"), PatternBytes(999 * 1024 - 1));
    EXPECT_EQ(RunCliWith({"split", Path("k.bin"), "--size=1"}).code, kExitSuccess);
    EXPECT_TRUE(std::filesystem::exists(Path("k.999")));

    // HJSplit: the count stops at the first gap; the joined file is the base name.
    WriteWholeFile(Path("clip.avi.001"), "AAA");
    WriteWholeFile(Path("clip.avi.002"), "BB");
    WriteWholeFile(Path("clip.avi.004"), "DD");
    run = RunCliWith({"join", Path("clip.avi.001"), "--hjsplit", "--dest", Path("out/")});
    EXPECT_EQ(run.code, kExitSuccess);
    EXPECT_EQ(run.err, Said(res::IDS_JOIN_DONE));
    EXPECT_EQ(ReadWholeFile(Path("out/clip.avi")), "AAABB");
}

// On Windows, folder names outside the ANSI code page reach the system only as UTF-16.
TEST_F(CliTest, DestinationsNamedBeyondTheAnsiCodePage) {
    const std::string bytes = PatternBytes(2500);
    WriteWholeFile(Path("film.avi"), bytes);
    for (const std::string folder : {"sortie é", "中文 𝄞"}) {
        SCOPED_TRACE(folder);
        std::filesystem::create_directory(Utf8Path(Path(folder)));
        EXPECT_EQ(RunCliWith(
                      {"split", Path("film.avi"), "--size", "1", "--dest", Path(folder), "--quiet"})
                      .code,
                  kExitSuccess);
        EXPECT_EQ(Files(folder), (std::vector<std::string>{"film.001", "film.002", "film.003"}));
        EXPECT_EQ(
            RunCliWith({"join", Path(folder + "/film.001"), "--dest", Path(folder), "--quiet"})
                .code,
            kExitSuccess);
        EXPECT_TRUE(ReadWholeFile(Path(folder + "/film.avi")) == bytes);
    }
}

// Destinations as Windows spells them: a drive's own current folder ("Z:out") and the
// "\\?\" form, both once taken for other folders of the current drive.
TEST_F(CliTest, DestinationsInWindowsOwnForms) {
#ifndef _WIN32
    GTEST_SKIP() << "drive letters and the \\\\?\\ prefix are Windows'";
#else
    WriteWholeFile(Path("film.avi"), PatternBytes(2500));
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(Utf8Path(Folder()));
    for (const std::string& dest : {Folder().substr(0, 2) + "out", "\\\\?\\" + Path("out")}) {
        SCOPED_TRACE(dest);
        std::filesystem::create_directory(Utf8Path(Path("out")));
        const CliRun run = RunCliWith({"split", Path("film.avi"), "--size", "1", "--dest", dest,
                                       "--if-exists", "fail", "--quiet"});
        EXPECT_EQ(run.code, kExitSuccess) << run.err;
        EXPECT_EQ(Files("out"), (std::vector<std::string>{"film.001", "film.002", "film.003"}));
        std::filesystem::remove_all(Utf8Path(Path("out")));
    }
    std::filesystem::current_path(previous);
#endif
}

TEST_F(CliTest, RefusalsWriteNothing) {
    WriteWholeFile(Path("short.bin"), PatternBytes(kPartition1400 - 1));
    WriteWholeFile(Path("empty.bin"), "");
    WriteWholeFile(Path("k1000.bin"), PatternBytes(1000 * 1024));
    WriteWholeFile(Path("plain.avi"), PatternBytes(5000));
    // Pieces made by HJSplit carry no tag; "film" holds no extension for HJSplit mode.
    WriteWholeFile(Path("clip.avi.001"), PatternBytes(100));
    WriteWholeFile(Path("film.001"), PatternBytes(100));
    const std::vector<std::string> before = Files();
    const struct {
        std::vector<std::string> args;
        int code;
        std::string err;
    } cases[] = {
        {{"split", Path("short.bin")}, kExitRefused, Said(res::IDS_FILE_SMALLER)},
        {{"split", Path("empty.bin")}, kExitRefused, Said(res::IDS_FILE_SMALLER)},
        {{"split", Path("plain.avi"), "--size", "0"}, kExitRefused, Said(res::IDS_ZERO_PARTITION)},
        {{"split", Path("k1000.bin"), "--size", "1"}, kExitRefused, Said(res::IDS_TOO_MANY_PIECES)},
        {{"join", Path("clip.avi.001")}, kExitRefused, Said(res::IDS_NOT_CUT_BY_SCINDAREX)},
        {{"join", Path("film.001"), "--hjsplit"},
         kExitRefused,
         Said(res::IDS_HJSPLIT_NO_EXTENSION)},
        {{"split", Path("absent.avi")},
         kExitFileError,
         Said(res::IDS_FILE_NOT_FOUND, Path("absent.avi"))},
        {{"split", Path("plain.avi"), "--dest", Path("nowhere")},
         kExitFileError,
         Said(res::IDS_FILE_BAD_PATH, Path("nowhere"))},
        // A first piece is joined, never cut; only a first piece is joined.
        {{"split", Path("film.001"), "--dest", Path("nowhere")}, kExitRefused, ""},
        {{"join", Path("plain.avi")}, kExitRefused, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const CliRun run = RunCliWith(c.args);
        EXPECT_EQ(run.code, c.code);
        if (c.err.empty()) {
            EXPECT_NE(run.err.find(c.args[1]), std::string::npos) << run.err;
        } else {
            EXPECT_EQ(run.err, c.err);
        }
    }
    EXPECT_EQ(Files(), before);
}

TEST_F(CliTest, MissingPieceLeavesWhatWasJoined) {
    WriteWholeFile(Path("film.avi"), PatternBytes(4000));
    ASSERT_EQ(RunCliWith({"split", Path("film.avi"), "--size", "1"}).code, kExitSuccess);
    std::filesystem::remove(Path("film.avi"));
    std::filesystem::remove(Path("film.002"));
    const CliRun run = RunCliWith({"join", Path("film.001")});
    EXPECT_EQ(run.code, kExitFileError);
    EXPECT_EQ(run.err, Said(res::IDS_FILE_NOT_FOUND, Path("film.002")));
    EXPECT_EQ(ReadWholeFile(Path("film.avi")), PatternBytes(4000).substr(0, 1024));
}

// Pipes, sockets, devices and folders are refused at once, naming them; a pipe would
// otherwise block the open for ever.
TEST_F(CliTest, SpecialFilesAreRefusedWithoutWaiting) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no named pipes in its file systems";
#else
    ASSERT_EQ(::mkfifo(Path("f.dat").c_str(), 0600), 0);
    WriteWholeFile(Path("x.avi.001"), "AAA");
    ASSERT_EQ(::mkfifo(Path("x.avi.002").c_str(), 0600), 0);
    WriteWholeFile(Path("y.avi"), PatternBytes(3000));
    ASSERT_EQ(RunCliWith({"split", Path("y.avi"), "--size", "1"}).code, kExitSuccess);
    std::filesystem::remove(Path("y.avi"));
    std::filesystem::remove(Path("y.002"));
    ASSERT_EQ(::mkfifo(Path("y.002").c_str(), 0600), 0);
    WriteWholeFile(Path("z.avi"), PatternBytes(3000));
    ASSERT_EQ(::mkfifo(Path("z.001").c_str(), 0600), 0);
    std::filesystem::create_directory(Path("dossier"));
    const struct {
        std::vector<std::string> args;
        std::string refused;  // the special file named
    } cases[] = {
        {{"info", Path("f.dat")}, Path("f.dat")},
        {{"split", Path("f.dat")}, Path("f.dat")},
        {{"info", Path("dossier")}, Path("dossier")},
        {{"info", "/dev/null"}, "/dev/null"},
        {{"join", Path("x.avi.001"), "--hjsplit"}, Path("x.avi.002")},
        {{"join", Path("y.001")}, Path("y.002")},
        // The first piece's name is taken (by a pipe): overwriting it is refused.
        {{"split", Path("z.avi"), "--size", "1", "--if-exists", "overwrite"}, Path("z.001")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const CliRun run = RunCliWith(c.args);
        EXPECT_EQ(run.code, kExitFileError);
        EXPECT_EQ(run.err, Said(res::IDS_FILE_NOT_REGULAR, c.refused));
    }
    // The HJSplit count is the window's: the pipe exists, so it counts.
    const CliRun info = RunCliWith({"info", Path("x.avi.001"), "--hjsplit"});
    EXPECT_EQ(info.code, kExitSuccess);
    EXPECT_NE(info.out.find("Nombres de fichiers à joindre :   2"), std::string::npos) << info.out;
#endif
}

TEST_F(CliTest, ExtensionsComeBackWhole) {
    const struct {
        std::string extension;
        std::string tag;  // the first piece's first 8 bytes
    } cases[] = {
        {"été", "\xE9t\xE9  004"},
        {"jpég", "jp\xE9g 004"},
        {"mp€", "mp\x80  004"},
        {"tx t", "tx t 004"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.extension);
        std::filesystem::remove_all(Path("out"));
        std::filesystem::create_directory(Path("out"));
        const std::string bytes = PatternBytes(3500);
        WriteWholeFile(Path("out/clip." + c.extension), bytes);
        ASSERT_EQ(RunCliWith({"split", Path("out/clip." + c.extension), "--size", "1"}).code,
                  kExitSuccess);
        EXPECT_EQ(ReadWholeFile(Path("out/clip.001")).substr(0, 8), c.tag);
        const CliRun info = RunCliWith({"info", Path("out/clip.001")});
        EXPECT_NE(info.out.find("Extension du fichier joint :   " + c.extension + "\n"),
                  std::string::npos)
            << info.out;
        std::filesystem::remove(Utf8Path(Path("out/clip." + c.extension)));
        ASSERT_EQ(RunCliWith({"join", Path("out/clip.001")}).code, kExitSuccess);
        EXPECT_TRUE(ReadWholeFile(Path("out/clip." + c.extension)) == bytes);
    }
}

// A tag naming the pieces' own extension: the joined name is the first piece, so the
// questions are asked and only the name finally chosen is checked.
TEST_F(CliTest, JoinOfATagNamingThePiecesExtension) {
    WriteWholeFile(Path("b.001"), "001  002one");
    WriteWholeFile(Path("b.002"), "two");
    const struct {
        std::string ifExists;
        int code;
        std::string err;
    } cases[] = {
        {"overwrite", kExitRefused, Said(res::IDS_OUTPUT_IS_PIECE, Path("b.001"))},
        {"fail", kExitRefused, ""},
        {"copy", kExitSuccess, Said(res::IDS_JOIN_DONE)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ifExists);
        const CliRun run = RunCliWith({"join", Path("b.001"), "--if-exists", c.ifExists});
        EXPECT_EQ(run.code, c.code);
        if (!c.err.empty()) {
            EXPECT_EQ(run.err, c.err);
        }
        EXPECT_EQ(ReadWholeFile(Path("b.001")), "001  002one");
    }
    EXPECT_EQ(ReadWholeFile(Path("b_Copie.001")), "onetwo");
}

TEST_F(CliTest, InfoPrintsThePanelLines) {
    WriteWholeFile(Path("film.avi"), PatternBytes(5000000));
    WriteWholeFile(Path("vide.txt"), "");
    WriteWholeFile(Path("LISEZMOI"), PatternBytes(1024));
    WriteWholeFile(Path("clip.mpeg"), PatternBytes(3000000));
    ASSERT_EQ(RunCliWith({"split", Path("clip.mpeg")}).code, kExitSuccess);
    for (const char* name : {"x.avi.001", "x.avi.002", "x.avi.004"}) {
        WriteWholeFile(Path(name), "12345");
    }
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> lines;  // after the path
    } cases[] = {
        {{"info", Path("film.avi")},
         {"avi", "4.7683716   Mo", "Nombre de fichier produits :  4",
          "Taille de partition :  1400"}},
        {{"info", Path("film.avi"), "--size", "700", "--hjsplit"},
         {"avi", "4.7683716   Mo", "Nombre de fichier produits :  7",
          "Taille de partition :  700"}},
        {{"info", Path("vide.txt")},
         {"txt", "0.   octets", "Nombre de fichier produits :  1", "Taille de partition :  1400"}},
        {{"info", Path("LISEZMOI"), "--size", "0"},
         {"", "1.   ko", "Nombre de fichier produits :  0", "Taille de partition :  0"}},
        {{"info", Path("clip.001")},
         {"001", "1.3671951   Mo", "Extension du fichier joint :   mpeg",
          "Nombres de fichiers à joindre :   3", "Fichier de sommes de contrôle : absent"}},
        {{"info", Path("x.avi.001"), "--hjsplit"},
         {"001", "5.   octets", "Extension du fichier joint :   avi",
          "Nombres de fichiers à joindre :   2", "Fichier de sommes de contrôle : absent"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const CliRun run = RunCliWith(c.args);
        EXPECT_EQ(run.code, kExitSuccess);
        EXPECT_EQ(run.err, "");
        std::string expected = c.args[1] + "\n";
        for (const std::string& line : c.lines) {
            expected += line + "\n";
        }
        EXPECT_EQ(run.out, expected);
    }
}

TEST_F(CliTest, InfoOfUnreadableFirstPieces) {
    WriteWholeFile(Path("x.avi.001"), "ABCDEFGH");
    WriteWholeFile(Path("film.001"), "avi  -03data");  // no count a join accepts either
    const struct {
        std::vector<std::string> args;
        std::string out;
        std::string err;
    } cases[] = {
        {{"info", Path("x.avi.001")},
         Path("x.avi.001") + "\n001\n8.   octets\nExtension du fichier joint :   ABCD\n"
                             "Nombres de fichiers à joindre :   0\n"
                             "Fichier de sommes de contrôle : absent\n",
         Said(res::IDS_TAG_UNREADABLE)},
        {{"info", Path("film.001")},
         Path("film.001") + "\n001\n12.   octets\nExtension du fichier joint :   avi\n"
                            "Nombres de fichiers à joindre :   -3\n"
                            "Fichier de sommes de contrôle : absent\n",
         Said(res::IDS_TAG_UNREADABLE)},
        {{"info", Path("film.001"), "--hjsplit"},
         Path("film.001") + "\n001\n12.   octets\n",
         Said(res::IDS_HJSPLIT_NO_EXTENSION)},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCliWith(c.args);
        EXPECT_EQ(run.code, kExitRefused);
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
    }
}

// The first output name taken, in each mode of --if-exists.
TEST_F(CliTest, IfExistsModes) {
    const std::string bytes = PatternBytes(3000);
    WriteWholeFile(Path("film.avi"), bytes);
    const std::string kept = "already here";
    const struct {
        std::vector<std::string> options;
        std::string input;
        bool inIsTerminal;
        int code;
        const char* written;  // the first piece written, or none
        int questions;        // how many of 107 and 108 were put to the user
    } cases[] = {
        {{"--if-exists", "overwrite"}, "", false, kExitSuccess, "film.001", 0},
        {{"--if-exists", "copy"}, "", false, kExitSuccess, "film_Copie.001", 0},
        {{"--if-exists", "fail"}, "o\n", true, kExitRefused, nullptr, 0},
        {{}, "o\n", false, kExitRefused, nullptr, 0},  // input is no terminal: fail
        {{}, "O\n", true, kExitSuccess, "film.001", 1},
        {{"--if-exists", "ask"}, " Oui \n", false, kExitSuccess, "film.001", 1},
        {{"--if-exists", "ask"}, "NON\no\n", false, kExitSuccess, "film_Copie.001", 2},
        {{"--if-exists", "ask"}, "n\npeut-être\nnon\n", false, kExitRefused, nullptr, 2},
        {{"--if-exists", "ask"}, "", false, kExitRefused, nullptr, 2},  // end of input: no
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.options) + " " + c.input);
        for (const char* name : {"film.002", "film.003", "film_Copie.001"}) {
            std::filesystem::remove(Path(name));
        }
        WriteWholeFile(Path("film.001"), kept);
        std::vector<std::string> args = {"split", Path("film.avi"), "--size", "1"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        cli::CliEnvironment environment;
        environment.inIsTerminal = c.inIsTerminal;

        const CliRun run = RunCliWith(args, c.input, environment);
        EXPECT_EQ(run.code, c.code);
        const auto asked = [&](unsigned id) {
            return run.err.find(res::LoadString(id)) != std::string::npos ? 1 : 0;
        };
        EXPECT_EQ(asked(res::IDS_OVERWRITE) + asked(res::IDS_ADD_COPY), c.questions);
        const std::string written = c.written == nullptr ? "" : c.written;
        EXPECT_EQ(ReadWholeFile(Path("film.001")) == kept, written != "film.001");
        EXPECT_EQ(std::filesystem::exists(Path("film_Copie.001")), written == "film_Copie.001");
        EXPECT_EQ(std::filesystem::exists(Path("film.002")), written == "film.001");
        // Only the fail mode explains itself: a user who declined knows why.
        const bool explained = run.err.find(Path("film.001")) != std::string::npos;
        EXPECT_EQ(explained, c.code == kExitRefused && c.questions == 0);
    }

    // The joins' copy names.
    ASSERT_EQ(RunCliWith({"split", Path("film.avi"), "--size=1", "--if-exists=overwrite"}).code,
              kExitSuccess);
    WriteWholeFile(Path("clip.avi.001"), "AB");
    WriteWholeFile(Path("clip.avi"), "old");
    EXPECT_EQ(RunCliWith({"join", Path("film.001"), "--if-exists", "copy"}).code, kExitSuccess);
    EXPECT_TRUE(ReadWholeFile(Path("film_Copie.avi")) == bytes);
    EXPECT_EQ(RunCliWith({"join", Path("clip.avi.001"), "--hjsplit", "--if-exists=copy"}).code,
              kExitSuccess);
    EXPECT_EQ(ReadWholeFile(Path("Copie_de_clip.avi")), "AB");
    EXPECT_EQ(ReadWholeFile(Path("clip.avi")), "old");
}

TEST_F(CliTest, BadUsage) {
    WriteWholeFile(Path("f.avi"), "data");
    const std::string file = Path("f.avi");
    const std::vector<std::string> cases[] = {
        {},
        {"frob", file},
        {"--frob"},
        {"split"},
        {"split", file, "other"},
        {"split", file, "--bogus"},
        {"split", file, "--size", "abc"},
        {"split", file, "--size", "-5"},
        {"split", file, "--size"},
        {"split", file, "--hjsplit"},
        {"split", file, "--quiet=yes"},
        {"info", file, "--dest", Folder()},
        {"join", file, "--if-exists", "maybe"},
        // An option given twice, whatever its kind.
        {"split", file, "--size", "1", "--size=2"},
        {"join", file, "--quiet", "--quiet"},
        {"pack", Path("a.pck"), file, "--author", "a", "--author", "a"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const CliRun run = RunCliWith(args);
        EXPECT_EQ(run.code, kExitUsage);
        EXPECT_EQ(run.out, "");
        // What is wrong, then the usage line, last.
        const std::size_t usage = run.err.rfind("\nUtilisation : scindarex-cli ");
        ASSERT_NE(usage, std::string::npos);
        EXPECT_EQ(run.err.find('\n', usage + 1), run.err.size() - 1);
    }
    EXPECT_EQ(Files(), std::vector<std::string>{"f.avi"});
    EXPECT_EQ(RunCliWith({"split", file, "--size", "12k"})
                  .err.rfind(res::LoadString(res::IDS_SIZE_NOT_NUMERIC), 0),
              0u);
}

TEST_F(CliTest, ProgressOnlyOnATerminal) {
    const std::string bytes = PatternBytes(40 << 20);
    WriteWholeFile(Path("big.bin"), bytes);
    auto now = std::chrono::steady_clock::time_point{};
    cli::CliEnvironment terminal;
    terminal.errIsTerminal = true;
    terminal.clock = [&now] { return now += std::chrono::milliseconds(30); };

    CliRun run = RunCliWith({"split", Path("big.bin"), "--size", "1000"}, {}, terminal);
    EXPECT_EQ(run.code, kExitSuccess);
    EXPECT_EQ(run.err.rfind("\r[", 0), 0u);
    const std::string finalBar = "\r[####################]  100 %  40,0 Mo / 40,0 Mo";
    EXPECT_EQ(run.err.compare(run.err.rfind('\r'), finalBar.size(), finalBar), 0) << run.err;
    EXPECT_EQ(run.err.substr(run.err.find('\n')), "\n" + Said(res::IDS_CUT_DONE));

    std::filesystem::remove(Path("big.bin"));
    run = RunCliWith({"join", Path("big.001")});
    EXPECT_EQ(run.err, Said(res::IDS_JOIN_DONE));
    EXPECT_TRUE(ReadWholeFile(Path("big.bin")) == bytes);
    EXPECT_EQ(
        RunCliWith({"join", Path("big.001"), "--if-exists=overwrite", "--quiet"}, {}, terminal).err,
        "");
}

// The window's engine, driven as the window drives it.
class SilentWindow : public pieces::CEngineObserver, public pieces::CUserPrompt {
  public:
    void OnRefusal(unsigned id, const std::string&) override { ADD_FAILURE() << id; }
    bool AskYesNo(unsigned id, const std::string&) override {
        ADD_FAILURE() << id;
        return false;
    }
};

TEST_F(CliTest, SetsInterchangeWithTheWindowsEngine) {
    const std::string bytes = PatternBytes(7 * 1024 + 11);
    std::filesystem::create_directory(Path("cli"));
    std::filesystem::create_directory(Path("win"));
    WriteWholeFile(Path("film.mpeg"), bytes);
    ASSERT_EQ(RunCliWith({"split", Path("film.mpeg"), "--size", "2", "--dest", Path("cli")}).code,
              kExitSuccess);
    SilentWindow window;
    const pieces::SplitOptions split{Path("film.mpeg"), "mpeg", "film", Path("win/"),
                                     bytes.size(),      2,      4};
    ASSERT_EQ(pieces::RunSplit(split, window, window), pieces::EngineResult::done);
    ASSERT_EQ(Files("cli"), Files("win"));
    for (const std::string& name : Files("cli")) {
        EXPECT_TRUE(ReadWholeFile(Path("cli/" + name)) == ReadWholeFile(Path("win/" + name)))
            << name;
    }

    // Each joins the other's set.
    ASSERT_EQ(RunCliWith({"join", Path("win/film.001")}).code, kExitSuccess);
    EXPECT_TRUE(ReadWholeFile(Path("win/film.mpeg")) == bytes);
    const pieces::PanelTag tag = pieces::ReadPanelTagFromFile(Path("cli/film.001"));
    const pieces::JoinOptions join{false,        Path("cli/film.001"), Path("cli/"),       "film",
                                   Path("cli/"), tag.pieceCount,       tag.storedExtension};
    ASSERT_EQ(pieces::RunJoin(join, window, window), pieces::EngineResult::done);
    EXPECT_TRUE(ReadWholeFile(Path("cli/film.mpeg")) == bytes);
}

// Standard output that takes nothing, as a full disk does.
class CFullOutput : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST_F(CliTest, OutputThatCannotBeWrittenIsAFileError) {
    WriteWholeFile(Path("a.bin"), "abc");
    WriteWholeFile(Path("b.bin"), "abd");
    ASSERT_EQ(RunCliWith({"pack", Path("a.pck"), Path("a.bin")}).code, kExitSuccess);
    const std::vector<std::string> commands[] = {
        {"info", Path("a.bin")},
        {"compare", Path("a.bin"), Path("b.bin")},
        {"props", Path("a.bin")},
        {"list", Path("a.pck")},
        {"--help"},
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(args.front());
        std::istringstream in;
        CFullOutput full;
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(cli::RunCli(args, in, out, err, {}), kExitFileError);
        EXPECT_NE(err.str().find(res::LoadString(res::IDS_STANDARD_OUTPUT)), std::string::npos)
            << err.str();
    }
}

}  // namespace
}  // namespace scx::test
