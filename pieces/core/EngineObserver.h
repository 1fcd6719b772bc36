#pragma once
// What the split and join engines tell the window (or the command-line tool) while they
// work. The calls come in the exact order the window must show them: each one stands for
// one progress-bar, caption, repaint or message-box action, so a dialog maps them one to
// one and a terminal prints what it likes.
//
// File failures are not reported here: they leave the engine as CFileException, after
// every file it had open has been closed. What was written until then stays on disk.

#include <cstdint>
#include <string>

namespace scx::pieces {

enum class EngineResult {
    done,       // every piece or the whole joined file was written
    refused,    // a check failed; its message went to OnRefusal and nothing was written
    cancelled,  // the user declined both overwrite and copy name; nothing was written
};

// Reported while bytes are moved, so that a window can keep its animation and events
// going and a terminal can draw a bar. Pieces are numbered from 1.
struct CopyProgress {
    std::int64_t piece = 0;
    std::int64_t pieceCount = 0;
    std::uint64_t pieceBytesDone = 0;  // data bytes of this piece copied so far
    std::uint64_t pieceBytes = 0;      // data bytes of this piece (the tag excluded)
    std::uint64_t bytesDone = 0;       // data bytes copied by the whole operation so far
};

class CEngineObserver {
  public:
    virtual ~CEngineObserver() = default;

    // The progress bar (range 0-100): its position, its step, one step forward. These and
    // the caption and repaint calls concern a window only; a terminal ignores them.
    virtual void OnProgressPos(int /*position*/) {}
    virtual void OnProgressStep(int /*step*/) {}
    virtual void OnStepIt() {}

    // The caption "Scindarex (P%)".
    virtual void OnCaptionPercent(int /*percent*/) {}
    // The caption "Scindarex(100%)" that ends a split and an own-format join.
    virtual void OnFinishedCaption() {}
    // The window is to be repainted at once.
    virtual void OnRepaint() {}

    // A refusal in an OK box: the string's text, with "%1" replaced by `path` when the
    // text holds it. The operation then returns EngineResult::refused.
    virtual void OnRefusal(unsigned stringId, const std::string& path) = 0;

    // Every few megabytes of a copy, and at the end of each piece's copy (never for an
    // empty piece).
    virtual void OnBytesCopied(const CopyProgress& /*progress*/) {}
};

}  // namespace scx::pieces
