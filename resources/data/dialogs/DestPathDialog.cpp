// IDD_DESTPATH: the destination folder typed by the user.

#include "Dialogs.h"
#include "ResourceIds.h"

namespace scx::res::dialogs {

using namespace scx::rc;

const DialogTemplate& DestPathDialog() {
    // clang-format off
    static const DialogTemplate dlg{
        .id = IDD_DESTPATH,
        .caption = "Entrez le chemin de destination",
        .rect = {0, 0, 398, 70},
        .style = kModalStyle,
        .controls = {
            DefPushButton("OK", IDOK,                                   295, 49,  50, 14),
            PushButton("Annuler", IDCANCEL,                             347, 49,  50, 14),
            EditText(IDC_DESTPATH_EDIT,                                   7, 20, 384, 26,
                     ES_MULTILINE | ES_AUTOHSCROLL | WS_HSCROLL),
            LText("Chemin de destination :", IDC_STATIC,                 7,  7, 156,  8),
            LText("Spécifiez le chemin de destination où les fichiers sortiront", IDC_STATIC,
                                                                          7, 52, 284, 11),
        }};
    // clang-format on
    return dlg;
}

}  // namespace scx::res::dialogs
