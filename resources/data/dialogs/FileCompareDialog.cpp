// IDD_FILECOMPARE: byte comparison of the selected file with a second one. The result
// table is painted by the dialog itself between the path and the warning.

#include "Dialogs.h"
#include "ResourceIds.h"

namespace scx::res::dialogs {

using namespace scx::rc;

const DialogTemplate& FileCompareDialog() {
    // No default button: Enter outside a button ends the dialog like "&Annuler".
    // clang-format off
    static const DialogTemplate dlg{
        .id = IDD_FILECOMPARE,
        .caption = "Comparaison de fichier",
        .rect = {0, 0, 343, 146},
        .style = kModalStyle,
        .controls = {
            PushButton("&Annuler", IDCANCEL,                            277,  87,  53, 15),
            LText("Sélectionnez le fichier à comparer", IDC_STATIC,       7,   7, 107,  8),
            EditText(IDC_COMPARE_PATH,                                    7,  20, 329, 24,
                     ES_MULTILINE | ES_AUTOHSCROLL | ES_READONLY | WS_HSCROLL),
            PushButton("&Choisir", IDC_CHOOSE,                          277,  49,  53, 15),
            PushButton("Com&parer", IDC_COMPARE,                        277,  68,  53, 15),
            LText("Attention : l'opération de comparaison peut prendre du temps surtout si les "
                  "fichiers sont volumineux", IDC_STATIC,                 7, 131, 309,  8),
        }};
    // clang-format on
    return dlg;
}

}  // namespace scx::res::dialogs
