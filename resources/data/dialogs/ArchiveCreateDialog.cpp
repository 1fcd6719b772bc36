// IDD_ARCHIVE_CREATE: gathering files and properties into a new package archive.

#include "Dialogs.h"
#include "ResourceIds.h"

namespace scx::res::dialogs {

using namespace scx::rc;

const DialogTemplate& ArchiveCreateDialog() {
    // The default button only opens a file dialog: Enter typed in a property must never
    // write an archive or end the dialog and lose the list. The comment takes its own
    // line breaks.
    constexpr DWORD kComment = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
    constexpr DWORD kStatus = ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY;

    // clang-format off
    static const DialogTemplate dlg{
        .id = IDD_ARCHIVE_CREATE,
        .caption = "Création d'une nouvelle archive",
        .rect = {0, 0, 360, 301},
        .style = kModalStyle,
        .controls = {
            LText("Fichiers à placer dans l'archive", IDC_STATIC,         7,   7, 200,   8),
            ListView(IDC_FILE_LIST,                                       7,  18, 270, 104, LVS_SHOWSELALWAYS),
            DefPushButton("&Ajouter un fichier", IDC_ADD_FILE,          283,  18,  70,  14),
            PushButton("&Retirer", IDC_REMOVE_FILE,                     283,  36,  70,  14),

            GroupBox("Propriétés de l'archive", IDC_STATIC,               7, 128, 346,  76),
            LText("Auteur", IDC_STATIC,                                  15, 142,  50,   8),
            EditText(IDC_AUTHOR,                                         70, 140, 276,  12, ES_AUTOHSCROLL),
            LText("Contenu", IDC_STATIC,                                 15, 158,  50,   8),
            EditText(IDC_CONTENT,                                        70, 156, 276,  12, ES_AUTOHSCROLL),
            LText("Commentaire", IDC_STATIC,                             15, 174,  50,   8),
            EditText(IDC_COMMENT,                                        70, 172, 276,  26, kComment),

            AutoCheckBox("&Découper après la création de l'archive (sélectionne toutes les "
                         "options nécessaires pour couper l'archive)",
                         IDC_CUT_AFTER,                                   7, 210, 346,  20, BS_MULTILINE),
            LText("Etat :", IDC_STATIC,                                   7, 238,  26,   8),
            EditText(IDC_STATUS,                                         36, 236, 317,  22, kStatus),
            Progress(IDC_CREATE_PROGRESS,                                 7, 264, 346,   8),

            PushButton("< &Précédent", IDC_CREATE_BACK,                 155, 280,  60,  14),
            PushButton("&Créer le fichier", IDC_CREATE,                 219, 280,  70,  14, WS_DISABLED),
            PushButton("&Annuler", IDCANCEL,                            293, 280,  60,  14),
        }};
    // clang-format on
    return dlg;
}

}  // namespace scx::res::dialogs
