// SHA-256, the checksum file's strict reader and writer, and the digests of a set.

#include <gtest/gtest.h>

#include <string>

#include "ChecksumFile.h"
#include "File.h"
#include "SetChecksums.h"
#include "Sha256.h"
#include "TestFiles.h"

namespace scx::test {
namespace {

using pieces::ChecksumFault;

std::span<const unsigned char> Bytes(const std::string& text) {
    return {reinterpret_cast<const unsigned char*>(text.data()), text.size()};
}

std::string DigestOf(const std::string& text) {
    pieces::CSha256 sha;
    sha.Update(Bytes(text));
    return sha.HexDigest();
}

const std::string kDigestA(64, 'a');
const std::string kDigestB = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";

TEST(Sha256Test, KnownDigests) {
    const struct {
        std::string text;
        std::string digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DigestOf(c.text), c.digest) << c.text;
    }
}

TEST(Sha256Test, ChunksAndFilesGiveTheDigestOfTheWhole) {
    TempFolder tmp;
    // Longer than the file reader's block, so that several reads are joined.
    const std::string bytes = PatternBytes((std::size_t{4} << 20) + 12345);
    WriteWholeFile(tmp.Path("f"), bytes);
    pieces::CSha256 sha;
    sha.Update(Bytes(bytes.substr(0, 1)));
    sha.Update(Bytes(bytes.substr(1, 999)));
    sha.Update(Bytes(bytes.substr(1000)));
    const std::string whole = DigestOf(bytes);
    EXPECT_EQ(sha.HexDigest(), whole);
    EXPECT_EQ(pieces::Sha256OfFile(tmp.Path("f")), whole);
    // Once read, the object starts again.
    EXPECT_EQ(sha.HexDigest(), DigestOf(""));
}

TEST(ChecksumFileTest, ReadsWhatItWrites) {
    const std::vector<pieces::ChecksumEntry> entries = {
        {kDigestA, "film.001"}, {kDigestB, "film.002"}, {kDigestA, " nom avec  blancs.avi"}};
    const std::string text = pieces::FormatChecksumLines(entries);
    EXPECT_EQ(text.substr(0, 75), kDigestA + "  film.001\n");
    const pieces::ChecksumListing listing = pieces::ParseChecksumText(text);
    ASSERT_EQ(listing.fault, ChecksumFault::none);
    ASSERT_EQ(listing.entries.size(), 3u);
    EXPECT_EQ(listing.entries[2].name, " nom avec  blancs.avi");
    ASSERT_NE(listing.Find("film.002"), nullptr);
    EXPECT_EQ(listing.Find("film.002")->digest, kDigestB);
    EXPECT_EQ(listing.Find("film.003"), nullptr);
    // The last line may lack its line feed, as an editor may leave it.
    EXPECT_EQ(pieces::ParseChecksumText(text.substr(0, text.size() - 1)).entries.size(), 3u);
}

TEST(ChecksumFileTest, RefusesEveryOtherLineWithItsNumber) {
    const std::string good = kDigestA + "  film.001\n";
    const struct {
        std::string line;
        ChecksumFault fault;
    } cases[] = {
        {std::string(64, 'A') + "  film.002", ChecksumFault::malformedLine},
        {std::string(63, 'a') + "  film.002", ChecksumFault::malformedLine},
        {std::string(65, 'a') + "  film.002", ChecksumFault::malformedLine},
        {kDigestB + " film.002", ChecksumFault::malformedLine},
        {kDigestB + " *film.002", ChecksumFault::malformedLine},
        {"\\" + kDigestB + "  film\\\\002", ChecksumFault::malformedLine},
        {kDigestB + "  ", ChecksumFault::malformedLine},
        {kDigestB + "  film.002\r", ChecksumFault::malformedLine},
        {kDigestB + "  film\t.002", ChecksumFault::malformedLine},
        {"", ChecksumFault::malformedLine},
        {"SHA256 (film.002) = " + kDigestB, ChecksumFault::malformedLine},
        {kDigestB + "  ..", ChecksumFault::unsafeName},
        {kDigestB + "  .", ChecksumFault::unsafeName},
        {kDigestB + "  ../film.002", ChecksumFault::unsafeName},
        {kDigestB + "  /etc/passwd", ChecksumFault::unsafeName},
        {kDigestB + "  sous/film.002", ChecksumFault::unsafeName},
        {kDigestB + "  ..\\film.002", ChecksumFault::unsafeName},
        {kDigestB + "  film.001", ChecksumFault::duplicateName},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const pieces::ChecksumListing listing =
            pieces::ParseChecksumText(good + c.line + "\n" + good);
        EXPECT_EQ(listing.fault, c.fault);
        EXPECT_EQ(listing.faultLine, 2u);
        EXPECT_EQ(listing.entries.size(), 1u);
    }
}

TEST(ChecksumFileTest, FilesTooLargeAreNotRead) {
    TempFolder tmp;
    std::string text;
    while (text.size() <= pieces::kMaxChecksumFileBytes) {
        text += kDigestA + "  film." + std::to_string(text.size()) + "\n";
    }
    WriteWholeFile(tmp.Path("f.sha256"), text);
    EXPECT_EQ(pieces::ReadChecksumFile(tmp.Path("f.sha256")).fault, ChecksumFault::tooLarge);
    pieces::WriteChecksumFile(tmp.Path("g.sha256"), {{kDigestB, "g.001"}});
    EXPECT_EQ(ReadWholeFile(tmp.Path("g.sha256")), kDigestB + "  g.001\n");
    EXPECT_EQ(pieces::ReadChecksumFile(tmp.Path("g.sha256")).entries.size(), 1u);
}

TEST(ChecksumFileTest, ListableNames) {
    for (const char* name : {"film.001", "été.avi", "a b", "x.avi.1000"}) {
        EXPECT_TRUE(pieces::IsListableName(name)) << name;
    }
    for (const char* name : {"", ".", "..", "a/b", "a\\b", "a\nb", "a\rb"}) {
        EXPECT_FALSE(pieces::IsListableName(name)) << name;
    }
    EXPECT_EQ(pieces::ChecksumFilePath("/d/", "film"), "/d/film.sha256");
}

// The tag belongs to the first piece's digest and not to the joined file's; a digest that
// differs stops at its piece, naming it.
TEST(SetChecksumsTest, PiecesWithTheTagJoinedFileWithout) {
    const std::string tag = "avi  002", first = "premiere", second = "seconde";
    const auto feed = [&](pieces::CSetChecksums& sums) {
        sums.OnPieceStart(1, "/d/f.001");
        sums.OnPieceBytes(Bytes(tag), true);
        sums.OnPieceBytes(Bytes(first), false);
        sums.OnPieceEnd();
        sums.OnPieceStart(2, "/d/f.002");
        sums.OnPieceBytes(Bytes(second), false);
        sums.OnPieceEnd();
        sums.OnSetEnd();
    };
    pieces::CSetChecksums sums;
    feed(sums);
    EXPECT_EQ(sums.PieceDigests(),
              (std::vector<std::string>{DigestOf(tag + first), DigestOf(second)}));
    EXPECT_EQ(sums.JoinedDigest(), DigestOf(first + second));
    EXPECT_EQ(sums.PiecePaths(), (std::vector<std::string>{"/d/f.001", "/d/f.002"}));

    const struct {
        std::vector<std::string> pieces;
        std::string joined;
        std::string damaged;  // empty: the joined file
    } cases[] = {
        {{DigestOf(second), DigestOf(second)}, "", "/d/f.001"},
        {{DigestOf(tag + first), DigestOf(first)}, "", "/d/f.002"},
        {{DigestOf(tag + first), DigestOf(second)}, DigestOf(tag + first + second), ""},
    };
    for (const auto& c : cases) {
        pieces::CSetChecksums checked;
        checked.Expect(c.pieces, c.joined);
        try {
            feed(checked);
            ADD_FAILURE() << "no mismatch for " << c.damaged;
        } catch (const pieces::ChecksumMismatch& mismatch) {
            EXPECT_EQ(mismatch.Path(), c.damaged);
        }
    }
    pieces::CSetChecksums intact;
    intact.Expect(sums.PieceDigests(), sums.JoinedDigest());
    EXPECT_NO_THROW(feed(intact));
}

}  // namespace
}  // namespace scx::test
