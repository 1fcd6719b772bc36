// The subcommands run in process: their results on disk, messages and exit statuses.

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

TEST_F(CliTest, SplitWritesTheWindowsSet) {
    const std::string bytes = PatternBytes(3000000);
    WriteWholeFile(Path("film.avi"), bytes);
    const CliRun run = RunCliWith({"split", Path("film.avi")});
    EXPECT_EQ(run.code, kExitSuccess);
    EXPECT_EQ(run.err, Said(res::IDS_CUT_DONE));
    EXPECT_EQ(run.out, "");
    const std::string first = ReadWholeFile(Path("film.001"));
    EXPECT_EQ(first.substr(0, 8), "avi  003");
    EXPECT_EQ(first.substr(8), bytes.substr(0, kPartition1400));
    EXPECT_EQ(ReadWholeFile(Path("film.002")), bytes.substr(kPartition1400, kPartition1400));
    EXPECT_EQ(ReadWholeFile(Path("film.003")), bytes.substr(2 * kPartition1400));
    EXPECT_EQ(Files(), (std::vector<std::string>{"film.001", "film.002", "film.003", "film.avi"}));
}

TEST_F(CliTest, SplitIntoDestinationWithoutSeparatorQuietly) {
    std::filesystem::create_directory(Path("out"));
    WriteWholeFile(Path("notes.txt"), PatternBytes(5000));
    const CliRun run =
        RunCliWith({"split", "--quiet", Path("notes.txt"), "--size=2", "--dest", Path("out")});
    EXPECT_EQ(run.code, kExitSuccess);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(Files("out"), (std::vector<std::string>{"notes.001", "notes.002", "notes.003"}));
}

TEST_F(CliTest, SplitRefusals) {
    const struct {
        const char* name;
        std::uint64_t length;
        const char* size;
        int code;
        std::string err;
    } cases[] = {
        {"one byte short", kPartition1400 - 1, "1400", kExitRefused, Said(res::IDS_FILE_SMALLER)},
        {"empty file", 0, "1400", kExitRefused, Said(res::IDS_FILE_SMALLER)},
        {"size zero", 5000, "0", kExitRefused, Said(res::IDS_ZERO_PARTITION)},
        {"1000 pieces", 1000 * 1024, "1", kExitRefused, Said(res::IDS_TOO_MANY_PIECES)},
        {"999 pieces", 999 * 1024 - 1, "1", kExitSuccess, Said(res::IDS_CUT_DONE)},
        {"partition as long as the file", 2048, "2", kExitSuccess, Said(res::IDS_CUT_DONE)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        const std::string source = folder.Path("data.bin");
        WriteWholeFile(source, PatternBytes(c.length));
        const CliRun run = RunCliWith({"split", source, "--size", c.size});
        EXPECT_EQ(run.code, c.code);
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(std::filesystem::exists(folder.Path("data.001")), c.code == kExitSuccess);
    }
}

TEST_F(CliTest, FileErrorsNameTheFile) {
    WriteWholeFile(Path("film.avi"), PatternBytes(4000));
    CliRun run = RunCliWith({"split", Path("absent.avi")});
    EXPECT_EQ(run.code, kExitFileError);
    EXPECT_EQ(run.err, Said(res::IDS_FILE_NOT_FOUND, Path("absent.avi")));

    run = RunCliWith({"split", Path("film.avi"), "--size", "1", "--dest", Path("nowhere")});
    EXPECT_EQ(run.code, kExitFileError);
    EXPECT_EQ(run.err, Said(res::IDS_FILE_BAD_PATH, Path("nowhere")));

    // A set whose second piece went missing: the joined file keeps the first one's data.
    ASSERT_EQ(RunCliWith({"split", Path("film.avi"), "--size", "1"}).code, kExitSuccess);
    std::filesystem::create_directory(Path("out"));
    std::filesystem::remove(Path("film.002"));
    run = RunCliWith({"join", Path("film.001"), "--dest", Path("out")});
    EXPECT_EQ(run.code, kExitFileError);
    EXPECT_EQ(run.err, Said(res::IDS_FILE_NOT_FOUND, Path("film.002")));
    EXPECT_EQ(ReadWholeFile(Path("out/film.avi")), PatternBytes(4000).substr(0, 1024));
}

TEST_F(CliTest, SplitAndJoinKeepToTheirKindOfFile) {
    WriteWholeFile(Path("film.001"), "avi  001data");
    WriteWholeFile(Path("film.avi"), "data");
    CliRun run = RunCliWith({"split", Path("film.001")});
    EXPECT_EQ(run.code, kExitRefused);
    EXPECT_NE(run.err.find(Path("film.001")), std::string::npos);
    run = RunCliWith({"join", Path("film.avi")});
    EXPECT_EQ(run.code, kExitRefused);
    EXPECT_NE(run.err.find(Path("film.avi")), std::string::npos);
    EXPECT_EQ(Files(), (std::vector<std::string>{"film.001", "film.avi"}));
}

TEST_F(CliTest, JoinOwnAndHJSplitSets) {
    const std::string bytes = PatternBytes(10000);
    WriteWholeFile(Path("photo.jpeg"), bytes);
    ASSERT_EQ(RunCliWith({"split", Path("photo.jpeg"), "--size", "3"}).code, kExitSuccess);
    std::filesystem::create_directory(Path("out"));
    CliRun run = RunCliWith({"join", Path("photo.001"), "--dest", Path("out") + "/"});
    EXPECT_EQ(run.code, kExitSuccess);
    EXPECT_EQ(run.err, Said(res::IDS_JOIN_DONE));
    EXPECT_EQ(ReadWholeFile(Path("out/photo.jpeg")), bytes);

    // HJSplit: the count stops at the first gap; the joined file is the base name.
    WriteWholeFile(Path("clip.avi.001"), "AAA");
    WriteWholeFile(Path("clip.avi.002"), "BB");
    WriteWholeFile(Path("clip.avi.004"), "DD");
    run = RunCliWith({"join", Path("clip.avi.001"), "--hjsplit", "--dest", Path("out")});
    EXPECT_EQ(run.code, kExitSuccess);
    EXPECT_EQ(ReadWholeFile(Path("out/clip.avi")), "AAABB");
}

TEST_F(CliTest, JoinRefusals) {
    // Pieces made by HJSplit carry no tag: own mode refuses them, and HJSplit mode wants
    // a base name holding the extension.
    WriteWholeFile(Path("clip.avi.001"), PatternBytes(100));
    WriteWholeFile(Path("film.001"), PatternBytes(100));
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"join", Path("clip.avi.001")}, Said(res::IDS_NOT_CUT_BY_SCINDAREX)},
        {{"join", Path("film.001"), "--hjsplit"}, Said(res::IDS_HJSPLIT_NO_EXTENSION)},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCliWith(c.args);
        EXPECT_EQ(run.code, kExitRefused);
        EXPECT_EQ(run.err, c.err);
    }
    EXPECT_EQ(Files(), (std::vector<std::string>{"clip.avi.001", "film.001"}));
}

TEST_F(CliTest, InfoPrintsThePanelLines) {
    WriteWholeFile(Path("film.avi"), PatternBytes(5000000));
    WriteWholeFile(Path("exact.bin"), PatternBytes(kPartition1400));
    WriteWholeFile(Path("vide.txt"), "");
    WriteWholeFile(Path("LISEZMOI"), PatternBytes(1024));
    WriteWholeFile(Path("clip.mpeg"), PatternBytes(3000000));
    ASSERT_EQ(RunCliWith({"split", Path("clip.mpeg")}).code, kExitSuccess);
    WriteWholeFile(Path("x.avi.001"), "12345");
    WriteWholeFile(Path("x.avi.002"), "12345");
    WriteWholeFile(Path("x.avi.004"), "12345");

    using Lines = std::vector<std::string>;
    const struct {
        std::vector<std::string> args;
        Lines lines;
    } cases[] = {
        {{"info", Path("film.avi")},
         {Path("film.avi"), "avi", "4.7683716   Mo", "Nombre de fichier produits :  4",
          "Taille de partition :  1400"}},
        {{"info", Path("film.avi"), "--size", "700", "--hjsplit"},
         {Path("film.avi"), "avi", "4.7683716   Mo", "Nombre de fichier produits :  7",
          "Taille de partition :  700"}},
        {{"info", Path("exact.bin")},
         {Path("exact.bin"), "bin", "1.3671875   Mo", "Nombre de fichier produits :  2",
          "Taille de partition :  1400"}},
        {{"info", Path("vide.txt")},
         {Path("vide.txt"), "txt", "0.   octets", "Nombre de fichier produits :  1",
          "Taille de partition :  1400"}},
        {{"info", Path("LISEZMOI"), "--size", "0"},
         {Path("LISEZMOI"), "", "1.   ko", "Nombre de fichier produits :  0",
          "Taille de partition :  0"}},
        {{"info", Path("clip.001")},
         {Path("clip.001"), "001", "1.3671951   Mo", "Extension du fichier joint :   mpeg",
          "Nombres de fichiers à joindre :   3"}},
        {{"info", Path("x.avi.001"), "--hjsplit"},
         {Path("x.avi.001"), "001", "5.   octets", "Extension du fichier joint :   avi",
          "Nombres de fichiers à joindre :   2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1]);
        const CliRun run = RunCliWith(c.args);
        EXPECT_EQ(run.code, kExitSuccess);
        EXPECT_EQ(run.err, "");
        std::string expected;
        for (const std::string& line : c.lines) {
            expected += line + "\n";
        }
        EXPECT_EQ(run.out, expected);
    }
}

TEST_F(CliTest, InfoOfUnreadableFirstPieces) {
    WriteWholeFile(Path("x.avi.001"), "ABCDEFGH");
    WriteWholeFile(Path("film.001"), "avi  -03data");
    CliRun run = RunCliWith({"info", Path("x.avi.001")});
    EXPECT_EQ(run.code, kExitRefused);
    EXPECT_EQ(run.out, Path("x.avi.001") +
                           "\n001\n8.   octets\nExtension du fichier joint :   ABCD\n"
                           "Nombres de fichiers à joindre :   0\n");
    EXPECT_EQ(run.err, Said(res::IDS_TAG_UNREADABLE));

    run = RunCliWith({"info", Path("film.001")});
    EXPECT_EQ(run.code, kExitRefused);
    EXPECT_EQ(run.err, Said(res::IDS_TAG_UNREADABLE));

    run = RunCliWith({"info", Path("film.001"), "--hjsplit"});
    EXPECT_EQ(run.code, kExitRefused);
    EXPECT_EQ(run.out, Path("film.001") + "\n001\n12.   octets\n");
    EXPECT_EQ(run.err, Said(res::IDS_HJSPLIT_NO_EXTENSION));
}

// The first output name taken, each mode of --if-exists, in each operation's copy form.
TEST_F(CliTest, IfExistsModes) {
    const std::string bytes = PatternBytes(3000);
    WriteWholeFile(Path("film.avi"), bytes);
    const std::string kept = "already here";
    const struct {
        std::vector<std::string> options;
        std::string input;
        bool inIsTerminal;
        int code;
        const char* written;  // the file the data went to, or none
        int questions;        // how many of 107 and 108 were put on the terminal
    } cases[] = {
        {{"--if-exists", "overwrite"}, "", false, kExitSuccess, "film.001", 0},
        {{"--if-exists", "copy"}, "", false, kExitSuccess, "film_Copie.001", 0},
        {{"--if-exists", "fail"}, "o\n", true, kExitRefused, nullptr, 0},
        {{}, "o\n", false, kExitRefused, nullptr, 0},  // not a terminal: fail
        {{}, "O\n", true, kExitSuccess, "film.001", 1},
        {{"--if-exists", "ask"}, " Oui \n", false, kExitSuccess, "film.001", 1},
        {{"--if-exists", "ask"}, "NON\no\n", false, kExitSuccess, "film_Copie.001", 2},
        {{"--if-exists", "ask"}, "n\npeut-être\nnon\n", false, kExitRefused, nullptr, 2},
        {{"--if-exists", "ask"}, "", false, kExitRefused, nullptr, 2},  // end of input
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.options) + " " + c.input);
        for (const char* name : {"film.001", "film.002", "film.003", "film_Copie.001"}) {
            std::filesystem::remove(Path(name));
        }
        WriteWholeFile(Path("film.001"), kept);
        std::vector<std::string> args = {"split", Path("film.avi"), "--size", "1"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        cli::CliEnvironment environment;
        environment.inIsTerminal = c.inIsTerminal;

        const CliRun run = RunCliWith(args, c.input, environment);
        EXPECT_EQ(run.code, c.code);
        const bool asked107 =
            run.err.find(res::LoadString(res::IDS_OVERWRITE)) != std::string::npos;
        const bool asked108 = run.err.find(res::LoadString(res::IDS_ADD_COPY)) != std::string::npos;
        EXPECT_EQ(int{asked107} + int{asked108}, c.questions);
        if (c.written == nullptr) {
            EXPECT_EQ(ReadWholeFile(Path("film.001")), kept);
            EXPECT_FALSE(std::filesystem::exists(Path("film.002")));
            EXPECT_FALSE(std::filesystem::exists(Path("film_Copie.001")));
        } else {
            EXPECT_EQ(ReadWholeFile(Path(c.written)).substr(8), bytes.substr(0, 1024));
            EXPECT_EQ(std::string(c.written) == "film.001",
                      ReadWholeFile(Path("film.001")) != kept);
        }
        // Only the fail mode explains itself: a user who declined knows why.
        const bool explained = run.err.find(Path("film.001")) != std::string::npos;
        EXPECT_EQ(explained, c.code == kExitRefused && c.questions == 0);
    }
}

TEST_F(CliTest, JoinCopyNames) {
    WriteWholeFile(Path("film.avi"), PatternBytes(3000));
    ASSERT_EQ(RunCliWith({"split", Path("film.avi"), "--size", "2"}).code, kExitSuccess);
    WriteWholeFile(Path("clip.avi.001"), "AB");
    WriteWholeFile(Path("clip.avi.002"), "C");
    WriteWholeFile(Path("clip.avi"), "old");
    EXPECT_EQ(RunCliWith({"join", Path("film.001"), "--if-exists", "copy"}).code, kExitSuccess);
    EXPECT_EQ(ReadWholeFile(Path("film_Copie.avi")), PatternBytes(3000));
    EXPECT_EQ(RunCliWith({"join", Path("clip.avi.001"), "--hjsplit", "--if-exists=copy"}).code,
              kExitSuccess);
    EXPECT_EQ(ReadWholeFile(Path("Copie_de_clip.avi")), "ABC");
    EXPECT_EQ(ReadWholeFile(Path("clip.avi")), "old");

    const CliRun run = RunCliWith({"join", Path("clip.avi.001"), "--hjsplit"});
    EXPECT_EQ(run.code, kExitRefused);
    EXPECT_NE(run.err.find(Path("clip.avi")), std::string::npos);
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
        {"split", file, "--size", "12k"},
        {"split", file, "--size"},
        {"split", file, "--hjsplit"},
        {"split", file, "--quiet=yes"},
        {"info", file, "--dest", Path("")},
        {"info", file, "--quiet"},
        {"join", file, "--if-exists", "maybe"},
        {"join", file, "--size", "10"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const CliRun run = RunCliWith(args);
        EXPECT_EQ(run.code, kExitUsage);
        EXPECT_EQ(run.out, "");
        // What is wrong, then the usage line.
        const std::size_t usage = run.err.rfind("Utilisation : scindarex-cli ");
        ASSERT_NE(usage, std::string::npos);
        EXPECT_GT(usage, 0u);
        EXPECT_EQ(run.err.find('\n', usage), run.err.size() - 1);
    }
    EXPECT_EQ(Files(), std::vector<std::string>{"f.avi"});

    const CliRun size = RunCliWith({"split", file, "--size", "abc"});
    EXPECT_EQ(size.err.rfind(res::LoadString(res::IDS_SIZE_NOT_NUMERIC), 0), 0u);
}

TEST_F(CliTest, HelpAndVersion) {
    CliRun run = RunCliWith({"--version"});
    EXPECT_EQ(run.code, kExitSuccess);
    EXPECT_EQ(run.out, "scindarex-cli 2.01\n");
    for (const auto& args : {std::vector<std::string>{"--help"}, {"join", "--help"}}) {
        run = RunCliWith(args);
        EXPECT_EQ(run.code, kExitSuccess);
        EXPECT_NE(run.out.find("Codes de sortie"), std::string::npos);
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(CliTest, ProgressOnlyOnATerminal) {
    const std::string bytes = PatternBytes(40 << 20);
    WriteWholeFile(Path("big.bin"), bytes);
    // Every reading of the clock moves it on by 30 ms.
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

    run = RunCliWith({"join", Path("big.001"), "--if-exists", "overwrite"}, {}, {});
    EXPECT_EQ(run.err, Said(res::IDS_JOIN_DONE));
    EXPECT_EQ(ReadWholeFile(Path("big.bin")), bytes);

    run =
        RunCliWith({"join", Path("big.001"), "--if-exists", "overwrite", "--quiet"}, {}, terminal);
    EXPECT_EQ(run.code, kExitSuccess);
    EXPECT_EQ(run.err, "");
}

// The window's engine, driven the way the window drives it, without the window.
class SilentWindow : public pieces::CEngineObserver, public pieces::CUserPrompt {
  public:
    void OnProgressPos(int) override {}
    void OnProgressStep(int) override {}
    void OnStepIt() override {}
    void OnCaptionPercent(int) override {}
    void OnFinishedCaption() override {}
    void OnRepaint() override {}
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
    pieces::SplitOptions split;
    split.sourcePath = Path("film.mpeg");
    split.sourceExtension = "mpeg";
    split.baseName = "film";
    split.destFolder = Path("win/");
    split.selectedLength = bytes.size();
    split.partitionKb = 2;
    split.pieceCount = 4;
    ASSERT_EQ(pieces::RunSplit(split, window, window), pieces::EngineResult::done);

    ASSERT_EQ(Files("cli"), Files("win"));
    for (const std::string& name : Files("cli")) {
        EXPECT_EQ(ReadWholeFile(Path("cli/" + name)), ReadWholeFile(Path("win/" + name))) << name;
    }

    // Each joins the other's set.
    ASSERT_EQ(RunCliWith({"join", Path("win/film.001")}).code, kExitSuccess);
    EXPECT_EQ(ReadWholeFile(Path("win/film.mpeg")), bytes);
    pieces::JoinOptions join;
    join.firstPiecePath = Path("cli/film.001");
    join.sourceFolder = Path("cli/");
    join.baseName = "film";
    join.destFolder = Path("cli/");
    const pieces::PanelTag tag = pieces::ReadPanelTagFromFile(join.firstPiecePath);
    join.tagPieceCount = tag.pieceCount;
    join.tagExtension = tag.storedExtension;
    ASSERT_EQ(pieces::RunJoin(join, window, window), pieces::EngineResult::done);
    EXPECT_EQ(ReadWholeFile(Path("cli/film.mpeg")), bytes);
}

}  // namespace
}  // namespace scx::test
