#include "JoinEngine.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "DataCopy.h"
#include "File.h"
#include "FileExistence.h"
#include "HJSplitPieces.h"
#include "MetaTag.h"
#include "PieceNames.h"
#include "Progress.h"
#include "ReadAhead.h"
#include "ResourceIds.h"
#include "StagedFile.h"

namespace scx::pieces {

namespace {

constexpr unsigned kReadFlags = CFile::modeRead | CFile::shareExclusive;
constexpr unsigned kCreateFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive;

std::string PieceName(const JoinOptions& options, std::int64_t k) {
    return k == 1
               ? options.firstPiecePath
               : PiecePath(options.sourceFolder, options.baseName, static_cast<std::uint64_t>(k));
}

// The pieces in the order the join reads them.
std::vector<std::string> PieceNames(const JoinOptions& options, std::int64_t count) {
    std::vector<std::string> names;
    for (std::int64_t k = 1; k <= count; ++k) {
        names.push_back(PieceName(options, k));
    }
    return names;
}

// Whether the joined file would be one of the pieces it is made from: creating it would
// truncate that piece before it is read.
bool ReplacesAPiece(const JoinOptions& options, std::int64_t count, const std::string& output) {
    for (std::int64_t k = 1; k <= count; ++k) {
        if (IsSameFile(output, PieceName(options, k))) {
            return true;
        }
    }
    return false;
}

enum class NameOutcome { chosen, refused, cancelled };

// Asks the overwrite questions, then refuses the name they lead to when it is one of the
// pieces: the copy name offered by the second question may well be free.
NameOutcome ChooseJoinedName(const JoinOptions& options, std::int64_t count,
                             const std::string& name, const std::string& copyName,
                             CEngineObserver& observer, CUserPrompt& prompt, std::string& output) {
    switch (ChooseOutputName(FileExists(name), prompt)) {
        case OutputNameChoice::keepName:
            output = name;
            break;
        case OutputNameChoice::useCopyName:
            output = copyName;
            break;
        case OutputNameChoice::cancel:
            return NameOutcome::cancelled;
    }
    if (ReplacesAPiece(options, count, output)) {
        observer.OnRefusal(res::IDS_OUTPUT_IS_PIECE, output);
        return NameOutcome::refused;
    }
    return NameOutcome::chosen;
}

// Appends `count` bytes from the piece's position to the output. The tap sees the piece
// whole: its META-TAG first when `tagged`.
void AppendPiece(CFile& piece, CFile& output, std::uint64_t count, std::int64_t k,
                 std::int64_t pieceCount, std::uint64_t& bytesDone, CReadAhead& ahead,
                 CEngineObserver& observer, CPieceTap* tap, bool tagged = false) {
    if (tap != nullptr) {
        tap->OnPieceStart(k, piece.GetFilePath());
        if (tagged) {
            TapMetaTag(piece, *tap);
        }
    }
    CopyProgress progress{k, pieceCount, 0, count, bytesDone};
    const std::uint64_t before = bytesDone;
    CopyPieceData(piece, output, count, tap, [&](std::uint64_t copied) {
        progress.pieceBytesDone = copied;
        progress.bytesDone = before + copied;
        ahead.Reached(static_cast<std::size_t>(k - 1), piece.GetPosition());
        observer.OnBytesCopied(progress);
    });
    bytesDone += count;
    if (tap != nullptr) {
        tap->OnPieceEnd();
    }
}

// The joined file. A verified join stages it, so that only a whole file whose checksums
// matched takes its name: a failure or an interruption leaves what bore the name before.
// Without verification it is written in place, and what was written stays on disk on a
// failure, as the window has always left it.
class CJoinedOutput {
  public:
    CJoinedOutput(const std::string& path, bool verified) {
        if (verified) {
            m_staged.emplace(PathThroughLinks(path), "scindarex-join");
        } else {
            m_inPlace.emplace(path, kCreateFlags);
        }
    }

    CFile& File() { return m_staged ? m_staged->File() : *m_inPlace; }

    // Closes the output, whose end the tap has seen, and puts a staged one in its place.
    void Finish(CPieceTap* tap) {
        if (tap != nullptr) {
            tap->OnSetEnd();
        }
        if (m_staged) {
            m_staged->Commit();
        } else {
            m_inPlace->Close();
        }
    }

  private:
    std::optional<CStagedFile> m_staged;
    std::optional<CFile> m_inPlace;
};

EngineResult ToResult(NameOutcome outcome) {
    return outcome == NameOutcome::refused ? EngineResult::refused : EngineResult::cancelled;
}

}  // namespace

EngineResult RunJoin(const JoinOptions& options, CEngineObserver& observer, CUserPrompt& prompt) {
    return options.hjsplit ? RunHJSplitJoin(options, observer, prompt)
                           : RunOwnJoin(options, observer, prompt);
}

EngineResult RunOwnJoin(const JoinOptions& options, CEngineObserver& observer,
                        CUserPrompt& prompt) {
    const std::int64_t count = options.tagPieceCount;
    observer.OnProgressPos(0);
    if (count < 1) {
        observer.OnRefusal(res::IDS_NOT_CUT_BY_SCINDAREX, {});
        return EngineResult::refused;
    }
    observer.OnProgressStep(ProgressStep(count));

    CFile first(options.firstPiecePath, kReadFlags);
    const std::string extension = ReadJoinedExtension(first, options.tagExtension);
    const std::uint64_t firstLength = first.GetLength();
    const int tagCount = static_cast<int>(std::min<std::int64_t>(count, kMaxTaggedPieceCount));
    if (!IsJoinableTag(tagCount, firstLength, extension)) {
        observer.OnRefusal(res::IDS_NOT_CUT_BY_SCINDAREX, {});
        return EngineResult::refused;
    }

    std::string outputName;
    const NameOutcome outcome = ChooseJoinedName(
        options, count, OwnJoinOutputPath(options.destFolder, options.baseName, extension, false),
        OwnJoinOutputPath(options.destFolder, options.baseName, extension, true), observer, prompt,
        outputName);
    if (outcome != NameOutcome::chosen) {
        return ToResult(outcome);
    }

    observer.OnRepaint();
    observer.OnCaptionPercent(CaptionPercent(count, 1));
    CJoinedOutput joined(outputName, options.tap != nullptr);
    CFile& output = joined.File();
    CReadAhead ahead(PieceNames(options, count), kMetaTagSize);
    std::uint64_t bytesDone = 0;
    AppendPiece(first, output, firstLength - kMetaTagSize, 1, count, bytesDone, ahead, observer,
                options.tap, true);
    observer.OnStepIt();
    first.Close();

    for (std::int64_t k = 2; k <= count; ++k) {
        observer.OnCaptionPercent(CaptionPercent(count, k));
        observer.OnRepaint();
        CFile piece(PieceName(options, k), kReadFlags);
        AppendPiece(piece, output, piece.GetLength(), k, count, bytesDone, ahead, observer,
                    options.tap);
        observer.OnStepIt();
        piece.Close();
    }
    joined.Finish(options.tap);
    observer.OnFinishedCaption();
    observer.OnProgressPos(kProgressEnd);
    return EngineResult::done;
}

EngineResult RunHJSplitJoin(const JoinOptions& options, CEngineObserver& observer,
                            CUserPrompt& prompt) {
    const auto count =
        static_cast<std::int64_t>(CountHJSplitPieces(options.sourceFolder, options.baseName));
    observer.OnProgressPos(0);
    observer.OnProgressStep(ProgressStep(count));
    if (!HJSplitExtension(options.baseName)) {
        observer.OnRefusal(res::IDS_HJSPLIT_NO_EXTENSION, {});
        return EngineResult::refused;
    }

    std::string outputName;
    const NameOutcome outcome = ChooseJoinedName(
        options, count, HJSplitJoinOutputPath(options.destFolder, options.baseName, false),
        HJSplitJoinOutputPath(options.destFolder, options.baseName, true), observer, prompt,
        outputName);
    if (outcome != NameOutcome::chosen) {
        return ToResult(outcome);
    }

    // The first piece is opened before the output is created, so that a piece gone since
    // it was chosen leaves neither an empty joined file nor a truncated one the user had
    // agreed to replace.
    CFile first(options.firstPiecePath, kReadFlags);
    CJoinedOutput joined(outputName, options.tap != nullptr);
    CFile& output = joined.File();
    CReadAhead ahead(PieceNames(options, count), 0);
    std::uint64_t bytesDone = 0;
    AppendPiece(first, output, first.GetLength(), 1, count, bytesDone, ahead, observer,
                options.tap);
    observer.OnCaptionPercent(CaptionPercent(count, 1));
    observer.OnRepaint();
    observer.OnStepIt();
    first.Close();

    for (std::int64_t k = 2; k <= count; ++k) {
        CFile piece(PieceName(options, k), kReadFlags);
        AppendPiece(piece, output, piece.GetLength(), k, count, bytesDone, ahead, observer,
                    options.tap);
        observer.OnStepIt();
        observer.OnCaptionPercent(CaptionPercent(count, k));
        observer.OnRepaint();
        piece.Close();
    }
    joined.Finish(options.tap);
    observer.OnProgressPos(kProgressEnd);
    return EngineResult::done;
}

}  // namespace scx::pieces
