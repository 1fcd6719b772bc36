#pragma once
// What to do when the name an operation is about to write is taken. One rule serves the
// split, both joins and the archive extraction:
//
//   1. ask message 107 (overwrite?): Yes keeps the name, the file is created anew;
//   2. after No, ask message 108 (add "_Copie"?): Yes switches to the operation's copy
//      name, which is not tested again; No cancels, and nothing is written.
//
// The copy names of split and joins are in PieceNames.h.

#include <string>

namespace scx::pieces {

// Asks the user a Yes/No question; the dialog layer shows a message box with the question
// icon, the command-line tool may answer from its options.
class CUserPrompt {
  public:
    virtual ~CUserPrompt() = default;
    // `stringId` is the question's number in the string table; `detail`, when not empty,
    // is shown after it (the extraction names the file there).
    virtual bool AskYesNo(unsigned stringId, const std::string& detail) = 0;
};

enum class OutputNameChoice { keepName, useCopyName, cancel };

// Asks nothing when the name is free.
OutputNameChoice ChooseOutputName(bool nameTaken, CUserPrompt& prompt,
                                  const std::string& overwriteDetail = std::string());

}  // namespace scx::pieces
