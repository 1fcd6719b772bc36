// Checksum files from the command line: split --checksums, the verified join, verify and
// info, against sha256sum itself where it is installed.

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "CliFixture.h"
#include "Sha256.h"

namespace scx::test {
namespace {

using cli::kExitRefused;
using cli::kExitSuccess;

// 3 pieces of 1024 bytes (the first with its tag) and a shorter fourth one.
const std::string kBytes = PatternBytes(3 * 1024 + 300, 7);

// A message with a second slot, "%2".
std::string SaidWith(unsigned stringId, const std::string& path, const std::string& second) {
    std::string text = Said(stringId, path);
    return text.replace(text.find("%2"), 2, second);
}

class CliChecksumTest : public CliTest {
  protected:
    void SplitFilm(const std::string& base = "film") {
        WriteWholeFile(Path(base + ".avi"), kBytes);
        ASSERT_EQ(RunCliWith({"split", Path(base + ".avi"), "--size", "1", "--checksums", "--quiet",
                              "--if-exists", "overwrite"})
                      .code,
                  kExitSuccess);
        std::filesystem::remove(Utf8Path(Path(base + ".avi")));
    }

    // Changes a digit of the checksum file's last line, the joined file's; its text before.
    std::string SpoilJoinedChecksum(const std::string& base = "film") {
        const std::string sums = ReadWholeFile(Path(base + ".sha256"));
        std::string text = sums;
        const std::size_t last = text.rfind('\n', text.size() - 2) + 1;
        text[last] = text[last] == '0' ? '1' : '0';
        WriteWholeFile(Path(base + ".sha256"), text);
        return sums;
    }

    // sha256sum -c in the folder, as a user would run it; -1 without sha256sum.
    int SystemCheck(const std::string& sums) const {
        if (std::system("command -v sha256sum >/dev/null 2>&1") != 0) {
            return -1;
        }
        const std::string command =
            "cd '" + Folder() + "' && sha256sum -c --strict --quiet '" + sums + "' >/dev/null 2>&1";
        return std::system(command.c_str());
    }

    void FlipByte(const std::string& name, std::uint64_t offset) {
        std::string bytes = ReadWholeFile(Path(name));
        bytes[offset] = static_cast<char>(bytes[offset] ^ 0x01);
        WriteWholeFile(Path(name), bytes);
    }
};

TEST_F(CliChecksumTest, SplitWritesWhatSha256sumChecks) {
    WriteWholeFile(Path("film.avi"), kBytes);
    const CliRun split = RunCliWith({"split", Path("film.avi"), "--size", "1", "--checksums"});
    EXPECT_EQ(split.code, kExitSuccess);
    EXPECT_EQ(split.err,
              Said(res::IDS_CUT_DONE) + Said(res::IDS_CHECKSUMS_WRITTEN, Path("film.sha256")));
    const std::string text = ReadWholeFile(Path("film.sha256"));
    const std::vector<std::string> names = {"film.001", "film.002", "film.003", "film.004",
                                            "film.avi"};
    std::string expected;
    for (const std::string& name : names) {
        expected += pieces::Sha256OfFile(Path(name)) + "  " + name + "\n";
    }
    EXPECT_EQ(text, expected);
    const int checked = SystemCheck("film.sha256");
    EXPECT_TRUE(checked == 0 || checked == -1);

    std::filesystem::rename(Path("film.avi"), Path("source.avi"));
    const CliRun join = RunCliWith({"join", Path("film.001")});
    EXPECT_EQ(join.code, kExitSuccess);
    EXPECT_EQ(join.err,
              Said(res::IDS_JOIN_DONE) + Said(res::IDS_JOIN_VERIFIED, Path("film.sha256")));
    EXPECT_TRUE(ReadWholeFile(Path("film.avi")) == kBytes);
    const CliRun verify = RunCliWith({"verify", Path("film.001")});
    EXPECT_EQ(verify.code, kExitSuccess);
    EXPECT_EQ(verify.out, "film.001: OK\nfilm.002: OK\nfilm.003: OK\nfilm.004: OK\n");
    EXPECT_EQ(verify.err, Said(res::IDS_VERIFY_DONE));
    const CliRun info = RunCliWith({"info", Path("film.001")});
    EXPECT_NE(info.out.find("\nFichier de sommes de contrôle : film.sha256\n"), std::string::npos)
        << info.out;
}

TEST_F(CliChecksumTest, ADamagedPieceIsNamedAndNotJoined) {
    const struct {
        std::string piece;
        std::uint64_t offset;
    } cases[] = {
        {"film.001", 0},    {"film.001", 8}, {"film.001", 1024 + 7}, {"film.002", 0},
        {"film.002", 1023}, {"film.004", 0}, {"film.004", 299},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.piece + " " + std::to_string(c.offset));
        SplitFilm();
        FlipByte(c.piece, c.offset);
        const CliRun verify = RunCliWith({"verify", Path("film.001")});
        EXPECT_EQ(verify.code, kExitRefused);
        EXPECT_NE(verify.out.find(c.piece + ": FAILED\n"), std::string::npos) << verify.out;
        EXPECT_EQ(verify.err, SaidWith(res::IDS_VERIFY_FAILED, "1", "4"));

        const CliRun join = RunCliWith({"join", Path("film.001")});
        EXPECT_EQ(join.code, kExitRefused);
        EXPECT_EQ(join.err, Said(res::IDS_PIECE_DAMAGED, Path(c.piece)));
        EXPECT_FALSE(std::filesystem::exists(Path("film.avi")));

        // The piece's first byte is the tag's: the joined name changes with it.
        const std::vector<std::string> before = Files();
        const CliRun unchecked = RunCliWith({"join", Path("film.001"), "--no-verify", "--quiet"});
        EXPECT_EQ(unchecked.code, kExitSuccess);
        std::vector<std::string> joined;
        std::ranges::set_difference(Files(), before, std::back_inserter(joined));
        ASSERT_EQ(joined.size(), 1u);
        EXPECT_EQ(std::filesystem::file_size(Path(joined[0])), kBytes.size());
        std::filesystem::remove(Path(joined[0]));
    }
}

// A checksum file whose last line does not match pieces that do: the joined file is
// removed all the same, whatever its name (on Windows, one outside the ANSI code page).
TEST_F(CliChecksumTest, AJoinedFileThatDoesNotMatchIsRemoved) {
    for (const std::string base : {"film", "中𝄞"}) {
        SCOPED_TRACE(base);
        SplitFilm(base);
        SpoilJoinedChecksum(base);
        const CliRun join = RunCliWith({"join", Path(base + ".001")});
        EXPECT_EQ(join.code, kExitRefused);
        EXPECT_EQ(join.err, Said(res::IDS_JOINED_DAMAGED, Path(base + ".sha256")));
        EXPECT_FALSE(std::filesystem::exists(Utf8Path(Path(base + ".avi"))));
    }
}

TEST_F(CliChecksumTest, MissingAndUnlistedPieces) {
    SplitFilm();
    std::filesystem::rename(Path("film.003"), Path("ailleurs"));
    CliRun verify = RunCliWith({"verify", Path("film.001")});
    EXPECT_EQ(verify.code, kExitRefused);
    EXPECT_EQ(verify.out,
              "film.001: OK\nfilm.002: OK\nfilm.003: FAILED open or read\nfilm.004: OK\n");
    EXPECT_EQ(verify.err.substr(0, Said(res::IDS_PIECE_MISSING, Path("film.003")).size()),
              Said(res::IDS_PIECE_MISSING, Path("film.003")));
    CliRun join = RunCliWith({"join", Path("film.001")});
    EXPECT_EQ(join.code, kExitRefused);
    EXPECT_EQ(join.err, Said(res::IDS_PIECE_MISSING, Path("film.003")));
    EXPECT_FALSE(std::filesystem::exists(Path("film.avi")));

    std::filesystem::rename(Path("ailleurs"), Path("film.003"));
    std::string text = ReadWholeFile(Path("film.sha256"));
    const std::size_t line = text.find("  film.002\n") - 64;
    text.erase(line, 64 + 11);
    WriteWholeFile(Path("film.sha256"), text);
    join = RunCliWith({"join", Path("film.001")});
    EXPECT_EQ(join.code, kExitRefused);
    EXPECT_EQ(join.err, Said(res::IDS_PIECE_NOT_LISTED, Path("film.002")));
    EXPECT_FALSE(std::filesystem::exists(Path("film.avi")));
    verify = RunCliWith({"verify", Path("film.001")});
    EXPECT_EQ(verify.code, kExitRefused);
    EXPECT_EQ(verify.out, "film.001: OK\nfilm.003: OK\nfilm.004: OK\n");
}

TEST_F(CliChecksumTest, MalformedAndHostileChecksumFiles) {
    const std::string digest(64, 'a');
    const struct {
        std::string text;
        unsigned stringId;
        std::string line;
    } cases[] = {
        {digest + "  film.001\n" + digest + " film.002\n", res::IDS_CHECKSUM_MALFORMED, "2"},
        {std::string(64, 'F') + "  film.001\n", res::IDS_CHECKSUM_MALFORMED, "1"},
        {digest + "  film.001\r\n", res::IDS_CHECKSUM_MALFORMED, "1"},
        {digest + "  film.001\n\n", res::IDS_CHECKSUM_MALFORMED, "2"},
        {digest + "  film.001\n" + digest + "  ../film.002\n", res::IDS_CHECKSUM_UNSAFE_NAME, "2"},
        {digest + "  /etc/passwd\n", res::IDS_CHECKSUM_UNSAFE_NAME, "1"},
        {digest + "  ..\n", res::IDS_CHECKSUM_UNSAFE_NAME, "1"},
        {digest + "  film.001\n" + digest + "  film.001\n", res::IDS_CHECKSUM_DUPLICATE, "2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        SplitFilm();
        WriteWholeFile(Path("film.sha256"), c.text);
        const std::string said = SaidWith(c.stringId, Path("film.sha256"), c.line);
        for (const char* command : {"join", "verify"}) {
            const CliRun run = RunCliWith({command, Path("film.001")});
            EXPECT_EQ(run.code, kExitRefused) << command;
            EXPECT_EQ(run.err, said) << command;
            EXPECT_EQ(run.out, "") << command;
        }
        EXPECT_FALSE(std::filesystem::exists(Path("film.avi")));
    }
}

TEST_F(CliChecksumTest, CopyNamesAndSetsWithout) {
    // A set without checksum file joins as before, and verify says there is none.
    WriteWholeFile(Path("film.avi"), kBytes);
    ASSERT_EQ(RunCliWith({"split", Path("film.avi"), "--size", "1", "--quiet"}).code, kExitSuccess);
    CliRun verify = RunCliWith({"verify", Path("film.001")});
    EXPECT_EQ(verify.code, kExitRefused);
    EXPECT_EQ(verify.err, Said(res::IDS_NO_CHECKSUM_FILE, Path("film.sha256")));
    EXPECT_NE(RunCliWith({"info", Path("film.001")}).out.find("contrôle : absent\n"),
              std::string::npos);

    // The first piece's name is taken: the copy names, and a checksum file that follows.
    const CliRun split = RunCliWith(
        {"split", Path("film.avi"), "--size", "1", "--checksums", "--if-exists", "copy"});
    EXPECT_EQ(split.code, kExitSuccess);
    EXPECT_EQ(split.err, Said(res::IDS_CUT_DONE) +
                             Said(res::IDS_CHECKSUMS_WRITTEN, Path("film_Copie.sha256")));
    EXPECT_FALSE(std::filesystem::exists(Path("film.sha256")));
    EXPECT_NE(ReadWholeFile(Path("film_Copie.sha256")).find("  film_Copie.004\n"),
              std::string::npos);
    std::filesystem::remove(Path("film.avi"));
    const CliRun join = RunCliWith({"join", Path("film_Copie.001"), "--quiet"});
    EXPECT_EQ(join.code, kExitSuccess);
    EXPECT_TRUE(ReadWholeFile(Path("film_Copie.avi")) == kBytes);
    const int checked = SystemCheck("film_Copie.sha256");
    EXPECT_TRUE(checked == 0 || checked == -1);
    const CliRun plain = RunCliWith({"join", Path("film.001"), "--quiet"});
    EXPECT_EQ(plain.code, kExitSuccess);
    EXPECT_EQ(plain.err, "");
}

// A piece that cannot be read half way: a verified join leaves nothing that looks whole;
// without verification the joined file keeps what was written, as the window leaves it.
TEST_F(CliChecksumTest, AFileErrorRemovesOnlyAVerifiedOutput) {
    SplitFilm();
    const std::string third = Path("film.003");
    for (const bool verified : {true, false}) {
        SCOPED_TRACE(verified);
        CFile::SetFaultHook(
            [&](CFile::Op op, const std::string& path, std::uint64_t, std::size_t&) {
                return op == CFile::Op::read && path == third ? EIO : 0;
            });
        const CliRun join = verified ? RunCliWith({"join", Path("film.001")})
                                     : RunCliWith({"join", Path("film.001"), "--no-verify"});
        CFile::SetFaultHook(nullptr);
        EXPECT_EQ(join.code, cli::kExitFileError);
        EXPECT_NE(join.err.find(third), std::string::npos) << join.err;
        EXPECT_EQ(std::filesystem::exists(Path("film.avi")), !verified);
    }
    EXPECT_TRUE(ReadWholeFile(Path("film.avi")) == kBytes.substr(0, 2048));
}

// A verified join writes nothing under the joined name until every checksum matched: a
// file the user agreed to replace is kept when the join fails or is interrupted, and no
// file is left that looks whole.
TEST_F(CliChecksumTest, AVerifiedJoinKeepsTheFileItWouldReplaceUntilItIsWhole) {
    SplitFilm();
    const std::string before = "the film that was there";
    const std::vector<std::string> join = {"join", Path("film.001"), "--if-exists", "overwrite",
                                           "--quiet"};
    enum class Failure { readError, badChecksum, interruption, hangUp, termination };
    for (const Failure failure : {Failure::readError, Failure::badChecksum, Failure::interruption,
                                  Failure::hangUp, Failure::termination}) {
        SCOPED_TRACE(static_cast<int>(failure));
        for (const bool existed : {true, false}) {
            SCOPED_TRACE(existed);
            if (existed) {
                WriteWholeFile(Path("film.avi"), before);
            }
            const std::vector<std::string> files = Files();
            if (failure == Failure::readError || failure == Failure::badChecksum) {
                const std::string piece =
                    failure == Failure::readError ? Path("film.003") : std::string();
                const std::string sums = failure == Failure::badChecksum
                                             ? SpoilJoinedChecksum()
                                             : ReadWholeFile(Path("film.sha256"));
                CFile::SetFaultHook(
                    [&](CFile::Op op, const std::string& path, std::uint64_t, std::size_t&) {
                        return op == CFile::Op::read && path == piece ? EIO : 0;
                    });
                const CliRun run = RunCliWith(join);
                CFile::SetFaultHook(nullptr);
                WriteWholeFile(Path("film.sha256"), sums);
                EXPECT_NE(run.code, kExitSuccess);
            } else {
#ifdef _WIN32
                GTEST_SKIP() << "no POSIX signals; the console's events cannot be raised from a "
                                "test";
#else
                const int number = failure == Failure::interruption ? SIGINT
                                   : failure == Failure::hangUp     ? SIGHUP
                                                                    : SIGTERM;
                EXPECT_EXIT(ExitFromCliInterruptedAtFirstWrite(join, number),
                            ::testing::ExitedWithCode(128 + number), "");
#endif
            }
            EXPECT_EQ(Files(), files);
            if (existed) {
                EXPECT_EQ(ReadWholeFile(Path("film.avi")), before);
                std::filesystem::remove(Path("film.avi"));
            }
        }
    }
    EXPECT_EQ(RunCliWith(join).code, kExitSuccess);
    EXPECT_TRUE(ReadWholeFile(Path("film.avi")) == kBytes);
}

// Cutting again without --checksums over a set that had them: the old checksum file would
// make the join refuse the new pieces, so the split says so; pieces written under the copy
// names leave the old set and its checksum file valid.
TEST_F(CliChecksumTest, ASplitOverAChecksummedSetWarnsOfTheOldFile) {
    const struct {
        std::string ifExists;
        std::string err;
    } cases[] = {
        {"overwrite", Said(res::IDS_CHECKSUMS_STALE, Path("film.sha256"))},
        {"copy", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ifExists);
        SplitFilm();
        // Timestamps are coarse: the old set is made clearly older, all at one time.
        const auto before = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
        for (const std::string& name : Files()) {
            std::filesystem::last_write_time(Path(name), before);
        }
        WriteWholeFile(Path("film.avi"), kBytes);
        const CliRun split = RunCliWith(
            {"split", Path("film.avi"), "--size", "1", "--quiet", "--if-exists", c.ifExists});
        EXPECT_EQ(split.code, kExitSuccess);
        EXPECT_EQ(split.err, c.err);
    }
}

// A checksum file fetched with the file before it was cut lists no piece: the join checks
// the joined file alone, or nothing when the file is not listed either.
TEST_F(CliChecksumTest, ChecksumFilesThatListNoPiece) {
    WriteWholeFile(Path("film.avi"), kBytes);
    const std::string digest = pieces::Sha256OfFile(Path("film.avi"));
    const std::string other(64, 'b');
    ASSERT_EQ(RunCliWith({"split", Path("film.avi"), "--size", "1", "--quiet"}).code, kExitSuccess);
    std::filesystem::remove(Path("film.avi"));
    const struct {
        std::string text;
        int code;
        std::string err;
    } cases[] = {
        {digest + "  film.avi\n", kExitSuccess,
         Said(res::IDS_JOIN_DONE) + Said(res::IDS_JOIN_VERIFIED, Path("film.sha256"))},
        {other + "  film.avi\n", kExitRefused, Said(res::IDS_JOINED_DAMAGED, Path("film.sha256"))},
        {other + "  autre.txt\n", kExitSuccess, Said(res::IDS_JOIN_DONE)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        WriteWholeFile(Path("film.sha256"), c.text);
        const CliRun join = RunCliWith({"join", Path("film.001")});
        EXPECT_EQ(join.code, c.code);
        EXPECT_EQ(join.err, c.err);
        EXPECT_EQ(std::filesystem::exists(Path("film.avi")), c.code == kExitSuccess);
        std::filesystem::remove(Path("film.avi"));
    }
}

TEST_F(CliChecksumTest, HJSplitSets) {
    const std::string bytes = PatternBytes(2500, 3);
    std::string sums;
    for (int k = 1; k <= 3; ++k) {
        const std::string name = "x.avi.00" + std::to_string(k);
        WriteWholeFile(Path(name), bytes.substr(static_cast<std::size_t>(k - 1) * 1000, 1000));
        sums += pieces::Sha256OfFile(Path(name)) + "  " + name + "\n";
    }
    // A number no listing of 4 lines can reach is not taken for the end of the set.
    sums += std::string(64, 'c') + "  x.avi.4000000000\n";
    WriteWholeFile(Path("x.avi.sha256"), sums);
    CliRun verify = RunCliWith({"verify", Path("x.avi.001"), "--hjsplit", "--quiet"});
    EXPECT_EQ(verify.code, kExitSuccess);
    EXPECT_EQ(verify.out, "x.avi.001: OK\nx.avi.002: OK\nx.avi.003: OK\n");
    EXPECT_EQ(verify.err, "");
    EXPECT_EQ(RunCliWith({"join", Path("x.avi.001"), "--hjsplit", "--quiet"}).code, kExitSuccess);
    EXPECT_TRUE(ReadWholeFile(Path("x.avi")) == bytes);
    std::filesystem::remove(Path("x.avi"));

    FlipByte("x.avi.003", 499);
    CliRun join = RunCliWith({"join", Path("x.avi.001"), "--hjsplit"});
    EXPECT_EQ(join.code, kExitRefused);
    EXPECT_EQ(join.err, Said(res::IDS_PIECE_DAMAGED, Path("x.avi.003")));
    EXPECT_FALSE(std::filesystem::exists(Path("x.avi")));

    // A gap ends an HJSplit count; the listing shows the piece is missing, not the set short.
    std::filesystem::remove(Path("x.avi.002"));
    join = RunCliWith({"join", Path("x.avi.001"), "--hjsplit"});
    EXPECT_EQ(join.code, kExitRefused);
    EXPECT_EQ(join.err, Said(res::IDS_PIECE_MISSING, Path("x.avi.002")));
    verify = RunCliWith({"verify", Path("x.avi.001"), "--hjsplit"});
    EXPECT_EQ(verify.out, "x.avi.001: OK\nx.avi.002: FAILED open or read\nx.avi.003: FAILED\n");
    EXPECT_EQ(verify.code, kExitRefused);
}

TEST_F(CliChecksumTest, NamesAChecksumFileCannotHold) {
    const struct {
        std::string source;
        unsigned stringId;
        std::string named;
    } cases[] = {
#ifndef _WIN32
        // Names Windows cannot hold.
        {"a\\b.avi", res::IDS_NAME_NOT_LISTABLE, "a\\b.001"},
        {"tab\t.avi", res::IDS_NAME_NOT_LISTABLE, "tab\t.001"},
#endif
        {"film.sha256", res::IDS_CHECKSUM_IS_SOURCE, Path("film.sha256")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        WriteWholeFile(Path(c.source), kBytes);
        const CliRun run = RunCliWith({"split", Path(c.source), "--size", "1", "--checksums"});
        EXPECT_EQ(run.code, kExitRefused);
        EXPECT_EQ(run.err, Said(c.stringId, c.named));
        EXPECT_EQ(Files(), std::vector<std::string>{c.source});
        std::filesystem::remove(Path(c.source));
    }
}

}  // namespace
}  // namespace scx::test
