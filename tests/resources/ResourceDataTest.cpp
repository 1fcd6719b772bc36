// The Qt-free resources: string table, dialog templates and menu.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "Resources.h"

namespace scx::res {
namespace {

using namespace scx::win;

// Every constant of ResourceIds.h whose name starts with `prefix`, read from the header
// itself so that an id added there without its resource is caught.
std::map<std::string, int> DeclaredIds(const std::string& prefix) {
    std::ifstream in(SCX_RESOURCE_IDS_H);
    std::stringstream text;
    text << in.rdbuf();
    const std::string source = text.str();
    const std::regex declaration("constexpr (?:int|unsigned) (" + prefix +
                                 "\\w+) = (0x[0-9A-Fa-f]+|\\d+);");
    std::map<std::string, int> ids;
    for (std::sregex_iterator it(source.begin(), source.end(), declaration), end; it != end; ++it) {
        ids[(*it)[1]] = std::stoi((*it)[2], nullptr, 0);
    }
    return ids;
}

constexpr int kAllDialogs[] = {IDD_ABOUTBOX,       IDD_MAIN,           IDD_DESTPATH,
                               IDD_FILEPROPS,      IDD_FILECOMPARE,    IDD_ARCHIVE_CREATE,
                               IDD_ARCHIVE_WIZARD, IDD_ARCHIVE_EXTRACT};

bool Intersect(const Rect16& a, const Rect16& b) {
    return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}
bool Contains(const Rect16& outer, const Rect16& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.cx <= outer.x + outer.cx &&
           inner.y + inner.cy <= outer.y + outer.cy;
}
// The dates dialog's arrows are 14 units tall on a 13-unit pitch: neighbours share a
// line, as their rectangles are given.
bool StackedArrows(const ControlTemplate& a, const ControlTemplate& b) {
    return a.kind == ControlKind::UpDown && b.kind == ControlKind::UpDown;
}
// A combo box's height in a template is that of its dropped list; closed, it is one line.
Rect16 VisibleRect(const ControlTemplate& c) {
    Rect16 r = c.rect;
    if (c.kind == ControlKind::ComboBox) {
        r.cy = std::min(r.cy, 14);
    }
    return r;
}
std::string Describe(const ControlTemplate& c) {
    return std::to_string(c.id) + " \"" + std::string(c.text) + "\"";
}

TEST(StringTable, EveryDeclaredStringHasText) {
    const auto ids = DeclaredIds("IDS_");
    ASSERT_GT(ids.size(), 50u);
    for (const auto& [name, id] : ids) {
        EXPECT_FALSE(LoadString(static_cast<unsigned>(id)).empty()) << name;
    }
    EXPECT_EQ(LoadString(127), "");
    EXPECT_EQ(LoadString(0), "");
}

TEST(StringTable, TextsKeepTheirExactBytes) {
    const std::pair<unsigned, std::string> cases[] = {
        {IDS_TAG_EXTENSION, "Extension du fichier joint :   "},
        {IDS_TAG_COUNT, "Nombres de fichiers à joindre :   "},
        {IDS_PIECES_PRODUCED, "Nombre de fichier produits :  "},
        {IDS_PARTITION_SIZE, "Taille de partition :  "},
        {IDS_ADD_COPY,
         "Voulez vous ajouter \"_Copie\" au nom du fichier de destination.\n"
         "Cliquez sur non pour annuler l'opération"},
        {IDS_STATUS_WRITING, "Ecriture du fichier : "},
        {IDS_STATUS_CREATE,
         "Cliquez sur \"Créer le fichier\"  pour créer votre archive à partir de la sélection"},
        {IDS_NO_FILE_PROPERTIES,
         "Aucun fichier n'a été séléctionné\n"
         "Sélectionnez le fichier dont vous voulez changer les attributs"},
        {IDS_INVALID_CHARACTER,
         "Le caractère est invalide\nLes champs de saisie des propriétés de l'archive ne "
         "doivent pas contenir le caractère suivant : \";\"."},
        {IDS_ABOUTBOX, "&A propos de scindarex..."},
        {IDS_NO_FILE_SELECTED, "Aucun fichier sélectionné"},
    };
    for (const auto& [id, text] : cases) {
        EXPECT_EQ(LoadString(id), text) << id;
    }
}

TEST(StringTable, FileErrorsNameTheFile) {
    for (unsigned id = IDS_FILE_ERROR_GENERIC; id <= IDS_FILE_END_OF_FILE; ++id) {
        EXPECT_NE(LoadString(id).find("%1"), std::string::npos) << id;
    }
    EXPECT_EQ(LoadString(IDS_OUT_OF_MEMORY).find("%1"), std::string::npos);
}

TEST(StringTable, FormatStringFillsEachSlotOnce) {
    // A value is never read for slots: a path may hold "%2".
    EXPECT_EQ(FormatString(IDS_STATUS_PARTLY_WRITTEN, {"/a/%2", "b"}),
              "Modifications appliquées : /a/%2\nModifications non appliquées : b");
    // A slot without a value stays as it is.
    EXPECT_EQ(FormatString(IDS_FILE_NOT_FOUND, {}), LoadString(IDS_FILE_NOT_FOUND));
}

TEST(Dialogs, EveryDeclaredDialogIsFound) {
    const auto ids = DeclaredIds("IDD_");
    ASSERT_EQ(ids.size(), std::size(kAllDialogs));
    for (const auto& [name, id] : ids) {
        const DialogTemplate* dlg = FindDialog(id);
        ASSERT_NE(dlg, nullptr) << name;
        EXPECT_EQ(dlg->id, id) << name;
        EXPECT_FALSE(dlg->caption.empty()) << name;
        EXPECT_FALSE(dlg->controls.empty()) << name;
    }
    EXPECT_EQ(FindDialog(101), nullptr);
}

TEST(Dialogs, ControlIdsAreUniqueWithinEachDialog) {
    for (int id : kAllDialogs) {
        std::set<int> seen;
        for (const ControlTemplate& c : FindDialog(id)->controls) {
            if (c.id != IDC_STATIC) {
                EXPECT_TRUE(seen.insert(c.id).second) << "dialog " << id << ": " << Describe(c);
            }
        }
    }
}

// Every control lies inside its dialog; no two controls cover each other, except a group
// box around the controls it frames, which must hold them whole. An up-down aligned on its
// buddy is placed beside it whatever its rectangle says.
TEST(Dialogs, ControlsFitAndDoNotOverlap) {
    for (int id : kAllDialogs) {
        const DialogTemplate& dlg = *FindDialog(id);
        const Rect16 client{0, 0, dlg.rect.cx, dlg.rect.cy};
        for (std::size_t i = 0; i < dlg.controls.size(); ++i) {
            const ControlTemplate& a = dlg.controls[i];
            EXPECT_TRUE(Contains(client, a.rect)) << "dialog " << id << ": " << Describe(a);
            for (std::size_t j = i + 1; j < dlg.controls.size(); ++j) {
                const ControlTemplate& b = dlg.controls[j];
                if (StackedArrows(a, b)) {
                    continue;
                }
                const bool aGroup = a.kind == ControlKind::GroupBox;
                const bool bGroup = b.kind == ControlKind::GroupBox;
                const Rect16 ra = VisibleRect(a);
                const Rect16 rb = VisibleRect(b);
                if (!Intersect(ra, rb)) {
                    continue;
                }
                const bool framed = (aGroup && !bGroup && Contains(ra, rb)) ||
                                    (bGroup && !aGroup && Contains(rb, ra));
                EXPECT_TRUE(framed)
                    << "dialog " << id << ": " << Describe(a) << " overlaps " << Describe(b);
            }
        }
    }
}

// Enter presses the default button; which one it is decides what Enter does.
TEST(Dialogs, DefaultButtons) {
    const std::pair<int, std::vector<int>> cases[] = {
        {IDD_ABOUTBOX, {IDOK}},
        {IDD_MAIN, {}},
        {IDD_DESTPATH, {IDOK}},
        {IDD_FILEPROPS, {IDCANCEL}},
        {IDD_FILECOMPARE, {}},
        {IDD_ARCHIVE_CREATE, {IDC_ADD_FILE}},
        {IDD_ARCHIVE_WIZARD, {IDC_NEXT}},
        {IDD_ARCHIVE_EXTRACT, {IDC_BROWSE}},
    };
    for (const auto& [dialog, expected] : cases) {
        std::vector<int> defaults;
        for (const ControlTemplate& c : FindDialog(dialog)->controls) {
            if (c.kind == ControlKind::PushButton && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
                defaults.push_back(c.id);
            }
        }
        EXPECT_EQ(defaults, expected) << "dialog " << dialog;
    }
}

// An up-down takes the control just before it as its buddy.
TEST(Dialogs, UpDownsFollowTheirBuddies) {
    const std::map<int, int> expected = {
        {IDC_MOD_DAY_SPIN, IDC_MOD_DAY},     {IDC_MOD_MONTH_SPIN, IDC_MOD_MONTH},
        {IDC_MOD_YEAR_SPIN, IDC_MOD_YEAR},   {IDC_CRE_DAY_SPIN, IDC_CRE_DAY},
        {IDC_CRE_MONTH_SPIN, IDC_CRE_MONTH}, {IDC_CRE_YEAR_SPIN, IDC_CRE_YEAR},
        {IDC_ACC_DAY_SPIN, IDC_ACC_DAY},     {IDC_ACC_MONTH_SPIN, IDC_ACC_MONTH},
        {IDC_ACC_YEAR_SPIN, IDC_ACC_YEAR},
    };
    const std::set<int> years = {IDC_MOD_YEAR_SPIN, IDC_CRE_YEAR_SPIN, IDC_ACC_YEAR_SPIN};
    const auto& controls = FindDialog(IDD_FILEPROPS)->controls;
    std::map<int, int> found;
    for (std::size_t i = 1; i < controls.size(); ++i) {
        const ControlTemplate& spin = controls[i];
        if (spin.kind != ControlKind::UpDown) {
            continue;
        }
        const ControlTemplate& buddy = controls[i - 1];
        found[spin.id] = buddy.id;
        EXPECT_EQ(buddy.kind, ControlKind::Edit) << spin.id;
        EXPECT_EQ(buddy.style & (ES_NUMBER | ES_RIGHT), ES_NUMBER | ES_RIGHT) << buddy.id;
        const DWORD needed = UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ARROWKEYS;
        EXPECT_EQ(spin.style & needed, needed) << spin.id;
        EXPECT_FALSE(spin.style & UDS_WRAP) << spin.id;
        EXPECT_EQ((spin.style & UDS_NOTHOUSANDS) != 0, years.count(spin.id) == 1) << spin.id;
    }
    EXPECT_EQ(found, expected);
}

TEST(Dialogs, PicturesNameExistingImages) {
    int pictures = 0;
    for (int id : kAllDialogs) {
        for (const ControlTemplate& c : FindDialog(id)->controls) {
            if (c.kind == ControlKind::Picture) {
                ++pictures;
                EXPECT_FALSE(ImagePath(c.image).empty()) << "dialog " << id << ": " << c.image;
            }
        }
    }
    EXPECT_EQ(pictures, 4);  // 145 in the main window; 128, 143 and 145 in the About box
}

TEST(Menu, MainMenuStructure) {
    ASSERT_EQ(FindMenu(0), nullptr);
    const MenuTemplate* menu = FindMenu(IDR_MAINMENU);
    ASSERT_NE(menu, nullptr);
    using Items = std::vector<std::pair<std::string_view, int>>;
    const std::vector<std::pair<std::string_view, Items>> expected = {
        {"&Fichier", {{"&Quitter", ID_FILE_QUIT}}},
        {"&Outils",
         {{"&Propriétés du fichier", ID_TOOLS_PROPERTIES},
          {"&Comparer à", ID_TOOLS_COMPARE},
          {"Assistant Archives de Scindarex", ID_TOOLS_ARCHIVE_WIZARD}}},
        {"&Aide", {{"&A Propos", ID_HELP_ABOUT}, {"Aide en ligne", ID_HELP_ONLINE}}},
    };
    ASSERT_EQ(menu->popups.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const MenuItemTemplate& popup = menu->popups[i];
        EXPECT_EQ(popup.text, expected[i].first);
        EXPECT_EQ(popup.command, 0);
        Items items;
        for (const MenuItemTemplate& item : popup.popup) {
            EXPECT_TRUE(item.popup.empty());
            items.emplace_back(item.text, item.command);
        }
        EXPECT_EQ(items, expected[i].second) << popup.text;
    }
}

}  // namespace
}  // namespace scx::res
