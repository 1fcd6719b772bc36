// Extraction of members from a loaded archive into a folder.

#include <filesystem>

#include "ArchiveExtractor.h"
#include "ArchiveTestSupport.h"
#include "File.h"
#include "ResourceIds.h"

namespace scx::test {
namespace {

using archive::ArchiveEntry;

struct Answers : pieces::CUserPrompt {
    std::vector<bool> answers;
    std::vector<std::string> asked;
    bool AskYesNo(unsigned id, const std::string& detail) override {
        asked.push_back(std::to_string(id) + " " + detail);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question " << id;
            return false;
        }
        const bool answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
};

struct ExtractLog : archive::CArchiveExtractObserver {
    std::vector<std::string> refusals;
    std::vector<std::size_t> skipped;
    std::vector<int> percents;
    void OnRefusal(unsigned id, const std::string& name) override {
        refusals.push_back(std::to_string(id) + " " + name);
    }
    void OnDeclined(std::size_t index, const std::string&) override { skipped.push_back(index); }
    void OnExtracted(std::size_t, int percent) override { percents.push_back(percent); }
};

class ExtractTest : public ArchiveTest {
  protected:
    // An archive "x.pck" of `members` (name, bytes), loaded.
    void MakeArchive(const std::vector<std::pair<std::string, std::string>>& members) {
        std::filesystem::create_directory(Path("in"));
        std::filesystem::create_directory(Path("out"));
        std::vector<archive::ArchiveMemberFile> files;
        for (const auto& [name, bytes] : members) {
            WriteWholeFile(Path("in/" + name), bytes);
            files.push_back({name, Path("in/" + name)});
        }
        ASSERT_EQ(Write("x.pck", files), archive::WriteResult::written);
        ASSERT_TRUE(archive::LoadArchiveFile(Path("x.pck"), m_listing));
    }

    void Extract(const std::vector<ArchiveEntry>& rows) {
        archive::ExtractMembers({Path("x.pck"), m_listing.dataStart, Folder() + "out/"}, rows,
                                m_log, m_answers);
    }

    std::vector<std::string> OutFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Path("out"))) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    archive::ArchiveListing m_listing;
    ExtractLog m_log;
    Answers m_answers;
};

TEST_F(ExtractTest, MembersComeOutWhole_ProgressCountsWhatWasWritten) {
    MakeArchive({{"a", PatternBytes(1000, 1)}, {"b", PatternBytes(3000, 2)}});
    Extract(m_listing.entries);
    EXPECT_TRUE(ReadWholeFile(Path("out/a")) == PatternBytes(1000, 1));
    EXPECT_TRUE(ReadWholeFile(Path("out/b")) == PatternBytes(3000, 2));
    EXPECT_EQ(m_log.percents, (std::vector<int>{25, 100}));
    EXPECT_EQ(OutFiles(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(ExtractTest, TakenNamesFollowTheQuestions) {
    MakeArchive({{"a", "new a"}, {"b", "new b"}, {"c", "new c"}});
    for (const char* name : {"a", "b", "c", "Copie_de_c"}) {
        WriteWholeFile(Path("out/") + name, "old");
    }
    // a: Yes. b: No, No (skipped, the rest goes on). c: No, Yes, and Yes to replacing the
    // copy name that is taken too.
    m_answers.answers = {true, false, false, false, true, true};
    Extract(m_listing.entries);
    EXPECT_EQ(m_answers.asked, (std::vector<std::string>{"107 a", "107 b", "108 ", "107 c", "108 ",
                                                         "107 Copie_de_c"}));
    EXPECT_EQ(ReadWholeFile(Path("out/a")), "new a");
    EXPECT_EQ(ReadWholeFile(Path("out/b")), "old");
    EXPECT_EQ(ReadWholeFile(Path("out/c")), "old");
    EXPECT_EQ(ReadWholeFile(Path("out/Copie_de_c")), "new c");
    EXPECT_EQ(m_log.skipped, std::vector<std::size_t>{1});
    EXPECT_EQ(m_log.percents, (std::vector<int>{33, 66}));
}

TEST_F(ExtractTest, CopyNameLimitCountsStoredBytes) {
    const std::string n117(117, 'n');
    const std::string n118(118, 'm');
    const std::string e117 = std::string(116, 'e') + "é";  // 117 bytes as stored
    MakeArchive({{n117, "1"}, {n118, "2"}, {e117, "3"}});
    for (const auto& entry : m_listing.entries) {
        WriteWholeFile(Path("out/") + entry.name, "old");
    }
    m_answers.answers = {false, true, false, true, false, true};
    Extract(m_listing.entries);
    EXPECT_EQ(ReadWholeFile(Path("out/Copie_de_") + n117), "1");
    EXPECT_EQ(ReadWholeFile(Path("out/Copie_de_") + e117), "3");
    EXPECT_EQ(m_log.refusals,
              std::vector<std::string>{std::to_string(res::IDS_NAME_TOO_LONG) + " " + n118});
}

// A name the folder cannot hold is neither taken for an existing file nor allowed to end
// the extraction: that row is refused, the copy name too.
TEST_F(ExtractTest, NamesTooLongForTheFolderAreRefusedOneByOne) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows counts a name in UTF-16 units, and these fit";
#else
    MakeArchive({{"a", "A"}});
    const std::string n300(300, 'n');
    std::string euro83;  // 83 bytes as stored, 249 in UTF-8; its copy name takes 258
    for (int i = 0; i < 83; ++i) {
        euro83 += "€";
    }
    WriteWholeFile(Path("out/") + euro83, "old");
    m_answers.answers = {false, true};
    Extract({{n300, "1", "0"}, {euro83, "1", "0"}, {"a", "1", "0"}});
    const std::string refused = std::to_string(res::IDS_NAME_TOO_LONG_FOR_FOLDER) + " ";
    EXPECT_EQ(m_log.refusals,
              (std::vector<std::string>{refused + n300, refused + "Copie_de_" + euro83}));
    EXPECT_EQ(m_answers.asked, (std::vector<std::string>{"107 " + euro83, "108 "}));
    EXPECT_EQ(OutFiles(), (std::vector<std::string>{"a", euro83}));
    EXPECT_EQ(ReadWholeFile(Path("out/") + euro83), "old");
#endif
}

TEST_F(ExtractTest, HostileNamesAndBadNumbersAreSkippedOneByOne) {
    MakeArchive({{"good", "data"}});
    std::vector<ArchiveEntry> rows;
    const std::string unsafe = std::to_string(res::IDS_UNSAFE_ENTRY_NAME) + " ";
    const std::string corrupt = std::to_string(res::IDS_ARCHIVE_CORRUPT) + " ";
    std::vector<std::string> expected;
    for (const std::string& name : std::vector<std::string>{
             "", ".", "..", "/etc/x", "../x", "a/b", "a\\b", "C:x", "c:", std::string("n\0x", 3)}) {
        rows.push_back({name, "4", "0"});
        expected.push_back(unsafe + name);
    }
    for (const auto& [size, position] : std::vector<std::pair<std::string, std::string>>{
             {"-4", "0"}, {"4", "-0"}, {" 4", "0"}, {"4x", "0"}, {"", "0"}, {"0", "5"}}) {
        rows.push_back({"bad", size, position});
        expected.push_back(corrupt + "bad");
    }
    rows.push_back({"good", "4", "0"});
    Extract(rows);
    EXPECT_EQ(m_log.refusals, expected);
    EXPECT_EQ(OutFiles(), std::vector<std::string>{"good"});
    EXPECT_FALSE(std::filesystem::exists(Path("x")));
    EXPECT_FALSE(std::filesystem::exists(Path("in/x")));
}

// Names with a character Windows refuses there are refused one by one, not taken for files
// that are there; other systems hold them.
TEST_F(ExtractTest, NamesWithCharactersTheSystemRefusesAreRefusedOneByOne) {
    MakeArchive({{"good", "data"}});
    std::vector<ArchiveEntry> rows;
    std::vector<std::string> expected;
    std::vector<std::string> written = {"good"};
    for (const std::string name : {"a?b", "a*b", "a<b", "a>b", "a|b", "a\"b", "a\x01", "\x1fz"}) {
        rows.push_back({name, "4", "0"});
#ifdef _WIN32
        expected.push_back(std::to_string(res::IDS_NAME_FORBIDDEN_CHARACTER) + " " + name);
#else
        written.push_back(name);
#endif
    }
    rows.push_back({"good", "4", "0"});
    Extract(rows);
    EXPECT_EQ(m_log.refusals, expected);
    EXPECT_TRUE(m_answers.asked.empty());
    std::sort(written.begin(), written.end());
    EXPECT_EQ(OutFiles(), written);
}

TEST_F(ExtractTest, TruncatedArchiveIsAFileErrorNamingItAndLeavesNoPartialMember) {
    MakeArchive({{"a", "aaaa"}, {"b", PatternBytes(100)}});
    std::filesystem::resize_file(Path("x.pck"), m_listing.dataStart + 50);
    WriteWholeFile(Path("out/b"), "kept");
    m_answers.answers = {true};
    try {
        Extract(m_listing.entries);
        ADD_FAILURE() << "no file error";
    } catch (const CFileException& error) {
        EXPECT_EQ(error.m_cause, CFileException::endOfFile);
        EXPECT_EQ(Utf8Path(error.m_strFileName).filename(), "x.pck") << error.m_strFileName;
    }
    EXPECT_EQ(OutFiles(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(ReadWholeFile(Path("out/b")), "kept");
}

TEST_F(ExtractTest, FailedWriteKeepsTheFileItWouldHaveReplaced) {
    MakeArchive({{"a", PatternBytes(5000)}});
    WriteWholeFile(Path("out/a"), "precious");
    // Short writes make the copy continue past byte 1000, where the disk is full.
    m_answers.answers = {true};
    CFile::SetFaultHook(
        [](CFile::Op op, const std::string& path, std::uint64_t position, std::size_t& limit) {
            limit = std::min<std::size_t>(limit, 1000);
            return op == CFile::Op::write && path.ends_with("a") && position >= 1000 ? ENOSPC : 0;
        });
    EXPECT_THROW(Extract(m_listing.entries), CFileException);
    CFile::SetFaultHook(nullptr);
    EXPECT_EQ(OutFiles(), std::vector<std::string>{"a"});
    EXPECT_EQ(ReadWholeFile(Path("out/a")), "precious");
}

// Windows replaces no file another program holds open: the one there stays, and the
// failure says that it is in use.
TEST_F(ExtractTest, AnOutputHeldOpenElsewhereIsKeptAndSaidInUse) {
#ifndef _WIN32
    GTEST_SKIP() << "POSIX replaces a file held open";
#else
    MakeArchive({{"a", "new"}});
    WriteWholeFile(Path("out/a"), "precious");
    m_answers.answers = {true};
    {
        CFile held(Path("out/a"), CFile::modeRead | CFile::shareExclusive);
        try {
            Extract(m_listing.entries);
            ADD_FAILURE() << "no file error";
        } catch (const CFileException& error) {
            EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
            EXPECT_EQ(Utf8Path(error.m_strFileName).filename(), "a") << error.m_strFileName;
        }
    }
    EXPECT_EQ(OutFiles(), std::vector<std::string>{"a"});
    EXPECT_EQ(ReadWholeFile(Path("out/a")), "precious");
#endif
}

}  // namespace
}  // namespace scx::test
