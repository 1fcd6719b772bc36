#pragma once
// The join: rebuilds a file from its numbered pieces, read from the folder of the first
// piece, into the destination folder. Two modes:
//
//   own      pieces cut by this program: the first begins with the META-TAG, which gives
//            the count and the extension; the joined file is base name + "." + extension.
//   HJSplit  no marker: film.avi.001, film.avi.002, ... counted on disk until the first
//            gap; the joined file is the base name itself (film.avi).
//
// Observer calls, own mode, in this order:
//   OnProgressPos(0)
//   refusal 112 when the count is below 1, ending the run
//   OnProgressStep(100/N)
//   refusals 112 (first piece shorter than the tag, or an extension that is no file
//   name) and 212 (the joined file would replace a piece), each ending the run
//   the overwrite questions 107 then 108 when the joined name is taken
//   piece 1:  OnRepaint, OnCaptionPercent(1), [copy], OnStepIt
//   piece k:  OnCaptionPercent(k), OnRepaint, [copy], OnStepIt
//   OnFinishedCaption, OnProgressPos(100)
//
// HJSplit mode:
//   OnProgressPos(0), OnProgressStep(100/N)
//   refusals 104 (base name without a dot) and 212, each ending the run
//   the overwrite questions 107 then 108 when the joined name is taken
//   piece 1:  [copy], OnCaptionPercent(1), OnRepaint, OnStepIt
//   piece k:  [copy], OnStepIt, OnCaptionPercent(k), OnRepaint
//   OnProgressPos(100)                      (no "Scindarex(100%)" in this mode)
//
// with OnBytesCopied during each [copy]. Pieces after the first are looked for only when
// their turn comes: a missing one raises CFileException naming it, and the joined file
// keeps what was written before. With a tap (a checksum verifier), the joined file is
// instead removed whenever the join does not finish, the tap's own refusals included.

#include <cstdint>
#include <string>

#include "EngineObserver.h"
#include "OutputQuestion.h"
#include "PieceTap.h"

namespace scx::pieces {

struct JoinOptions {
    bool hjsplit = false;
    std::string firstPiecePath;  // the selected piece, named ...001
    std::string sourceFolder;    // its folder, ending with the path separator
    std::string baseName;        // its name without ".001"
    std::string destFolder;      // ends with the path separator
    // Own mode: the META-TAG as the panel read it when the piece was chosen.
    std::int64_t tagPieceCount = 0;
    std::string tagExtension;  // the stored first three bytes, as PanelTag holds them
    CPieceTap* tap = nullptr;  // sees every byte read, when set
};

// File failures raise CFileException.
EngineResult RunJoin(const JoinOptions& options, CEngineObserver& observer, CUserPrompt& prompt);

EngineResult RunOwnJoin(const JoinOptions& options, CEngineObserver& observer, CUserPrompt& prompt);

// The count is CountHJSplitPieces(sourceFolder, baseName).
EngineResult RunHJSplitJoin(const JoinOptions& options, CEngineObserver& observer,
                            CUserPrompt& prompt);

}  // namespace scx::pieces
