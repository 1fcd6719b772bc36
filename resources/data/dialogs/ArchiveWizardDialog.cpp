// IDD_ARCHIVE_WIZARD: the first step towards the archive dialogs.

#include "Dialogs.h"
#include "ResourceIds.h"

namespace scx::res::dialogs {

using namespace scx::rc;

const DialogTemplate& ArchiveWizardDialog() {
    // "Suivant >" is the default button so that Enter moves on instead of closing the
    // wizard through the base OK handler.
    // clang-format off
    static const DialogTemplate dlg{
        .id = IDD_ARCHIVE_WIZARD,
        .caption = "Assistant \"Package de Scindarex\"",
        .rect = {0, 0, 250, 134},
        .style = kModalStyle,
        .controls = {
            LText("Bienvenue dans l'assistant Archives de Scindarex.\n"
                  "Cet assistant va vous permettre de créer et d'utiliser en toute simplicité "
                  "les archives scindarex. Ces archives vont vous permettre de regrouper "
                  "plusieurs fichiers ensembles pour former une seule archive.",
                  IDC_STATIC,                                             7,   7, 236,  48),
            GroupBox("Archive", IDC_STATIC,                               7,  60, 236,  44),
            AutoRadioButton("Nouvelle Archive", IDC_NEW_ARCHIVE,         17,  73, 120,  10,
                            WS_GROUP | WS_TABSTOP),
            AutoRadioButton("Archive Existante", IDC_EXISTING_ARCHIVE,   17,  88, 120,  10),
            DefPushButton("Suivant >", IDC_NEXT,                        139, 113,  50,  14),
            PushButton("Annuler", IDCANCEL,                             193, 113,  50,  14),
        }};
    // clang-format on
    return dlg;
}

}  // namespace scx::res::dialogs
