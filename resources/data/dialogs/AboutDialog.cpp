// IDD_ABOUTBOX: the About box.

#include "Dialogs.h"
#include "ResourceIds.h"

namespace scx::res::dialogs {

using namespace scx::rc;

const DialogTemplate& AboutDialog() {
    // clang-format off
    static const DialogTemplate dlg{
        .id = IDD_ABOUTBOX,
        .caption = "A propos de scindarex",
        .rect = {0, 0, 235, 294},
        .style = kModalStyle,
        .controls = {
            Bitmap(IDB_ABOUT, IDC_STATIC,                                 7,   7, 221,  50),
            Icon(IDR_MAINFRAME, IDC_STATIC,                              14,  66),
            LText("Scindarex version 2.01", IDC_STATIC,                  44,  67, 184,   8),
            LText("Découpe et assemblage de fichiers", IDC_STATIC,       44,  78, 184,   8),
            Bitmap(IDB_LOGO, IDC_STATIC,                                 14,  99,  39,  36),
            LText("Cette version supporte les fichiers ayant une extension de 4 caractères.\n"
                  "Elle permet aussi de rejoindre les fichiers coupés avec HJSplit.",
                  IDC_STATIC,                                            60,  99, 168,  48),
            GroupBox("Crédits", IDC_STATIC,                               7, 154, 221,  56),
            LText("Conception et programmation : l'équipe Scindarex", IDC_STATIC,
                                                                         14, 167, 207,   8),
            LText("Icônes, illustrations et animations : l'équipe Scindarex", IDC_STATIC,
                                                                         14, 179, 207,   8),
            LText("Merci à toutes celles et ceux qui ont signalé un problème ou proposé une idée.",
                  IDC_STATIC,                                            14, 191, 207,  16),
            GroupBox("Contact", IDC_STATIC,                               7, 216, 221,  44),
            LText("Courriel : contact@example.org", IDC_STATIC,          14, 229, 207,   8),
            LText("Site : https://www.example.org/scindarex", IDC_STATIC,
                                                                         14, 242, 207,   8),
            DefPushButton("OK", IDOK,                                    92, 270,  50,  14),
        }};
    // clang-format on
    return dlg;
}

}  // namespace scx::res::dialogs
