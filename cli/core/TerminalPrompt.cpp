#include "TerminalPrompt.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "EscapedText.h"
#include "ResourceIds.h"
#include "Resources.h"

namespace scx::cli {

std::optional<bool> ParseYesNo(std::string_view answer) {
    const auto isBlank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!answer.empty() && isBlank(answer.front())) {
        answer.remove_prefix(1);
    }
    while (!answer.empty() && isBlank(answer.back())) {
        answer.remove_suffix(1);
    }
    std::string lower(answer);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    if (lower == "o" || lower == "oui") {
        return true;
    }
    if (lower == "n" || lower == "non") {
        return false;
    }
    return std::nullopt;
}

CTerminalPrompt::CTerminalPrompt(IfExists mode, std::istream& in, std::ostream& out)
    : m_mode(mode), m_in(in), m_out(out) {}

bool CTerminalPrompt::AskYesNo(unsigned stringId, const std::string& detail) {
    m_asked = true;
    switch (m_mode) {
        case IfExists::overwrite:
            return stringId == res::IDS_OVERWRITE;
        case IfExists::copy:
            return stringId == res::IDS_ADD_COPY;
        case IfExists::fail:
            return false;
        case IfExists::ask:
            break;
    }
    const bool answer = AskUser(stringId, detail);
    if (m_afterAnswer) {
        m_afterAnswer();
    }
    return answer;
}

bool CTerminalPrompt::AskUser(unsigned stringId, const std::string& detail) {
    m_out << res::LoadString(stringId);
    if (!detail.empty()) {
        // It may be a name an archive stored.
        m_out << '\n' << EscapeControlCharacters(detail);
    }
    m_out << " (o/n) ";
    m_out.flush();
    std::string line;
    while (std::getline(m_in, line)) {
        if (const auto answer = ParseYesNo(line)) {
            return *answer;
        }
        m_out << "Répondez par oui (o) ou par non (n) : ";
        m_out.flush();
    }
    // No more input: the safe answer, which writes over nothing.
    m_out << '\n';
    return false;
}

}  // namespace scx::cli
