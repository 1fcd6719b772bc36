#pragma once
// The answers to the overwrite-or-rename questions (107, then 108) on the command line:
// from the --if-exists mode, or from the user at the terminal.

#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

#include "CliArguments.h"
#include "OutputQuestion.h"

namespace scx::cli {

class CTerminalPrompt : public pieces::CUserPrompt {
  public:
    // Questions and their answers go through `out` and `in`; only the ask mode uses them.
    CTerminalPrompt(IfExists mode, std::istream& in, std::ostream& out);

    bool AskYesNo(unsigned stringId, const std::string& detail) override;

    // Whether a question came up at all: the first output name was taken.
    bool WasAsked() const { return m_asked; }

    // Called after the user has answered at the terminal.
    void SetAfterAnswer(std::function<void()> afterAnswer) {
        m_afterAnswer = std::move(afterAnswer);
    }

  private:
    bool AskUser(unsigned stringId, const std::string& detail);

    IfExists m_mode;
    std::istream& m_in;
    std::ostream& m_out;
    bool m_asked = false;
    std::function<void()> m_afterAnswer;
};

// Oui / Non typed by the user: "o", "oui", "n", "non" in any case, blanks around ignored.
// None for anything else.
std::optional<bool> ParseYesNo(std::string_view answer);

}  // namespace scx::cli
