#pragma once
// A source folder and a destination folder, and the calls to run the engines in them.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "EngineRecorder.h"
#include "File.h"
#include "JoinEngine.h"
#include "MetaTag.h"
#include "SplitEngine.h"
#include "TestFiles.h"

namespace scx::test {

class EngineTest : public ::testing::Test {
  protected:
    EngineTest() {
        std::filesystem::create_directory(m_tmp.Path("src"));
        std::filesystem::create_directory(m_tmp.Path("dst"));
    }

    std::string SrcFolder() const { return m_tmp.Path("src/"); }
    std::string DstFolder() const { return m_tmp.Path("dst/"); }
    std::string Src(const std::string& name) const { return m_tmp.Path("src/" + name); }
    std::string Dst(const std::string& name) const { return m_tmp.Path("dst/" + name); }

    // Names in the destination folder, sorted.
    std::vector<std::string> DstFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(DstFolder())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    // Options for cutting src/<title>.<extension>, written with `bytes`, into dst/.
    pieces::SplitOptions SplitOf(const std::string& title, const std::string& extension,
                                 const std::string& bytes, std::int64_t partitionKb) {
        const std::string name = extension.empty() ? title : title + "." + extension;
        WriteWholeFile(Src(name), bytes);
        pieces::SplitOptions options;
        options.sourcePath = Src(name);
        options.sourceExtension = extension;
        options.baseName = title;
        options.destFolder = DstFolder();
        options.selectedLength = bytes.size();
        options.partitionKb = partitionKb;
        options.pieceCount =
            partitionKb <= 0
                ? 0
                : static_cast<std::int64_t>(
                      bytes.size() / (static_cast<std::uint64_t>(partitionKb) * 1024) + 1);
        return options;
    }

    // Options for joining the set whose first piece is `firstPiece`, with the tag values
    // the panel would have read.
    static pieces::JoinOptions JoinOf(const std::string& firstPiece, const std::string& destFolder,
                                      bool hjsplit) {
        const std::filesystem::path path = Utf8Path(firstPiece);
        pieces::JoinOptions options;
        options.hjsplit = hjsplit;
        options.firstPiecePath = firstPiece;
        options.sourceFolder = Utf8Text(path.parent_path() / "");
        options.baseName = Utf8Text(path.stem());
        options.destFolder = destFolder;
        if (!hjsplit) {
            const pieces::PanelTag tag = pieces::ReadPanelTagFromFile(firstPiece);
            options.tagPieceCount = tag.pieceCount;
            options.tagExtension = tag.storedExtension;
        }
        return options;
    }

    pieces::EngineResult Split(const pieces::SplitOptions& options, std::deque<bool> answers = {}) {
        ScriptedAnswers prompt(log, std::move(answers));
        return pieces::RunSplit(options, observer, prompt);
    }

    pieces::EngineResult Join(const pieces::JoinOptions& options, std::deque<bool> answers = {}) {
        ScriptedAnswers prompt(log, std::move(answers));
        return pieces::RunJoin(options, observer, prompt);
    }

    TempFolder m_tmp;
    Log log;
    RecordingObserver observer{log};
};

// Whether the file can be taken exclusively at once: nobody still holds it.
inline bool IsReleased(const std::string& path) {
    CFile file;
    return file.TryOpen(path, CFile::modeRead | CFile::shareExclusive);
}

}  // namespace scx::test
