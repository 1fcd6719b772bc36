// IDD_MAIN: the main window.

#include "Dialogs.h"
#include "ResourceIds.h"

namespace scx::res::dialogs {

using namespace scx::rc;

const DialogTemplate& MainDialog() {
    // Read-only paths scroll sideways rather than wrap: a path is one line.
    constexpr DWORD kPathStyle = ES_MULTILINE | ES_AUTOHSCROLL | ES_READONLY | WS_HSCROLL;
    constexpr DWORD kInfoStyle = ES_AUTOHSCROLL | ES_READONLY;

    // clang-format off
    static const DialogTemplate dlg{
        .id = IDD_MAIN,
        .caption = "Scindarex",
        .rect = {0, 0, 320, 282},
        .style = DS_MODALFRAME | WS_MINIMIZEBOX | WS_CAPTION | WS_SYSMENU,
        .exStyle = WS_EX_APPWINDOW,
        .menu = IDR_MAINMENU,
        .controls = {
            EditText(IDC_SOURCE_PATH,                                   13,  28, 294, 25, kPathStyle),
            PushButton("Sélectionner", IDC_SELECT,                      13,  56,  59, 14),
            GroupBox("Fichier", IDC_STATIC,                              7,   7, 305, 205),
            PushButton("&Joindre le fichier", IDC_JOIN,                  7, 221,  70, 14, WS_DISABLED),
            LText("Chemin du fichier :", IDC_STATIC,                    14,  17, 171,  9),
            EditText(IDC_EXTENSION,                                    101, 135, 102, 12, kInfoStyle, Not(WS_BORDER)),
            LText("Extension :", IDC_STATIC,                            13, 135,  73,  8),
            LText("Taille :", IDC_STATIC,                               13, 154,  60,  8),
            EditText(IDC_SIZE,                                         101, 154,  91, 12, kInfoStyle, Not(WS_BORDER)),
            LText("Autre :", IDC_STATIC,                                13, 170,  27, 10),
            EditText(IDC_INFO1,                                         53, 170, 153, 12, kInfoStyle, Not(WS_BORDER)),
            EditText(IDC_INFO2,                                         53, 186, 153, 13, kInfoStyle, Not(WS_BORDER)),
            PushButton("&Couper", IDC_CUT,                               7, 245,  70, 13, WS_DISABLED),
            ComboBox(IDC_PARTITION,                                     91, 226, 157, 45, CBS_DROPDOWNLIST | WS_VSCROLL,
                     {"15000", "2800", "1400", "700", "320"}),
            PushButton("&Ajouter la taille", IDC_ADD_SIZE,             169, 242,  79, 12),
            EditText(IDC_NEW_SIZE,                                      91, 242,  71, 12, ES_AUTOHSCROLL | ES_NUMBER),
            GroupBox("Taille de partition", IDC_STATIC,                 86, 216, 170, 42),
            Progress(IDC_PROGRESS,                                       7, 266, 305,  8),
            Animation(IDC_ANIMATION,                                   259, 220,  44, 37, ACS_CENTER),
            EditText(IDC_DEST_PATH,                                     13,  85, 294, 25, kPathStyle),
            PushButton("Changer le chemin de destination", IDC_CHANGE_DEST, 13, 116, 131, 14),
            LText("Chemin de sortie des fichiers :", IDC_STATIC,        13,  73, 131,  8),
            AutoCheckBox("&Compatibilité avec HJSplit (uniquement pour les fichiers à joindre)",
                         IDC_HJSPLIT,                                   79,  57, 223, 13),
            Bitmap(IDB_LOGO, IDC_STATIC,                               260, 162,  39, 36),
        }};
    // clang-format on
    return dlg;
}

}  // namespace scx::res::dialogs
