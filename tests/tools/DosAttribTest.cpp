// The "user.DOSATTRIB" values other programs write, built byte by byte from the
// published layout, and the one we write.

#include <gtest/gtest.h>

#include <string>

#include "DosAttrib.h"

namespace scx::test {
namespace {

using dosattrib::Decode;
using dosattrib::DosInfo;
using dosattrib::Encode;

// 2002-12-07 13:35:10.1234567 UTC in 100 ns units from 1601.
constexpr std::uint64_t kNtCreation = 126837417101234567;
constexpr FileTime kCreation{1039268110, 123456700};

class Bytes {
  public:
    Bytes& Text(const std::string& text) {
        m_bytes += text;
        m_bytes.push_back('\0');
        if (m_bytes.size() % 2 != 0) {
            m_bytes.push_back('\0');
        }
        return *this;
    }
    template <class T>
    Bytes& Put(T value) {
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            m_bytes.push_back(
                static_cast<char>((static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF));
        }
        return *this;
    }
    Bytes& Version(std::uint16_t version) { return Put(version).Put(std::uint32_t{version}); }
    std::string Get() const { return m_bytes; }

  private:
    std::string m_bytes;
};

TEST(DosAttribTest, FormsWrittenByOtherPrograms) {
    const struct {
        const char* what;
        std::string value;
        std::uint32_t attributes;
        std::optional<FileTime> creation;
    } cases[] = {
        {"text", "0x22", 0x22, std::nullopt},
        {"text with its NUL", std::string("0x6\0", 4), 0x6, std::nullopt},
        {"version 3",
         Bytes()
             .Text("0x22")
             .Version(3)
             .Put(std::uint32_t{0x11})
             .Put(std::uint32_t{0x22})
             .Put(std::uint32_t{0})
             .Put(std::uint64_t{100})
             .Put(std::uint64_t{4096})
             .Put(kNtCreation)
             .Put(std::uint64_t{0})
             .Get(),
         0x22, kCreation},
        {"version 3, attributes only",
         Bytes()
             .Text("0x20")
             .Version(3)
             .Put(std::uint32_t{0x01})
             .Put(std::uint32_t{0x20})
             .Put(std::uint32_t{0})
             .Put(std::uint64_t{0})
             .Put(std::uint64_t{0})
             .Put(kNtCreation)
             .Put(std::uint64_t{0})
             .Get(),
         0x20, std::nullopt},
        {"version 4",
         Bytes()
             .Text("")
             .Version(4)
             .Put(std::uint32_t{0x51})
             .Put(std::uint32_t{0x02})
             .Put(std::uint64_t{kNtCreation + 5})
             .Put(kNtCreation)
             .Get(),
         0x02, kCreation},
        {"version 5",
         Bytes()
             .Text("")
             .Version(5)
             .Put(std::uint32_t{0x11})
             .Put(std::uint32_t{0x24})
             .Put(kNtCreation)
             .Get(),
         0x24, kCreation},
        {"unknown version: the text", Bytes().Text("0x2").Version(9).Put(std::uint32_t{0x11}).Get(),
         0x2, std::nullopt},
        {"binary cut short: the text",
         Bytes().Text("0x4").Version(3).Put(std::uint32_t{0x11}).Get(), 0x4, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto info = Decode(c.value);
        ASSERT_TRUE(info.has_value()) << c.what;
        EXPECT_EQ(info->attributes, c.attributes) << c.what;
        EXPECT_EQ(info->creation, c.creation) << c.what;
    }
}

TEST(DosAttribTest, UnreadableValues) {
    for (const std::string& value : {std::string(), std::string("22"), std::string("0x"),
                                     std::string("0xZZ"), Bytes().Text("").Version(5).Get()}) {
        EXPECT_FALSE(Decode(value).has_value()) << value;
    }
}

// Version 3 begins with the text, so that readers of the text form alone understand it.
TEST(DosAttribTest, WrittenAsVersionThree) {
    const std::string value = Encode(DosInfo{0x23, kCreation});
    EXPECT_EQ(value.substr(0, 6), std::string("0x23\0\0", 6));
    EXPECT_EQ(value, Bytes()
                         .Text("0x23")
                         .Version(3)
                         .Put(std::uint32_t{0x11})
                         .Put(std::uint32_t{0x23})
                         .Put(std::uint32_t{0})
                         .Put(std::uint64_t{0})
                         .Put(std::uint64_t{0})
                         .Put(kNtCreation)
                         .Put(std::uint64_t{0})
                         .Get());
    const auto back = Decode(Encode(DosInfo{0x2, std::nullopt}));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->attributes, 0x2u);
    EXPECT_FALSE(back->creation.has_value());
}

}  // namespace
}  // namespace scx::test
