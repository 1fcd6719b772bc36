// The French string table. Texts are kept byte for byte as the program has always shown
// them, spelling included: trailing blanks matter where a number is appended.

#include <algorithm>
#include <iterator>

#include "Resources.h"

namespace scx::res {
namespace {

struct StringEntry {
    unsigned id;
    std::string_view text;
};

// Sorted by id.
constexpr StringEntry kStrings[] = {
    {IDS_ABOUTBOX, "&A propos de scindarex..."},
    {IDS_CUT_DONE, "Fichier coupé avec succès"},
    {IDS_TAG_UNREADABLE,
     "Scindarex n'a pas réussi à lire le META-TAG\n"
     "Le fichier joint est-il un fichier Scindarex?\n"
     "Si le fichier sélectionné provient d'HJSplit, activez la compatibilité HJSplit en cochant "
     "la case en regard de l'option"},
    {IDS_HJSPLIT_NO_EXTENSION,
     "Scindarex n'a pas résolu l'extension\n"
     "Le fichier est-il un fichier HJSplit ?\n"
     "Désactivez la compatibilité HJSplit"},
    {IDS_JOIN_DONE, "Fichier joint avec succès"},
    {IDS_NO_FILE_CHOSEN, "Pas de fichier sélectionné"},
    {IDS_OVERWRITE, "Le fichier de destination existe déjà, l'écraser?"},
    {IDS_ADD_COPY,
     "Voulez vous ajouter \"_Copie\" au nom du fichier de destination.\n"
     "Cliquez sur non pour annuler l'opération"},
    {IDS_SIZE_NOT_NUMERIC, "La taille sélectionnée n'est pas une valeur numérique"},
    {IDS_NO_SIZE_TO_ADD, "Aucune taille à ajouter indiquée"},
    {IDS_FILE_SMALLER,
     "Le fichier sélectionné est inférieur à la taille de partition\n"
     "Sélectionnez une taille de partition inférieure à la taille du fichier"},
    {IDS_NOT_CUT_BY_SCINDAREX,
     "Le fichier sélectionné n'as pas été coupé avec Scindarex\n"
     "L'opération commencée n'a pas pu être achevée"},
    {IDS_CREATE_FOLDER, "le dossier n'existe pas, voulez-vous le créer"},
    {IDS_FOLDER_CREATED, "Le dossier n'existait pas et a été créé"},
    {IDS_ADD_SEPARATOR,
     "Il manque le caractère de destination dans le chemin de destination, l'ajouter"},
    {IDS_QUIT, "Etes vous sûr de vouloir quitter Scindarex?"},
    {IDS_ZERO_PARTITION, "Taille de partition nulle"},
    {IDS_VALUE_TOO_HIGH, "La valeur saisie est supérieure à la plus grande valeur attendue"},
    {IDS_VALUE_TOO_LOW, "La valeur saisie est inférieure à la valeur attendue"},
    {IDS_APPLY_CHANGES, "Voulez vous appliquer les changements d'attributs du fichier ?"},
    {IDS_TAG_EXTENSION, "Extension du fichier joint :   "},
    {IDS_TAG_COUNT, "Nombres de fichiers à joindre :   "},
    {IDS_PIECES_PRODUCED, "Nombre de fichier produits :  "},
    {IDS_PARTITION_SIZE, "Taille de partition :  "},
    {IDS_NO_FILE_PROPERTIES,
     "Aucun fichier n'a été séléctionné\n"
     "Sélectionnez le fichier dont vous voulez changer les attributs"},
    {IDS_SYSTEM_FILE,
     "Le fichier est un fichier système\n"
     "Il est déconseillé de modifier les attributs d'un fichier système"},
    {IDS_FILES_IDENTICAL, "Les deux fichiers sont identiques"},
    {IDS_NO_FILE_COMPARE,
     "Aucun fichier n'a été sélectionné\n"
     "Sélectionner un fichier pour la comparaison"},
    {IDS_SIZE_HEADING, "Taille"},
    {IDS_DIFF_ADDRESS, "Adresse du caractère différent"},
    {IDS_SAME_FILE, "Erreur : fichier #1 et fichier #2 sont un unique fichier"},
    {IDS_ARCHIVE_CREATED, "Archive créée avec succès."},
    {IDS_ARCHIVE_CORRUPT,
     "L'Archive sélectionnée est corrompue\n"
     "Vérifiez si le fichier sélectionné est bien une archive scindarex.\n"
     "Vous pouvez essayer de relancer Scindarex."},
    {IDS_ARCHIVE_LOADED, "L'archive a été chargée avec succès"},
    {IDS_ALREADY_IN_LIST, "L'élément a déjà été copié dans la liste"},
    {IDS_INVALID_CHARACTER,
     "Le caractère est invalide\n"
     "Les champs de saisie des propriétés de l'archive ne doivent pas contenir le caractère "
     "suivant : \";\"."},
    {IDS_NOTHING_SELECTED, "Aucun élément de la liste n'a été sélectionné"},
    {IDS_EXTRACT_DONE, "Fin de l'opération d'extraction des fichiers."},
    {IDS_NEWER_FORMAT,
     "L'archive a été générée par une version plus récente de scindarex. Il peut être possible "
     "que Scindarex ne puisse pas lire l'archive. Téléchargez une version plus récente de "
     "Scindarex pour plus de renseignements.\n"
     "Voyez si le fichier continu à se charger correctement."},
    {IDS_NEWER_VERSION,
     "Il existe une version plus récente de Scindarex.\n"
     "Nous vous invitons à vous mettre à jour."},
    {IDS_NAME_TOO_LONG,
     "La limite de 128 caractère pour un nom de fichier a été atteinte.\n"
     "Le fichier n'a pas été extrait."},
    {IDS_STATUS_NO_FILE, "Aucun fichier sélectionné, sélectionnez un fichier"},
    {IDS_STATUS_ADD, "Cliquez sur ajouter pour ajouter un fichier à votre sélection"},
    {IDS_STATUS_HEADER, "Ecriture de l'en tête du fichier"},
    {IDS_STATUS_WRITING, "Ecriture du fichier : "},
    {IDS_STATUS_CREATE,
     "Cliquez sur \"Créer le fichier\"  pour créer votre archive à partir de la sélection"},
    {IDS_TOO_MANY_PIECES,
     "Le nombre de fichiers maximal a été dépassé.\n"
     "Veuillez indiquer une taille de partition plus importante."},

    // The file layer's failures. The path goes on a line of its own: paths are long and
    // may hold blanks, which would blur the sentence around them.
    {IDS_FILE_ERROR_GENERIC, "Une erreur s'est produite lors de l'accès au fichier :\n%1"},
    {IDS_FILE_NOT_FOUND, "Le fichier est introuvable :\n%1"},
    {IDS_FILE_BAD_PATH,
     "Le chemin du fichier n'est pas valide (dossier inexistant ou nom incorrect) :\n%1"},
    {IDS_FILE_ACCESS_DENIED, "L'accès au fichier a été refusé :\n%1"},
    {IDS_FILE_SHARING_VIOLATION, "Le fichier est utilisé par un autre programme :\n%1"},
    {IDS_FILE_DISK_FULL, "Le disque est plein, le fichier n'a pas pu être écrit :\n%1"},
    {IDS_FILE_END_OF_FILE, "Fin de fichier inattendue, le fichier est plus court que prévu :\n%1"},
    {IDS_OUT_OF_MEMORY, "Mémoire insuffisante pour terminer l'opération."},
    {IDS_NO_FILE_SELECTED, "Aucun fichier sélectionné"},

    // Split and join refusals that protect the files they read.
    {IDS_SOURCE_CHANGED,
     "Le fichier à couper a changé de taille depuis sa sélection :\n%1\n"
     "Sélectionnez-le à nouveau."},
    {IDS_PIECE_IS_SOURCE,
     "Un des fichiers à créer remplacerait le fichier à couper :\n%1\n"
     "Choisissez un autre dossier de destination."},
    {IDS_OUTPUT_IS_PIECE,
     "Le fichier joint remplacerait un des fichiers à joindre :\n%1\n"
     "Choisissez un autre dossier de destination."},
    {IDS_FILE_NOT_REGULAR,
     "Ce n'est pas un fichier ordinaire (dossier, tube nommé, socket ou périphérique) :\n%1"},
    {IDS_UNEXPECTED_ERROR,
     "Une erreur inattendue a interrompu l'opération :\n%1\n"
     "Scindarex reste ouvert ; les fichiers déjà écrits sont restés sur le disque."},
    {IDS_UNKNOWN_ERROR_DETAIL, "erreur inconnue"},
    {IDS_NAME_NOT_STORABLE,
     "Une archive ne peut pas contenir ce nom de fichier (caractère \";\", \":\" ou \"\\\", "
     "point ou espace à la fin, nom de périphérique de Windows comme CON ou NUL) :\n"
     "%1\nRenommez le fichier pour le placer dans l'archive."},
    {IDS_ARCHIVE_IS_MEMBER,
     "L'archive remplacerait un des fichiers à y placer :\n%1\n"
     "Choisissez un autre nom pour l'archive."},
    {IDS_ARCHIVE_TOO_LARGE,
     "Les fichiers sélectionnés dépassent ensemble 2 147 483 647 octets, la taille maximale "
     "d'une archive :\n%1\nL'archive n'a pas été créée."},
    {IDS_UNSAFE_ENTRY_NAME,
     "Le nom \"%1\" désigne un dossier ou un emplacement hors du dossier d'extraction.\n"
     "Le fichier n'a pas été extrait."},
    {IDS_MEMBER_NOT_IN_ARCHIVE, "L'archive ne contient pas de fichier nommé \"%1\"."},
    {IDS_MEMBER_NOT_EXTRACTED, "Le fichier \"%1\" n'a pas été extrait."},
    {IDS_OUTPUT_IS_ARCHIVE,
     "Le fichier extrait remplacerait l'archive elle-même :\n%1\nIl n'a pas été extrait."},
    {IDS_MEMBER_OUTPUT_TAKEN,
     "Le fichier de destination existe déjà :\n%1\n"
     "Il n'a pas été extrait (--if-exists overwrite ou copy pour passer outre)."},
    {IDS_MEMBER_COPY_TAKEN,
     "La copie existe déjà elle aussi :\n%1\n"
     "Le fichier n'a pas été extrait (--if-exists overwrite pour écraser le fichier d'origine)."},
    {IDS_PROPERTY_TOO_LONG,
     "Une propriété de l'archive dépasse 65 536 octets, la longueur qu'une archive peut "
     "relire.\nRaccourcissez-la pour créer l'archive."},
    {IDS_NAME_TOO_LONG_FOR_FOLDER,
     "Le nom \"%1\" est trop long pour le dossier de destination.\n"
     "Le fichier n'a pas été extrait."},

    // The file tools.
    {IDS_DATE_NOT_REPRESENTABLE,
     "La date du %1 ne peut pas être enregistrée sur ce système.\n"
     "Aucune modification n'a été apportée au fichier."},
    {IDS_NO_EXTENDED_ATTRIBUTES,
     "Le système de fichiers ne conserve pas les attributs Caché, Système et Archive ni la date "
     "de création de ce fichier :\n%1\n"
     "Les autres modifications ont été appliquées."},
    {IDS_STATUS_PARTLY_WRITTEN,
     "Modifications appliquées : %1\n"
     "Modifications non appliquées : %2"},
    {IDS_DATE_NOT_KEPT,
     "Le système de fichiers n'a pas conservé la %2 demandée (%3) pour ce fichier :\n%1\n"
     "Il a enregistré le %4."},
    {IDS_PART_ATTRIBUTES, "attributs"},
    {IDS_PART_MODIFIED, "date de modification"},
    {IDS_PART_CREATED, "date de création"},
    {IDS_PART_ACCESSED, "date d'accès"},

    // Checksum files of piece sets.
    {IDS_CHECKSUM_MALFORMED,
     "Le fichier de sommes de contrôle est mal formé à la ligne %2 :\n%1\n"
     "Chaque ligne doit porter 64 chiffres hexadécimaux en minuscules, deux espaces et un nom "
     "de fichier."},
    {IDS_CHECKSUM_UNSAFE_NAME,
     "Le fichier de sommes de contrôle désigne à la ligne %2 un dossier ou un fichier hors de "
     "son dossier :\n%1\nSeuls des noms de fichiers simples y sont acceptés."},
    {IDS_CHECKSUM_DUPLICATE,
     "Le fichier de sommes de contrôle nomme une seconde fois le même fichier à la ligne %2 :\n"
     "%1"},
    {IDS_CHECKSUM_TOO_LARGE,
     "Le fichier est trop grand pour être le fichier de sommes de contrôle d'un ensemble :\n%1"},
    {IDS_PIECE_DAMAGED,
     "La partie est endommagée, sa somme de contrôle ne correspond pas :\n%1\n"
     "Le fichier joint incomplet a été supprimé."},
    {IDS_JOINED_DAMAGED,
     "Le fichier joint ne correspond pas à la somme de contrôle donnée par :\n%1\n"
     "Il a été supprimé."},
    {IDS_PIECE_MISSING, "Une partie de l'ensemble manque :\n%1"},
    {IDS_PIECE_NOT_LISTED,
     "Le fichier de sommes de contrôle ne donne pas la somme de cette partie :\n%1"},
    {IDS_NO_CHECKSUM_FILE, "Aucun fichier de sommes de contrôle pour cet ensemble :\n%1"},
    {IDS_CHECKSUM_PRESENT, "Fichier de sommes de contrôle : %1"},
    {IDS_CHECKSUM_ABSENT, "Fichier de sommes de contrôle : absent"},
    {IDS_VERIFY_FAILED, "Parties manquantes ou endommagées : %1 sur %2."},
    {IDS_VERIFY_DONE, "Toutes les parties sont intactes."},
    {IDS_NAME_NOT_LISTABLE,
     "Ce nom ne peut pas figurer dans un fichier de sommes de contrôle (barre oblique inverse "
     "ou caractère de contrôle) :\n%1\nRien n'a été coupé."},
    {IDS_CHECKSUM_IS_SOURCE,
     "Le fichier de sommes de contrôle remplacerait le fichier à couper :\n%1\n"
     "Rien n'a été coupé."},
    {IDS_CHECKSUMS_WRITTEN, "Sommes de contrôle écrites dans :\n%1"},
    {IDS_JOIN_VERIFIED, "Chaque partie a été vérifiée avec :\n%1"},
    {IDS_CHECKSUMS_STALE,
     "Le fichier de sommes de contrôle à côté des parties décrit l'ensemble qu'elles ont "
     "remplacé :\n%1\nLa jonction les refuserait : supprimez-le, ou coupez avec --checksums "
     "pour le refaire."},
    {IDS_STANDARD_OUTPUT, "la sortie standard"},
    {IDS_DROP_ONE_FILE,
     "Déposez un seul fichier à la fois : Scindarex coupe ou joint un fichier à la fois."},
    {IDS_DROP_FOLDER,
     "Un dossier ne peut être ni coupé ni joint :\n%1\nDéposez un fichier à couper ou à joindre."},
    {IDS_ACCESSIBLE_PROGRESS, "Progression"},
    {IDS_ACCESSIBLE_PRESS, "Appuyer"},
    {IDS_ACCESSIBLE_CHECK, "Cocher"},
    {IDS_ACCESSIBLE_UNCHECK, "Décocher"},
    {IDS_NAME_FORBIDDEN_CHARACTER,
     "Le nom \"%1\" contient un caractère interdit dans un nom de fichier "
     "(\" * : < > ? | ou caractère de contrôle).\n"
     "Le fichier n'a pas été extrait."},
};

constexpr bool SortedById() {
    for (std::size_t i = 1; i < std::size(kStrings); ++i) {
        if (kStrings[i - 1].id >= kStrings[i].id) {
            return false;
        }
    }
    return true;
}
static_assert(SortedById(), "the string table must stay sorted by id, without duplicates");

}  // namespace

std::string LoadString(unsigned id) {
    const auto* it =
        std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                         [](const StringEntry& e, unsigned key) { return e.id < key; });
    if (it == std::end(kStrings) || it->id != id) {
        return {};
    }
    return std::string(it->text);
}

std::string FormatString(unsigned id, std::initializer_list<std::string_view> values) {
    const std::string text = LoadString(id);
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const std::size_t slot =
            next >= '1' && next <= '9' ? static_cast<std::size_t>(next - '1') : values.size();
        if (text[i] == '%' && slot < values.size()) {
            result += values.begin()[slot];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

}  // namespace scx::res
