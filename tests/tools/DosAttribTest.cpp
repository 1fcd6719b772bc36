// The "user.DOSATTRIB" values other programs write, as Samba's own codec packs them
// (python3-samba 4.17; DosAttribSambaTest holds us against it wherever it can run),
// and what the values we write give the readers that are not Samba.

#include <gtest/gtest.h>

#include <string>

#include "DosAttrib.h"
#include "HexBytes.h"

namespace scx::test {
namespace {

using dosattrib::Decode;
using dosattrib::DosInfo;
using dosattrib::Encode;

// 2002-12-07 13:35:10.1234567 UTC and 2001-02-03 10:20:30 UTC.
constexpr FileTime kCreation{1039268110, 123456700};
constexpr FileTime kCreation2001{981195630, 0};

// Samba's version 3 record of "0x2" created on 2001-02-03, whose record begins 4 bytes
// earlier than after a text of even length.
const std::string kVersion3 = Unhex(
    "30783200030003001100000002000000000000000000000000000000000000000000000000ab0eefca8dc001"
    "0000000000000000");

TEST(DosAttribTest, FormsWrittenByOtherPrograms) {
    std::string unknownVersion = kVersion3;
    unknownVersion[4] = unknownVersion[6] = 9;
    std::string levelMismatch = kVersion3;
    levelMismatch[6] = 4;
    const struct {
        const char* what;
        std::string value;
        std::uint32_t attributes;
        std::optional<FileTime> creation;
    } cases[] = {
        {"text without its NUL (Wine)", "0x22", 0x22, std::nullopt},
        {"text alone", Unhex("30783600"), 0x6, std::nullopt},
        {"version 1 (Samba 3.0), every field valid",
         Unhex("30783232000001000100000022000000000000008813000000000000002000000000000000"
               "00b31955a4bf010900b31955a4bf01"),
         0x22, FileTime{955526400, 0}},
        {"version 3", kVersion3, 0x2, kCreation2001},
        {"version 3, creation not flagged",
         Unhex("307832300000030003000000010000002000000000000000640000000000000000100000000000"
               "0087118c76f59dc2010000000000000000"),
         0x20, std::nullopt},
        {"version 4", Unhex("000004000400000051000000020000008c118c76f59dc20187118c76f59dc201"),
         0x2, kCreation},
        {"version 5", Unhex("0000050005000000110000002200000087118c76f59dc201"), 0x22, kCreation},
        {"creation time 2^63, beyond any calendar",
         Unhex("000005000500000011000000200000000000000000000080"), 0x20,
         FileTime{910692730085, 477580800}},
        {"unknown version: the text", unknownVersion, 0x2, std::nullopt},
        {"level not the version: the text", levelMismatch, 0x2, std::nullopt},
        {"record cut short: the text", kVersion3.substr(0, kVersion3.size() - 1), 0x2,
         std::nullopt},
    };
    for (const auto& c : cases) {
        const auto info = Decode(c.value);
        ASSERT_TRUE(info.has_value()) << c.what;
        EXPECT_EQ(info->attributes, c.attributes) << c.what;
        EXPECT_EQ(info->creation, c.creation) << c.what;
    }
}

TEST(DosAttribTest, UnreadableValues) {
    for (const std::string& value :
         {std::string(), std::string("22"), std::string("0x"), std::string("0xZZ"),
          Unhex("0000050005000000110000002200000087118c76f59dc2")}) {
        EXPECT_FALSE(Decode(value).has_value()) << Hex(value);
    }
}

// A stored creation time, whatever it is, is written back as it was read.
TEST(DosAttribTest, StoredTimesComeBackUnchanged) {
    for (const std::uint64_t stored : {std::uint64_t{1}, std::uint64_t{126837417101234567},
                                       std::uint64_t{1} << 63, ~std::uint64_t{0}}) {
        const std::string value = Encode({0x20, dosattrib::FromNtTime(stored)});
        EXPECT_EQ(Decode(value)->record.creationTime, stored) << stored;
    }
}

// Wine reads the text; the kernel's SMB server takes the version to be followed by 32
// bits, which is Samba's layout only when the version falls 2 bytes past a multiple of 4.
TEST(DosAttribTest, ReadersOtherThanSambaFindTheirFields) {
    DosInfo version4 =
        *Decode(Unhex("000004000400000051000000020000008c118c76f59dc20187118c76f59dc201"));
    for (std::uint32_t attributes :
         {0x0u, 0x2u, 0x27u, 0x120u, 0x2020u, 0x20020u, 0x1234567u, 0x12345678u}) {
        version4.attributes = attributes;
        for (const DosInfo& info : {DosInfo{attributes, kCreation}, version4}) {
            const std::string value = Encode(info);
            const std::size_t nul = value.find('\0');
            ASSERT_NE(nul, std::string::npos);
            EXPECT_EQ(std::stoul(value.substr(0, nul), nullptr, 16), attributes) << Hex(value);
            EXPECT_EQ(value.substr(0, 2), "0x");
            const std::size_t version = (nul + 2) / 2 * 2;
            EXPECT_EQ(version % 4, 2u) << Hex(value);
            EXPECT_EQ(value[version + 2], value[version]) << Hex(value);
            EXPECT_EQ(value.substr(version + 3, 3), std::string(3, '\0')) << Hex(value);
        }
    }
}

}  // namespace
}  // namespace scx::test
