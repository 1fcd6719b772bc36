#include "SplitEngine.h"

#include <algorithm>
#include <limits>

#include "DataCopy.h"
#include "File.h"
#include "FileExistence.h"
#include "MetaTag.h"
#include "PieceNames.h"
#include "Progress.h"
#include "ReadAhead.h"
#include "ResourceIds.h"

namespace scx::pieces {

namespace {

constexpr std::uint64_t kKilobyte = 1024;

// The first piece of the set that would land on the source itself, or an empty string.
std::string PieceOverSource(const SplitOptions& options, std::int64_t count, bool copyName) {
    for (std::int64_t k = 1; k <= count; ++k) {
        const std::string piece = SplitPiecePath(options.destFolder, options.baseName,
                                                 static_cast<std::uint64_t>(k), copyName);
        if (IsSameFile(piece, options.sourcePath)) {
            return piece;
        }
    }
    return {};
}

}  // namespace

std::uint64_t PieceCount(std::uint64_t length, std::int64_t partitionKb) {
    if (partitionKb <= 0) {
        return 0;
    }
    const auto kb = static_cast<std::uint64_t>(partitionKb);
    if (kb > std::numeric_limits<std::uint64_t>::max() / kKilobyte) {
        return 1;  // a partition longer than any file
    }
    return length / (kb * kKilobyte) + 1;
}

EngineResult RunSplit(const SplitOptions& options, CEngineObserver& observer, CUserPrompt& prompt) {
    if (options.pieceCount > kMaxTaggedPieceCount) {
        observer.OnRefusal(res::IDS_TOO_MANY_PIECES, {});
        return EngineResult::refused;
    }

    observer.OnProgressPos(0);
    observer.OnProgressStep(ProgressStep(options.pieceCount));

    CFile source(options.sourcePath, CFile::modeRead | CFile::shareExclusive);
    const std::uint64_t length = options.selectedLength;
    // Cutting a file that changed since its length was shown would write a set that
    // does not match what the user saw, or pieces padded with bytes that are not there.
    if (source.GetLength() != length) {
        observer.OnRefusal(res::IDS_SOURCE_CHANGED, source.GetFilePath());
        return EngineResult::refused;
    }
    // partition > length, written so that no product can overflow.
    if (options.partitionKb > 0 &&
        static_cast<std::uint64_t>(options.partitionKb) > length / kKilobyte) {
        observer.OnRefusal(res::IDS_FILE_SMALLER, {});
        return EngineResult::refused;
    }
    if (options.partitionKb <= 0) {
        observer.OnRefusal(res::IDS_ZERO_PARTITION, {});
        return EngineResult::refused;
    }
    const std::uint64_t partition = static_cast<std::uint64_t>(options.partitionKb) * kKilobyte;
    // The set follows the length and the partition, not a count the panel may have left
    // behind (a choice that failed keeps the previous file's count).
    const auto count = static_cast<std::int64_t>(PieceCount(length, options.partitionKb));
    if (count > kMaxTaggedPieceCount) {
        observer.OnRefusal(res::IDS_TOO_MANY_PIECES, {});
        return EngineResult::refused;
    }
    if (count != options.pieceCount) {
        observer.OnProgressStep(ProgressStep(count));
    }

    // The source read through a second name of itself would be truncated by its own piece.
    if (const std::string piece = PieceOverSource(options, count, false); !piece.empty()) {
        observer.OnRefusal(res::IDS_PIECE_IS_SOURCE, piece);
        return EngineResult::refused;
    }
    const std::string firstName = SplitPiecePath(options.destFolder, options.baseName, 1, false);
    const OutputNameChoice choice = ChooseOutputName(FileExists(firstName), prompt);
    if (choice == OutputNameChoice::cancel) {
        return EngineResult::cancelled;
    }
    const bool copyName = choice == OutputNameChoice::useCopyName;
    if (copyName) {
        if (const std::string piece = PieceOverSource(options, count, true); !piece.empty()) {
            observer.OnRefusal(res::IDS_PIECE_IS_SOURCE, piece);
            return EngineResult::refused;
        }
    }

    CReadAhead ahead({source.GetFilePath()}, 0);
    std::uint64_t bytesDone = 0;
    for (std::int64_t k = 1; k <= count; ++k) {
        if (k > 1) {
            observer.OnStepIt();
        }
        CFile piece(SplitPiecePath(options.destFolder, options.baseName,
                                   static_cast<std::uint64_t>(k), copyName),
                    CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
        if (options.tap != nullptr) {
            options.tap->OnPieceStart(k, piece.GetFilePath());
        }
        if (k == 1) {
            observer.OnStepIt();
            const MetaTag tag = BuildMetaTag(options.sourceExtension, static_cast<int>(count));
            piece.Write(tag.data(), tag.size());
            if (options.tap != nullptr) {
                options.tap->OnPieceBytes(tag, true);
            }
        }
        const std::uint64_t pieceBytes = std::min(partition, length - bytesDone);
        CopyProgress progress{k, count, 0, pieceBytes, bytesDone};
        CopyPieceData(source, piece, pieceBytes, options.tap, [&](std::uint64_t copied) {
            progress.pieceBytesDone = copied;
            progress.bytesDone = bytesDone + copied;
            ahead.Reached(0, progress.bytesDone);
            observer.OnBytesCopied(progress);
        });
        bytesDone += pieceBytes;
        piece.Close();
        if (options.tap != nullptr) {
            options.tap->OnPieceEnd();
        }
        if (k == 1) {
            observer.OnRepaint();
            observer.OnCaptionPercent(CaptionPercent(count, k));
        } else {
            observer.OnCaptionPercent(CaptionPercent(count, k));
            observer.OnRepaint();
        }
    }
    source.Close();
    if (options.tap != nullptr) {
        options.tap->OnSetEnd();
    }
    observer.OnProgressPos(kProgressEnd);
    observer.OnFinishedCaption();
    return EngineResult::done;
}

}  // namespace scx::pieces
