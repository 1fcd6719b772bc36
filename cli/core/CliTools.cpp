#include "CliTools.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>

#include "Cli.h"
#include "CliArguments.h"
#include "EscapedText.h"
#include "File.h"
#include "FileComparison.h"
#include "FileErrorText.h"
#include "FileStatus.h"
#include "LocalDates.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "StatusEdit.h"

namespace scx::cli {

namespace {

using tools::LocalDate;

std::string DateTimeText(const FileTime& time) {
    const auto local = tools::ToLocal(time);
    if (!local) {
        return "?";
    }
    char clock[16];
    std::snprintf(clock, sizeof clock, " %02d:%02d:%02d", local->hour, local->minute,
                  local->second);
    return tools::DateText(local->date) + clock;
}

std::string AttributesText(std::uint8_t attributes) {
    constexpr std::array<std::pair<std::uint8_t, std::string_view>, 4> kNames{{
        {attr::readOnly, "Lecture Seule"},
        {attr::hidden, "Caché"},
        {attr::system, "Système"},
        {attr::archive, "Archive"},
    }};
    std::string text;
    for (const auto& [bit, name] : kNames) {
        if ((attributes & bit) != 0) {
            text += (text.empty() ? "" : ", ") + std::string(name);
        }
    }
    return text.empty() ? "aucun" : text;
}

// The window's check of one field on leaving it: message 118 or 119, or nothing.
std::optional<unsigned> RangeRefusal(const LocalDate& date) {
    const std::pair<int, tools::FieldRange> fields[] = {{date.day, tools::kDayRange},
                                                        {date.month, tools::kMonthRange},
                                                        {date.year, tools::kYearRange}};
    for (const auto& [value, range] : fields) {
        switch (tools::CheckRange(value, range)) {
            case tools::RangeCheck::aboveMaximum:
                return res::IDS_VALUE_TOO_HIGH;
            case tools::RangeCheck::belowMinimum:
                return res::IDS_VALUE_TOO_LOW;
            case tools::RangeCheck::inside:
                break;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<LocalDate> ParsePropsDate(std::string_view text) {
    std::array<int, 3> parts{};
    constexpr std::array<std::size_t, 3> kMinDigits{1, 1, 4};
    constexpr std::array<std::size_t, 3> kMaxDigits{2, 2, 4};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t slash = i + 1 < parts.size() ? text.find('/') : text.size();
        if (slash == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view digits = text.substr(0, slash);
        if (digits.size() < kMinDigits[i] || digits.size() > kMaxDigits[i]) {
            return std::nullopt;
        }
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), parts[i]);
        if (error != std::errc() || end != digits.data() + digits.size() || digits.front() == '+' ||
            digits.front() == '-') {
            return std::nullopt;
        }
        text.remove_prefix(std::min(text.size(), slash + 1));
    }
    return LocalDate{parts[0], parts[1], parts[2]};
}

int RunCompare(const CliArguments& arguments, std::ostream& out, std::ostream& err) {
    const tools::ComparisonResult result =
        tools::CompareFiles(arguments.file, arguments.members.front());
    if (result.kind == tools::ComparisonResult::Kind::samePath) {
        err << tools::ComparisonText(result) << '\n';
        return kExitUsage;
    }
    out << tools::ComparisonText(result) << '\n';
    return result.kind == tools::ComparisonResult::Kind::identical ? kExitSuccess : kExitRefused;
}

int RunProps(const CliArguments& parsed, std::ostream& out, std::ostream& err) {
    // The parser checked the dates' form: each reads.
    const auto date = [](const std::optional<std::string>& text) {
        return text ? ParsePropsDate(*text) : std::nullopt;
    };
    const std::optional<LocalDate> modified = date(parsed.modified);
    const std::optional<LocalDate> created = date(parsed.created);
    const std::optional<LocalDate> accessed = date(parsed.accessed);
    for (const auto* given : {&modified, &created, &accessed}) {
        if (*given) {
            if (const auto refusal = RangeRefusal(**given)) {
                err << res::LoadString(*refusal) << '\n';
                return kExitRefused;
            }
        }
    }

    CFile file(parsed.file, CFile::modeRead | CFile::shareExclusive);
    const CFileStatus old = GetFileStatus(file);
    const std::string path = file.GetFilePath();
    file.Close();

    const bool changes =
        modified || created || accessed || parsed.readOnly || parsed.hidden || parsed.archive;
    if (!changes) {
        out << "Modifié le : " << DateTimeText(old.m_mtime) << '\n'
            << "Créé le : " << DateTimeText(old.m_ctime) << '\n'
            << "Accédé le : " << DateTimeText(old.m_atime) << '\n'
            << "Attributs : " << AttributesText(old.m_attribute) << '\n';
        return kExitSuccess;
    }

    tools::StatusEdit edit = tools::EditOf(old);
    if (modified) {
        edit.modified = modified;
    }
    if (created) {
        edit.created = created;
    }
    if (accessed) {
        edit.accessed = accessed;
    }
    edit.readOnly = parsed.readOnly.value_or(edit.readOnly);
    edit.hidden = parsed.hidden.value_or(edit.hidden);
    edit.archive = parsed.archive.value_or(edit.archive);
    LocalDate refused;
    const auto edited = tools::EditedStatus(old, edit, refused);
    if (!edited) {
        err << ReplacePathSlot(res::LoadString(res::IDS_DATE_NOT_REPRESENTABLE),
                               tools::DateText(refused))
            << '\n';
        return kExitRefused;
    }
    const auto remarks = tools::AppliedStatusRemarks(EscapeControlCharacters(path),
                                                     tools::ApplyEditedStatus(path, old, *edited));
    for (const std::string& remark : remarks) {
        err << remark << '\n';
    }
    return remarks.empty() ? kExitSuccess : kExitRefused;
}

std::string ToolsHelpText() {
    return "\nOutils :\n" + UsageLine(Command::compare) + "\n" + UsageLine(Command::props) +
           "\n"
           "  compare  compare les deux fichiers octet par octet et affiche la position du\n"
           "         premier octet différent (comptée à partir de 1), la taille du plus\n"
           "         court s'il est le début de l'autre, ou qu'ils sont identiques.\n"
           "         Codes de sortie : 0 identiques ; 1 différents ; 2 mauvaise\n"
           "         utilisation (le même chemin deux fois compris) ; 3 erreur de fichier.\n"
           "  props  sans option, affiche les dates de modification, de création et\n"
           "         d'accès (heure locale) et les attributs. Avec options, remplace les\n"
           "         dates données (l'heure du jour est conservée ; un jour au-delà de la\n"
           "         fin du mois passe au mois suivant) et les attributs donnés ; les\n"
           "         autres restent tels quels, l'attribut Système est retiré.\n"
           "         Codes de sortie : 0 appliqué ; 1 refus (date hors des limites, ou\n"
           "         que le système de fichiers n'a pas conservée) ; 2 mauvaise\n"
           "         utilisation ; 3 erreur de fichier (le message dit ce qui a été\n"
           "         appliqué quand une partie l'a été).\n";
}

}  // namespace scx::cli
