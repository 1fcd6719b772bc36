// IDR_MAINMENU: the main window's menu bar.

#include "Resources.h"

namespace scx::res {

using namespace scx::rc;

const MenuTemplate* FindMenu(int id) {
    // clang-format off
    static const MenuTemplate mainMenu{
        IDR_MAINMENU,
        {
            Popup("&Fichier", {
                MenuItem("&Quitter",                         ID_FILE_QUIT),
            }),
            Popup("&Outils", {
                MenuItem("&Propriétés du fichier",           ID_TOOLS_PROPERTIES),
                MenuItem("&Comparer à",                      ID_TOOLS_COMPARE),
                MenuItem("Assistant Archives de Scindarex",  ID_TOOLS_ARCHIVE_WIZARD),
            }),
            Popup("&Aide", {
                MenuItem("&A Propos",                        ID_HELP_ABOUT),
                MenuItem("Aide en ligne",                    ID_HELP_ONLINE),
            }),
        }};
    // clang-format on
    return id == IDR_MAINMENU ? &mainMenu : nullptr;
}

}  // namespace scx::res
