#pragma once
// The split: cuts a file into pieces destination folder + base name + ".001", ".002", ...
// The first piece is the META-TAG then the first partition; every later piece is the
// next partition, raw; the last one is shorter, and empty when the file's length is a
// multiple of the partition (there are floor(L / partition) + 1 pieces).
//
// Observer calls, in this order:
//   OnProgressPos(0), OnProgressStep(100/N)
//   refusals, each ending the run: 210 (file changed since it was chosen), 111 (partition
//   longer than the file), 117 (partition 0), 211 (a piece would replace the file)
//   the overwrite questions 107 then 108 when piece 1's name is taken (No, No: cancelled)
//   piece 1:  OnStepIt, [copy], OnRepaint, OnCaptionPercent(1)
//   piece k:  OnStepIt, [copy], OnCaptionPercent(k), OnRepaint
//   OnProgressPos(100), OnFinishedCaption
// with OnBytesCopied during each [copy].

#include <cstdint>
#include <string>

#include "EngineObserver.h"
#include "OutputQuestion.h"
#include "PieceTap.h"

namespace scx::pieces {

struct SplitOptions {
    std::string sourcePath;            // the file to cut
    std::string sourceExtension;       // its extension without the dot, written into the tag
    std::string baseName;              // its name without the extension: the pieces' base name
    std::string destFolder;            // ends with the path separator
    std::uint64_t selectedLength = 0;  // the length shown when the file was chosen
    std::int64_t partitionKb = 0;      // partition size in kilobytes of 1024 bytes
    std::int64_t pieceCount = 0;       // the count the panel shows
    CPieceTap* tap = nullptr;          // sees every byte written, when set
};

// floor(length / (partitionKb * 1024)) + 1: a length that is an exact multiple of the
// partition counts one more, empty piece. 0 when partitionKb is not positive.
std::uint64_t PieceCount(std::uint64_t length, std::int64_t partitionKb);

// File failures raise CFileException. A piece count above 999 is refused with message 148
// before anything else, as the window does before calling. The set written follows the
// source's length and the partition; when `pieceCount` differs from what they give (a
// panel left behind by a failed choice) the progress step is set again for the real count.
EngineResult RunSplit(const SplitOptions& options, CEngineObserver& observer, CUserPrompt& prompt);

}  // namespace scx::pieces
