// IDD_ARCHIVE_EXTRACT: listing a package archive and extracting chosen members.

#include "Dialogs.h"
#include "ResourceIds.h"

namespace scx::res::dialogs {

using namespace scx::rc;

const DialogTemplate& ArchiveExtractDialog() {
    // "&Parcourir" is the default button: Enter only opens the archive chooser, it never
    // ends the dialog or starts writing files.
    constexpr DWORD kInfo = ES_AUTOHSCROLL | ES_READONLY;
    constexpr DWORD kComment = ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY | WS_VSCROLL;

    // clang-format off
    static const DialogTemplate dlg{
        .id = IDD_ARCHIVE_EXTRACT,
        .caption = "Extraction d'une archive",
        .rect = {0, 0, 400, 261},
        .style = kModalStyle,
        .controls = {
            EditText(IDC_ARCHIVE_PATH,                                    7,   7, 322,  14, kInfo),
            DefPushButton("&Parcourir", IDC_BROWSE,                     335,   7,  58,  14),

            LText("Contenu de l'archive", IDC_STATIC,                     7,  28, 190,   8),
            ListView(IDC_CONTENT_LIST,                                    7,  38, 190, 100, LVS_SHOWSELALWAYS),
            PushButton("&Ajouter", IDC_ADD_SELECTION,                   137, 142,  60,  14),
            LText("Votre sélection", IDC_STATIC,                        203,  28, 190,   8),
            ListView(IDC_SELECTION_LIST,                                203,  38, 190, 100, LVS_SHOWSELALWAYS),
            PushButton("&Supprimer", IDC_REMOVE_SELECTION,              333, 142,  60,  14),

            GroupBox("Informations sur l'archive", IDC_STATIC,            7, 162, 386,  58),
            LText("Auteur", IDC_STATIC,                                  15, 176,  44,   8),
            EditText(IDC_INFO_AUTHOR,                                    62, 174, 130,  12, kInfo),
            LText("Contenu", IDC_STATIC,                                 15, 194,  44,   8),
            EditText(IDC_INFO_CONTENT,                                   62, 192, 130,  12, kInfo),
            LText("Commentaire", IDC_STATIC,                            203, 176,  50,   8),
            EditText(IDC_INFO_COMMENT,                                  256, 174, 130,  40, kComment),

            Progress(IDC_EXTRACT_PROGRESS,                                7, 226, 386,   8),

            PushButton("< P&récédent", IDC_EXTRACT_BACK,                199, 240,  60,  14),
            PushButton("&Extraire", IDC_EXTRACT,                        263, 240,  66,  14),
            PushButton("A&nnuler", IDCANCEL,                            333, 240,  60,  14),
        }};
    // clang-format on
    return dlg;
}

}  // namespace scx::res::dialogs
