#pragma once
// Archives written and read in a scratch folder, and the reader's events as text lines.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "TestFiles.h"

namespace scx::test {

// Every event of a parse, one line each, in the order they came.
struct EventLog : archive::CArchiveReadObserver {
    std::vector<std::string> lines;
    void OnNewerVersion() override { lines.push_back("141"); }
    void OnNewerFormat() override { lines.push_back("140"); }
    void OnAuthor(const std::string& text) override { lines.push_back("author " + text); }
    void OnContent(const std::string& text) override { lines.push_back("content " + text); }
    void OnComment(const std::string& text) override { lines.push_back("comment " + text); }
    void OnEntry(const archive::ArchiveEntry& e) override {
        lines.push_back("entry " + e.name + " " + e.sizeText + " " + e.positionText);
    }
    void OnLoaded(std::uint64_t start) override {
        lines.push_back("loaded " + std::to_string(start));
    }
    void OnCorrupt() override { lines.push_back("134"); }
};

inline EventLog ParseBytes(const std::string& bytes) {
    EventLog log;
    archive::CMemoryHeaderSource source(bytes.data(), bytes.size());
    archive::ParseArchiveHeader(source, log);
    return log;
}

struct RefusalLog : archive::CArchiveWriteObserver {
    std::vector<std::string> refusals;  // "id path"
    std::vector<int> percents;
    void OnRefusal(unsigned id, const std::string& path) override {
        refusals.push_back(std::to_string(id) + " " + path);
    }
    void OnMemberWritten(std::size_t, int percent) override { percents.push_back(percent); }
};

class ArchiveTest : public ::testing::Test {
  protected:
    std::string Path(const std::string& name) const { return m_tmp.Path(name); }
    std::string Folder() const { return m_tmp.Folder(); }

    // Members written into the scratch folder under their names.
    std::vector<archive::ArchiveMemberFile> Members(
        const std::vector<std::pair<std::string, std::string>>& namesAndBytes) {
        std::vector<archive::ArchiveMemberFile> members;
        for (const auto& [name, bytes] : namesAndBytes) {
            WriteWholeFile(Path(name), bytes);
            members.push_back({name, Path(name)});
        }
        return members;
    }

    archive::WriteResult Write(const std::string& name,
                               const std::vector<archive::ArchiveMemberFile>& members,
                               const archive::ArchiveProperties& properties = {}) {
        return archive::WriteArchive(Path(name), properties, members, m_refusals);
    }

    RefusalLog m_refusals;

  private:
    TempFolder m_tmp;
};

}  // namespace scx::test
