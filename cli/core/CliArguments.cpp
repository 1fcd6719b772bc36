#include "CliArguments.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <limits>

#include "CliTools.h"
#include "ResourceIds.h"
#include "Resources.h"

namespace scx::cli {

namespace {

constexpr std::string_view kProgram = "scindarex-cli";
constexpr std::string_view kIfExistsValues = "ask|overwrite|copy|fail";

enum class OptionId {
    size,
    dest,
    ifExists,
    hjsplit,
    quiet,
    help,
    author,
    content,
    comment,
    checksums,
    noVerify,
    modified,
    created,
    accessed,
    readOnly,
    hidden,
    archive
};

struct OptionRule {
    std::string_view name;
    OptionId id;
    bool takesValue;
    bool split, join, info, pack, list, extract, verify, props;  // the subcommands that take it
};

constexpr std::array<OptionRule, 17> kOptions = {{
    {"--size", OptionId::size, true, true, false, true, false, false, false, false, false},
    {"--dest", OptionId::dest, true, true, true, false, false, false, true, false, false},
    {"--if-exists", OptionId::ifExists, true, true, true, false, false, false, true, false, false},
    {"--hjsplit", OptionId::hjsplit, false, false, true, true, false, false, false, true, false},
    {"--quiet", OptionId::quiet, false, true, true, false, true, false, true, true, false},
    {"--help", OptionId::help, false, true, true, true, true, true, true, true, true},
    {"--author", OptionId::author, true, false, false, false, true, false, false, false, false},
    {"--content", OptionId::content, true, false, false, false, true, false, false, false, false},
    {"--comment", OptionId::comment, true, false, false, false, true, false, false, false, false},
    {"--checksums", OptionId::checksums, false, true, false, false, false, false, false, false,
     false},
    {"--no-verify", OptionId::noVerify, false, false, true, false, false, false, false, false,
     false},
    {"--modified", OptionId::modified, true, false, false, false, false, false, false, false, true},
    {"--created", OptionId::created, true, false, false, false, false, false, false, false, true},
    {"--accessed", OptionId::accessed, true, false, false, false, false, false, false, false, true},
    {"--readonly", OptionId::readOnly, true, false, false, false, false, false, false, false, true},
    {"--hidden", OptionId::hidden, true, false, false, false, false, false, false, false, true},
    {"--archive", OptionId::archive, true, false, false, false, false, false, false, false, true},
}};

const OptionRule* FindOption(std::string_view name) {
    const auto it = std::find_if(kOptions.begin(), kOptions.end(),
                                 [&](const OptionRule& rule) { return rule.name == name; });
    return it == kOptions.end() ? nullptr : &*it;
}

bool Takes(const OptionRule& rule, Command command) {
    switch (command) {
        case Command::split:
            return rule.split;
        case Command::join:
            return rule.join;
        case Command::info:
            return rule.info;
        case Command::pack:
            return rule.pack;
        case Command::list:
            return rule.list;
        case Command::extract:
            return rule.extract;
        case Command::verify:
            return rule.verify;
        case Command::props:
            return rule.props;
        default:
            return false;
    }
}

std::string_view CommandName(Command command) {
    switch (command) {
        case Command::split:
            return "split";
        case Command::join:
            return "join";
        case Command::info:
            return "info";
        case Command::pack:
            return "pack";
        case Command::list:
            return "list";
        case Command::extract:
            return "extract";
        case Command::verify:
            return "verify";
        case Command::compare:
            return "compare";
        case Command::props:
            return "props";
        default:
            return "";
    }
}

std::optional<IfExists> ParseIfExists(std::string_view text) {
    if (text == "ask") {
        return IfExists::ask;
    }
    if (text == "overwrite") {
        return IfExists::overwrite;
    }
    if (text == "copy") {
        return IfExists::copy;
    }
    if (text == "fail") {
        return IfExists::fail;
    }
    return std::nullopt;
}

std::string Quoted(std::string_view text) {
    return "« " + std::string(text) + " »";
}

ParsedArguments Usage(Command command, const std::string& what) {
    return {std::nullopt, what + "\n" + UsageLine(command)};
}

ParsedArguments Complaint(Command command, const std::string& what) {
    return Usage(command, std::string(kProgram) + " : " + what);
}

}  // namespace

std::optional<std::int64_t> ParsePartitionKb(std::string_view text) {
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (const char c : text) {
        const int digit = c - '0';
        if (value > (kMax - digit) / 10) {
            return kMax;
        }
        value = value * 10 + digit;
    }
    return value;
}

std::string UsageLine(Command command) {
    const std::string start = "Utilisation : " + std::string(kProgram) + " ";
    const std::string ifExists = " [--if-exists " + std::string(kIfExistsValues) + "]";
    switch (command) {
        case Command::split:
            return start + "split FICHIER [--size Ko] [--dest DOSSIER]" + ifExists +
                   " [--checksums] [--quiet]";
        case Command::join:
            return start + "join PREMIÈRE_PARTIE [--hjsplit] [--dest DOSSIER]" + ifExists +
                   " [--no-verify] [--quiet]";
        case Command::verify:
            return start + "verify PREMIÈRE_PARTIE [--hjsplit] [--quiet]";
        case Command::info:
            return start + "info FICHIER [--size Ko] [--hjsplit]";
        case Command::pack:
            return start +
                   "pack ARCHIVE [FICHIER...] [--author TEXTE] [--content TEXTE] "
                   "[--comment TEXTE] [--quiet]";
        case Command::list:
            return start + "list ARCHIVE";
        case Command::extract:
            return start + "extract ARCHIVE [FICHIER...] [--dest DOSSIER]" + ifExists +
                   " [--quiet]";
        case Command::compare:
            return start + "compare FICHIER1 FICHIER2";
        case Command::props:
            return start +
                   "props FICHIER [--modified JJ/MM/AAAA] [--created JJ/MM/AAAA]\n"
                   "              [--accessed JJ/MM/AAAA] [--readonly on|off] [--hidden on|off]\n"
                   "              [--archive on|off]";
        default:
            return start + "split|join|verify|info|pack|list|extract FICHIER [options] (" +
                   std::string(kProgram) + " --help pour l'aide)";
    }
}

std::string HelpText() {
    return "scindarex-cli : coupe un fichier en parties numérotées et les rejoint.\n"
           "\n" +
           UsageLine(Command::split) + "\n" + UsageLine(Command::join) + "\n" +
           UsageLine(Command::verify) + "\n" + UsageLine(Command::info) + "\n" +
           UsageLine(Command::pack) + "\n" + UsageLine(Command::list) + "\n" +
           UsageLine(Command::extract) +
           "\n"
           "              scindarex-cli --help | --version\n"
           "\n"
           "Commandes :\n"
           "  split  coupe FICHIER en parties de Ko kilo-octets nommées d'après le fichier :\n"
           "         film.avi donne film.001, film.002... La première commence par le\n"
           "         META-TAG (extension et nombre de parties).\n"
           "  join   rejoint l'ensemble dont PREMIÈRE_PARTIE est la partie .001 ; avec\n"
           "         --hjsplit, un ensemble HJSplit (film.avi.001, film.avi.002...).\n"
           "         Si un fichier de sommes de contrôle (film.sha256) se trouve à côté,\n"
           "         chaque partie est vérifiée ; le fichier joint ne prend son nom\n"
           "         qu'une fois entier et vérifié : une partie endommagée arrête la\n"
           "         jonction et le fichier qui portait ce nom reste tel quel.\n"
           "  verify vérifie chaque partie de l'ensemble avec son fichier de sommes de\n"
           "         contrôle et affiche « nom: OK » ou « nom: FAILED » comme sha256sum -c.\n"
           "  info   affiche, une par ligne, les indications du panneau de la fenêtre :\n"
           "         chemin, extension, taille, puis les deux lignes d'information ;\n"
           "         pour une partie .001, si un fichier de sommes de contrôle l'accompagne.\n"
           "  pack   rassemble les FICHIERs, dans l'ordre donné, en une archive Scindarex\n"
           "         (.pck) ; une archive existante n'est remplacée qu'une fois la\n"
           "         nouvelle écrite en entier.\n"
           "  list   affiche les propriétés de l'archive puis une ligne par fichier :\n"
           "         nom, taille et position séparés par des tabulations. Les caractères\n"
           "         de contrôle des textes y sont échappés (\\n, \\t, \\x1b...) et la\n"
           "         barre oblique inverse doublée (\\\\).\n"
           "  extract  extrait les FICHIERs nommés (tous sans nom) dans le dossier de\n"
           "         l'archive ou dans DOSSIER ; deux fichiers de même nom passent\n"
           "         chacun par --if-exists.\n"
           "\n"
           "Options :\n"
           "  --size Ko          taille de partition en kilo-octets de 1024 octets\n"
           "                     (1400 par défaut)\n"
           "  --dest DOSSIER     dossier de destination (par défaut celui du fichier)\n"
           "  --if-exists MODE   si le fichier de destination existe déjà :\n"
           "                       ask        poser les questions de la fenêtre (par\n"
           "                                  défaut quand l'entrée est un terminal)\n"
           "                       overwrite  l'écraser\n"
           "                       copy       ajouter \"_Copie\" au nom (\"Copie_de_\"\n"
           "                                  devant le nom en mode HJSplit et pour\n"
           "                                  extract)\n"
           "                       fail       ne rien écrire (par défaut sinon)\n"
           "  --hjsplit          ensemble coupé par HJSplit, sans META-TAG\n"
           "  --checksums        écrit aussi FICHIER.sha256 (sans l'extension) à côté des\n"
           "                     parties, lisible par « sha256sum -c »\n"
           "  --no-verify        joindre sans vérifier les sommes de contrôle\n"
           "  --author, --content, --comment TEXTE\n"
           "                     propriétés de l'archive (sans \";\" ; un saut de ligne\n"
           "                     du commentaire est enregistré en CR LF)\n"
           "  --quiet            ni barre de progression ni message de réussite\n"
           "  --help             cette aide\n"
           "  --version          le numéro de version\n"
           "\n"
           "Codes de sortie : 0 réussite ; 1 refus (vérification du programme ou réponse\n"
           "à une question) ; 2 mauvaise utilisation ; 3 erreur de fichier ; 130, 143,\n"
           "129 interrompu (Ctrl-C, SIGTERM, SIGHUP) : l'archive, le fichier extrait ou\n"
           "le fichier d'une jonction vérifiée en cours d'écriture est supprimé ; une\n"
           "découpe ou une jonction sans vérification laisse ce qu'elle a écrit.\n" +
           ToolsHelpText();
}

ParsedArguments ParseArguments(const std::vector<std::string>& args) {
    if (args.empty()) {
        return Complaint(Command::help, "commande manquante");
    }
    const std::string& first = args.front();
    CliArguments result;
    if (first == "--help" || first == "-h") {
        result.command = Command::help;
        return {result, {}};
    }
    if (first == "--version") {
        result.command = Command::version;
        return {result, {}};
    }
    if (first == "split") {
        result.command = Command::split;
    } else if (first == "join") {
        result.command = Command::join;
    } else if (first == "info") {
        result.command = Command::info;
    } else if (first == "pack") {
        result.command = Command::pack;
    } else if (first == "list") {
        result.command = Command::list;
    } else if (first == "extract") {
        result.command = Command::extract;
    } else if (first == "verify") {
        result.command = Command::verify;
    } else if (first == "compare") {
        result.command = Command::compare;
    } else if (first == "props") {
        result.command = Command::props;
    } else if (first.size() > 1 && first.front() == '-') {
        return Complaint(Command::help, "option inconnue " + Quoted(first));
    } else {
        return Complaint(Command::help, "sous-commande inconnue " + Quoted(first));
    }
    const Command command = result.command;

    bool haveFile = false;
    bool optionsEnded = false;
    std::bitset<kOptions.size()> given;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool isOption = !optionsEnded && arg.size() > 1 && arg.front() == '-';
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (!isOption) {
            if (haveFile && (command == Command::pack || command == Command::extract ||
                             command == Command::compare)) {
                result.members.push_back(arg);
                continue;
            }
            if (haveFile) {
                return Complaint(command, "un seul fichier attendu, " + Quoted(arg) + " en trop");
            }
            result.file = arg;
            haveFile = true;
            continue;
        }

        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const OptionRule* rule = FindOption(name);
        if (rule == nullptr) {
            return Complaint(command, "option inconnue " + Quoted(name));
        }
        if (!Takes(*rule, command)) {
            return Complaint(command, "l'option " + name + " ne s'applique pas à " +
                                          std::string(CommandName(command)));
        }
        // Which of two values was meant is anybody's guess: say so rather than pick one.
        const std::size_t index = static_cast<std::size_t>(rule - kOptions.data());
        if (given.test(index)) {
            return Complaint(command, "l'option " + name + " est donnée deux fois");
        }
        given.set(index);
        std::string value;
        if (rule->takesValue) {
            if (equals != std::string::npos) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                value = args[++i];
            } else {
                return Complaint(command, "l'option " + name + " attend une valeur");
            }
        } else if (equals != std::string::npos) {
            return Complaint(command, "l'option " + name + " ne prend pas de valeur");
        }

        switch (rule->id) {
            case OptionId::size:
                if (const auto kb = ParsePartitionKb(value)) {
                    result.partitionKb = *kb;
                } else {
                    return Usage(command, res::LoadString(res::IDS_SIZE_NOT_NUMERIC) + " : " +
                                              Quoted(value));
                }
                break;
            case OptionId::dest:
                if (value.empty()) {
                    return Complaint(command, "l'option --dest attend un dossier");
                }
                result.destFolder = value;
                break;
            case OptionId::ifExists:
                if (const auto mode = ParseIfExists(value)) {
                    result.ifExists = *mode;
                } else {
                    return Complaint(command,
                                     "valeur incorrecte pour --if-exists : " + Quoted(value) +
                                         " (ask, overwrite, copy ou fail)");
                }
                break;
            case OptionId::hjsplit:
                result.hjsplit = true;
                break;
            case OptionId::quiet:
                result.quiet = true;
                break;
            case OptionId::author:
                result.author = value;
                break;
            case OptionId::content:
                result.content = value;
                break;
            case OptionId::comment:
                result.comment = value;
                break;
            case OptionId::checksums:
                result.checksums = true;
                break;
            case OptionId::noVerify:
                result.noVerify = true;
                break;
            case OptionId::modified:
            case OptionId::created:
            case OptionId::accessed:
                if (!ParsePropsDate(value)) {
                    return Complaint(command, "date incorrecte pour " + name + " : " +
                                                  Quoted(value) + " (JJ/MM/AAAA)");
                }
                (rule->id == OptionId::modified  ? result.modified
                 : rule->id == OptionId::created ? result.created
                                                 : result.accessed) = value;
                break;
            case OptionId::readOnly:
            case OptionId::hidden:
            case OptionId::archive:
                if (value != "on" && value != "off") {
                    return Complaint(command, "valeur incorrecte pour " + name + " : " +
                                                  Quoted(value) + " (on ou off)");
                }
                (rule->id == OptionId::readOnly ? result.readOnly
                 : rule->id == OptionId::hidden ? result.hidden
                                                : result.archive) = value == "on";
                break;
            case OptionId::help:
                result.command = Command::help;
                return {result, {}};
        }
    }
    if (!haveFile) {
        return Complaint(command, "fichier manquant");
    }
    if (command == Command::compare && result.members.size() != 1) {
        return Complaint(command, "deux fichiers attendus");
    }
    return {result, {}};
}

}  // namespace scx::cli
