#include "CliTools.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <new>
#include <optional>
#include <string_view>

#include "Cli.h"
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

constexpr std::string_view kCompareUsage = "Utilisation : scindarex-cli compare FICHIER1 FICHIER2";
constexpr std::string_view kPropsUsage =
    "Utilisation : scindarex-cli props FICHIER [--modified JJ/MM/AAAA] [--created JJ/MM/AAAA]\n"
    "              [--accessed JJ/MM/AAAA] [--readonly on|off] [--hidden on|off]\n"
    "              [--archive on|off]";

// A malformed command line: what is wrong, then the synopsis.
struct UsageError {
    std::string what;
    std::string_view usage;
};

std::string Quoted(std::string_view text) {
    return "« " + std::string(text) + " »";
}

bool IsOption(std::string_view arg) {
    return arg.size() > 1 && arg.front() == '-';
}

// The non-option arguments after the subcommand; "--" ends the options.
std::vector<std::string> Operands(const std::vector<std::string>& args, std::string_view usage) {
    std::vector<std::string> operands;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (!optionsEnded && args[i] == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && IsOption(args[i])) {
            throw UsageError{"option inconnue " + Quoted(args[i]), usage};
        } else {
            operands.push_back(args[i]);
        }
    }
    return operands;
}

int RunCompare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::vector<std::string> files = Operands(args, kCompareUsage);
    if (files.size() != 2) {
        throw UsageError{"deux fichiers attendus", kCompareUsage};
    }
    const tools::ComparisonResult result = tools::CompareFiles(files[0], files[1]);
    if (result.kind == tools::ComparisonResult::Kind::samePath) {
        err << tools::ComparisonText(result) << '\n';
        return kExitUsage;
    }
    out << tools::ComparisonText(result) << '\n';
    return result.kind == tools::ComparisonResult::Kind::identical ? kExitSuccess : kExitRefused;
}

struct PropsArguments {
    std::string file;
    std::optional<LocalDate> modified, created, accessed;
    std::optional<bool> readOnly, hidden, archive;
};

// "J/M/AAAA": one or two digits for the day and the month, four for the year.
std::optional<LocalDate> ParseDate(std::string_view text) {
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

PropsArguments ParseProps(const std::vector<std::string>& args) {
    PropsArguments parsed;
    std::vector<std::string> rest{args.front()};
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            rest.insert(rest.end(), args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
            break;
        }
        if (!IsOption(arg)) {
            rest.push_back(arg);
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        std::optional<LocalDate>* date = name == "--modified"   ? &parsed.modified
                                         : name == "--created"  ? &parsed.created
                                         : name == "--accessed" ? &parsed.accessed
                                                                : nullptr;
        std::optional<bool>* flag = name == "--readonly"  ? &parsed.readOnly
                                    : name == "--hidden"  ? &parsed.hidden
                                    : name == "--archive" ? &parsed.archive
                                                          : nullptr;
        if (date == nullptr && flag == nullptr) {
            throw UsageError{"option inconnue " + Quoted(name), kPropsUsage};
        }
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            throw UsageError{"l'option " + name + " attend une valeur", kPropsUsage};
        }
        if (date != nullptr) {
            *date = ParseDate(value);
            if (!*date) {
                throw UsageError{
                    "date incorrecte pour " + name + " : " + Quoted(value) + " (JJ/MM/AAAA)",
                    kPropsUsage};
            }
        } else if (value == "on" || value == "off") {
            *flag = value == "on";
        } else {
            throw UsageError{
                "valeur incorrecte pour " + name + " : " + Quoted(value) + " (on ou off)",
                kPropsUsage};
        }
    }
    const std::vector<std::string> files = Operands(rest, kPropsUsage);
    if (files.size() != 1) {
        throw UsageError{files.empty() ? "fichier manquant" : "un seul fichier attendu",
                         kPropsUsage};
    }
    parsed.file = files.front();
    return parsed;
}

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

int RunProps(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const PropsArguments parsed = ParseProps(args);
    for (const auto* date : {&parsed.modified, &parsed.created, &parsed.accessed}) {
        if (*date) {
            if (const auto refusal = RangeRefusal(**date)) {
                err << res::LoadString(*refusal) << '\n';
                return kExitRefused;
            }
        }
    }

    CFile file(parsed.file, CFile::modeRead | CFile::shareExclusive);
    const CFileStatus old = GetFileStatus(file);
    const std::string path = file.GetFilePath();
    file.Close();

    const bool changes = parsed.modified || parsed.created || parsed.accessed || parsed.readOnly ||
                         parsed.hidden || parsed.archive;
    if (!changes) {
        out << "Modifié le : " << DateTimeText(old.m_mtime) << '\n'
            << "Créé le : " << DateTimeText(old.m_ctime) << '\n'
            << "Accédé le : " << DateTimeText(old.m_atime) << '\n'
            << "Attributs : " << AttributesText(old.m_attribute) << '\n';
        return kExitSuccess;
    }

    auto edit = tools::EditOf(old);
    if (!edit) {
        throw CFileException(CFileException::genericException, path);
    }
    edit->modified = parsed.modified.value_or(edit->modified);
    edit->created = parsed.created.value_or(edit->created);
    edit->accessed = parsed.accessed.value_or(edit->accessed);
    edit->readOnly = parsed.readOnly.value_or(edit->readOnly);
    edit->hidden = parsed.hidden.value_or(edit->hidden);
    edit->archive = parsed.archive.value_or(edit->archive);
    LocalDate refused;
    const auto edited = tools::EditedStatus(old, *edit, refused);
    if (!edited) {
        err << ReplacePathSlot(res::LoadString(res::IDS_DATE_NOT_REPRESENTABLE),
                               tools::DateText(refused))
            << '\n';
        return kExitRefused;
    }
    if (tools::ApplyEditedStatus(path, *edited) == StatusWrite::withoutExtendedAttributes) {
        err << ReplacePathSlot(res::LoadString(res::IDS_NO_EXTENDED_ATTRIBUTES), path) << '\n';
        return kExitRefused;
    }
    return kExitSuccess;
}

}  // namespace

bool IsToolCommand(const std::vector<std::string>& args) {
    return !args.empty() && (args.front() == "compare" || args.front() == "props");
}

int RunToolCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    try {
        return args.front() == "compare" ? RunCompare(args, out, err) : RunProps(args, out, err);
    } catch (const UsageError& error) {
        err << "scindarex-cli : " << error.what << '\n' << error.usage << '\n';
        return kExitUsage;
    } catch (const CFileException& error) {
        out.flush();
        err << DescribeFileError(error) << '\n';
    } catch (const std::bad_alloc&) {
        err << res::LoadString(res::IDS_OUT_OF_MEMORY) << '\n';
    }
    return kExitFileError;
}

std::string ToolsHelpText() {
    return "\nOutils :\n" + std::string(kCompareUsage) + "\n" + std::string(kPropsUsage) +
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
           "         autres restent tels quels, l'attribut Système est retiré.\n";
}

}  // namespace scx::cli
