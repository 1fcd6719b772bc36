// Our "user.DOSATTRIB" codec held against Samba's own (python3-samba, through
// samba-dosattrib.py): Samba reads every record we write as we meant it, and we read
// every record Samba packs as Samba does.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "DosAttrib.h"
#include "HexBytes.h"
#include "TestFiles.h"

namespace scx::test {
namespace {

using dosattrib::Decode;
using dosattrib::DosInfo;
using dosattrib::Encode;
using dosattrib::FromNtTime;
using dosattrib::ToNtTime;

constexpr unsigned kTextOnly = 0xFFFF;
constexpr std::uint32_t kValidAttributes = 0x01;
constexpr std::uint32_t kValidCreation = 0x10;
constexpr std::uint32_t kValidItime = 0x40;

// Creation times: before 1980, ordinary (with 100 ns units), after 2038.
const FileTime kCreations[] = {{-143337600, 0}, {981158400, 123456700}, {4102444800, 0}};

// The fields of Samba's record, as its codec gives them; those a version lacks are 0.
struct SambaRecord {
    std::uint64_t version = 0, validFlags = 0, attrib = 0, creation = 0, itime = 0, eaSize = 0,
                  size = 0, allocSize = 0, changeTime = 0;
};

// A record as Samba reads it, with the text before the NUL that Wine reads.
struct SambaRead {
    SambaRecord record;
    std::string text;
};

std::string FieldsLine(const SambaRecord& r) {
    std::ostringstream line;
    line << r.version << ' ' << r.validFlags << ' ' << r.attrib << ' ' << r.creation << ' '
         << r.itime << ' ' << r.eaSize << ' ' << r.size << ' ' << r.allocSize << ' '
         << r.changeTime;
    return line.str();
}

// What Samba's file server makes of a record: the attributes whatever the valid flags
// say, the creation time only when flagged (version 1 has no flags) and not zero; the
// text alone has none.
DosInfo SambaMeaning(const SambaRecord& r) {
    DosInfo info;
    info.attributes = static_cast<std::uint32_t>(r.attrib);
    const bool flagged = r.version == 1 || (r.validFlags & kValidCreation) != 0;
    if (r.version != kTextOnly && flagged && r.creation != 0) {
        info.creation = FromNtTime(r.creation);
    }
    return info;
}

class DosAttribSambaTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::string(SCX_SYSTEM_PYTHON).empty()) {
            GTEST_SKIP() << "No /usr/bin/python3 to run Samba's codec (python3-samba); "
                            "make test installs both.";
        }
        std::string output;
        if (Run("pack", {}, output) == 77) {
            GTEST_SKIP() << output
                         << "Samba's codec is missing: apt-get install python3-samba "
                            "(make test installs it).";
        }
    }

    // Runs the codec script on `lines`; its exit status, and its output in `output`.
    int Run(const char* mode, const std::vector<std::string>& lines, std::string& output) {
        const std::string input = m_tmp.Path(std::string(mode) + ".txt");
        std::string text;
        for (const auto& line : lines) {
            text += line + "\n";
        }
        WriteWholeFile(input, text);
        const std::string command = std::string("'") + SCX_SYSTEM_PYTHON + "' '" + SCX_SAMBA_CODEC +
                                    "' " + mode + " '" + input + "' 2>&1";
        FILE* pipe = ::popen(command.c_str(), "r");
        if (pipe == nullptr) {
            return -1;
        }
        char buffer[4096];
        output.clear();
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            output += buffer;
        }
        const int status = ::pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The script's output lines for `lines`, one for each.
    std::vector<std::string> Codec(const char* mode, const std::vector<std::string>& lines) {
        std::string output;
        const int status = Run(mode, lines, output);
        EXPECT_EQ(status, 0) << output;
        std::vector<std::string> result;
        std::istringstream stream(output);
        for (std::string line; std::getline(stream, line);) {
            result.push_back(line);
        }
        EXPECT_EQ(result.size(), lines.size()) << output;
        result.resize(lines.size());
        return result;
    }

    // What Samba reads from `values`; a record of version 0 where it reads none.
    std::vector<SambaRead> SambaReads(const std::vector<std::string>& values) {
        std::vector<std::string> hex;
        for (const auto& value : values) {
            hex.push_back(Hex(value));
        }
        std::vector<SambaRead> reads;
        for (const auto& line : Codec("unpack", hex)) {
            SambaRead read;
            SambaRecord& r = read.record;
            std::istringstream fields(line);
            fields >> r.version >> r.validFlags >> r.attrib >> r.creation >> r.itime >> r.eaSize >>
                r.size >> r.allocSize >> r.changeTime;
            if (!fields) {
                ADD_FAILURE() << "Samba cannot read: " << line;
                r = SambaRecord{};
            }
            fields >> read.text;
            reads.push_back(read);
        }
        return reads;
    }

    TempFolder m_tmp;
};

std::string Describe(const DosInfo& info) {
    std::ostringstream text;
    text << "attributes 0x" << std::hex << info.attributes << std::dec << ", creation ";
    if (info.creation) {
        text << info.creation->seconds << "." << info.creation->nanoseconds;
    } else {
        text << "none";
    }
    return text.str();
}

// The fields of a packed record that we keep but do not show, as we should read them.
dosattrib::Record KeptFields(const SambaRecord& r) {
    if (r.version == kTextOnly) {
        return {};
    }
    return {.version = static_cast<std::uint16_t>(r.version),
            .validFlags = static_cast<std::uint32_t>(r.validFlags),
            .creationTime = r.creation,
            .eaSize = static_cast<std::uint32_t>(r.eaSize),
            .size = r.size,
            .allocationSize = r.allocSize,
            .changeTime = r.changeTime,
            .itime = r.itime};
}

// What Samba packs: versions 1, 3, 4 and 5 and the text alone, with texts of every
// length from "0x0" to "0x20020", the creation time flagged or not, and the fields that
// only some versions have.
std::vector<SambaRecord> SambaTable() {
    std::vector<SambaRecord> table;
    for (const unsigned version : {kTextOnly, 1u, 3u, 4u, 5u}) {
        for (const std::uint32_t attrib :
             {0x0, 0x1, 0x2, 0x4, 0x20, 0x22, 0x27, 0x80, 0x120, 0x2020, 0x20020}) {
            if (version == 1) {
                // No valid flags: a creation time is one when it is not zero.
                table.push_back({.version = 1, .attrib = attrib});
                for (const FileTime& creation : kCreations) {
                    table.push_back({.version = 1,
                                     .attrib = attrib,
                                     .creation = ToNtTime(creation),
                                     .eaSize = 12,
                                     .size = 5000,
                                     .allocSize = 8192,
                                     .changeTime = ToNtTime(creation) + 9});
                }
                continue;
            }
            table.push_back({.version = version, .validFlags = kValidAttributes, .attrib = attrib});
            if (version == kTextOnly) {
                continue;
            }
            // Samba takes the attributes whatever the flags; a creation time not flagged
            // as valid is none, but kept.
            table.push_back({.version = version,
                             .validFlags = 0,
                             .attrib = attrib,
                             .creation = ToNtTime(kCreations[1])});
            for (const FileTime& creation : kCreations) {
                SambaRecord r{.version = version,
                              .validFlags = kValidAttributes | kValidCreation,
                              .attrib = attrib,
                              .creation = ToNtTime(creation)};
                if (version == 4) {
                    r.validFlags |= kValidItime;
                    r.itime = r.creation + 7;
                }
                if (version == 3) {
                    r.eaSize = 12, r.size = 5000, r.allocSize = 8192, r.changeTime = r.creation + 9;
                }
                table.push_back(r);
            }
        }
    }
    return table;
}

// Samba's meaning of each record we write is what we wrote: every combination of
// read-only, hidden, system and archive, with and without a creation time.
TEST_F(DosAttribSambaTest, SambaReadsWhatWeWrite) {
    std::vector<DosInfo> written;
    for (std::uint32_t bits = 0; bits < 16; ++bits) {
        const std::uint32_t attributes = (bits & 1 ? 0x01 : 0) | (bits & 2 ? 0x02 : 0) |
                                         (bits & 4 ? 0x04 : 0) | (bits & 8 ? 0x20 : 0);
        written.push_back({attributes, std::nullopt});
        for (const FileTime& creation : kCreations) {
            written.push_back({attributes, creation});
        }
    }
    std::vector<std::string> values;
    for (const auto& info : written) {
        values.push_back(Encode(info));
    }
    const auto read = SambaReads(values);
    for (std::size_t i = 0; i < written.size(); ++i) {
        const std::string what = "written " + Hex(values[i]);
        EXPECT_EQ(Describe(SambaMeaning(read[i].record)), Describe(written[i])) << what;
        EXPECT_EQ(read[i].record.version, 3u) << what;
        // Wine reads the text before the NUL.
        EXPECT_EQ(std::stoul(read[i].text, nullptr, 16), written[i].attributes) << what;
    }
}

// We read every record Samba packs as Samba does, and keep its other fields; a rewrite
// changes only what was changed, in Samba's eyes.
TEST_F(DosAttribSambaTest, WeReadWhatSambaPacksAndKeepItsFields) {
    const auto table = SambaTable();
    std::vector<std::string> lines;
    for (const auto& r : table) {
        lines.push_back(FieldsLine(r));
    }
    const auto packed = Codec("pack", lines);

    struct Rewrite {
        std::size_t row;
        DosInfo info;
    };
    std::vector<Rewrite> rewrites;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::string what = "packed " + lines[i] + ": " + packed[i];
        const auto info = Decode(Unhex(packed[i]));
        ASSERT_TRUE(info.has_value()) << what;
        EXPECT_EQ(Describe(*info), Describe(SambaMeaning(table[i]))) << what;
        EXPECT_TRUE(info->record == KeptFields(table[i])) << what;

        DosInfo changed = *info;
        changed.attributes ^= 0x22;
        DosInfo created = *info;
        created.creation = kCreations[2];
        DosInfo removed = *info;
        removed.creation.reset();
        for (const DosInfo& edit : {*info, changed, created, removed}) {
            rewrites.push_back({i, edit});
        }
    }
    std::vector<std::string> values;
    for (const auto& rewrite : rewrites) {
        values.push_back(Encode(rewrite.info));
    }
    const auto read = SambaReads(values);
    for (std::size_t i = 0; i < rewrites.size(); ++i) {
        const DosInfo& edit = rewrites[i].info;
        const SambaRecord& before = table[rewrites[i].row];
        SambaRecord expected = before;
        expected.version = before.version == kTextOnly || before.version == 1 ? 3 : before.version;
        expected.attrib = edit.attributes;
        expected.validFlags = (before.validFlags | kValidAttributes) & ~kValidCreation;
        if (edit.creation) {
            expected.validFlags |= kValidCreation;
            expected.creation = ToNtTime(*edit.creation);
        }
        const std::string what = "packed " + lines[rewrites[i].row] + ", rewritten " +
                                 Describe(edit) + ": " + Hex(values[i]);
        EXPECT_EQ(Describe(SambaMeaning(read[i].record)), Describe(edit)) << what;
        EXPECT_EQ(FieldsLine(read[i].record), FieldsLine(expected)) << what;
        EXPECT_EQ(std::stoul(read[i].text, nullptr, 16), edit.attributes) << what;
    }
}

}  // namespace
}  // namespace scx::test
