// What a screen reader meets in the windows: names, information lines, and the default
// actions of buttons, check boxes and radio buttons, read through the platform's
// accessibility interfaces (ScreenReader.h).
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "ResourceIds.h"
#include "ScreenReader.h"

namespace scx {
namespace {

using namespace win;
using namespace res;
using testkit::AccessibleAction;
using testkit::AccessibleName;
using testkit::AccessibleRole;
using testkit::AccessibleRoleOf;
using testkit::AccessibleValue;
using testkit::DoAccessibleAction;
using testkit::IsAccessibleChecked;
using testkit::IsAccessibleDisabled;
using testkit::MainWindowTest;
using testkit::WriteFile;

class AccessibilityTest : public MainWindowTest {};

TEST_F(AccessibilityTest, MainWindowControlsAreNamedAfterTheirLabelsOrTheirOwnText) {
    OpenMain();
    const struct {
        int id;
        const char* name;
    } expected[] = {
        {IDC_SOURCE_PATH, "Chemin du fichier :"},
        {IDC_SELECT, "Sélectionner"},
        {IDC_JOIN, "Joindre le fichier"},
        {IDC_EXTENSION, "Extension :"},
        {IDC_SIZE, "Taille :"},
        {IDC_INFO1, "Autre :"},
        {IDC_CUT, "Couper"},
        {IDC_PARTITION, "Taille de partition"},
        {IDC_ADD_SIZE, "Ajouter la taille"},
        {IDC_NEW_SIZE, "Taille de partition"},
        {IDC_DEST_PATH, "Chemin de sortie des fichiers :"},
        {IDC_CHANGE_DEST, "Changer le chemin de destination"},
        {IDC_HJSPLIT, "Compatibilité avec HJSplit (uniquement pour les fichiers à joindre)"},
        {IDC_PROGRESS, "Progression"},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(AccessibleName(dlg, e.id), e.name) << e.id;
    }
    const struct {
        int id;
        AccessibleRole role;
    } roles[] = {
        {IDC_SELECT, AccessibleRole::PushButton},
        {IDC_HJSPLIT, AccessibleRole::CheckBox},
        {IDC_PARTITION, AccessibleRole::ComboBox},
        {IDC_SOURCE_PATH, AccessibleRole::Edit},
    };
    for (const auto& r : roles) {
        EXPECT_EQ(AccessibleRoleOf(dlg, r.id), r.role) << r.id;
    }
}

TEST_F(AccessibilityTest, InformationLinesAreReadWithTheirText) {
    OpenMain();
    WriteFile(dir / "film.avi", std::string(3000000, 'v'));
    Select(dir / "film.avi");
    EXPECT_EQ(AccessibleName(dlg, IDC_INFO2), "Taille de partition :  1400");
    EXPECT_EQ(AccessibleValue(dlg, IDC_INFO2), "Taille de partition :  1400");
    EXPECT_EQ(AccessibleValue(dlg, IDC_INFO1), "Nombre de fichier produits :  3");
    PickPartition(0);
    EXPECT_EQ(AccessibleName(dlg, IDC_INFO2), "Taille de partition :  15000");
}

// Every window: whatever a screen reader can land on has a name.
TEST_F(AccessibilityTest, EveryControlOfEveryDialogHasAName) {
    for (int templateId : {IDD_ABOUTBOX, IDD_MAIN, IDD_DESTPATH, IDD_FILEPROPS, IDD_FILECOMPARE,
                           IDD_ARCHIVE_CREATE, IDD_ARCHIVE_WIZARD, IDD_ARCHIVE_EXTRACT}) {
        CDialog dialog(templateId);
        dialog.Create();
        for (const ControlTemplate& c : dialog.Template().controls) {
            // Animations and pictures are decoration.
            if (c.id == IDC_STATIC || c.kind == ControlKind::Animation ||
                c.kind == ControlKind::Picture) {
                continue;
            }
            if (c.kind == ControlKind::Edit && (c.style & ES_READONLY) != 0) {
                dialog.SetDlgItemText(c.id, "ligne");
            }
            const std::string name = AccessibleName(dialog, c.id);
            EXPECT_FALSE(name.empty()) << "dialog " << templateId << ", control " << c.id;
            EXPECT_EQ(name.find('&'), std::string::npos) << c.id;
        }
    }
}

// Toggling the HJSplit box from a screen reader analyses the first piece again, as a click.
TEST_F(AccessibilityTest, ToggleAndPressOnTheHJSplitBoxRunItsHandler) {
    OpenMain();
    WriteFile(dir / "clip.avi.001", std::string(64, 'h'));
    WriteFile(dir / "clip.avi.002", std::string(64, 'h'));
    Select(dir / "clip.avi.001");  // own mode: no tag, message 103
    host.ClearMessages();

    ASSERT_TRUE(DoAccessibleAction(dlg, IDC_HJSPLIT, AccessibleAction::Toggle));
    EXPECT_TRUE(dlg.m_bHJSplit);
    EXPECT_TRUE(dlg.IsDlgButtonChecked(IDC_HJSPLIT));
    EXPECT_TRUE(IsAccessibleChecked(dlg, IDC_HJSPLIT));
    EXPECT_EQ(Text(IDC_INFO1), "Extension du fichier joint :   avi");
    EXPECT_EQ(Text(IDC_INFO2), "Nombres de fichiers à joindre :   2");
    EXPECT_TRUE(host.Messages().empty());

    ASSERT_TRUE(DoAccessibleAction(dlg, IDC_HJSPLIT, AccessibleAction::Press));
    EXPECT_FALSE(dlg.m_bHJSplit);
    EXPECT_FALSE(dlg.IsDlgButtonChecked(IDC_HJSPLIT));
    EXPECT_FALSE(IsAccessibleChecked(dlg, IDC_HJSPLIT));
    EXPECT_EQ(host.MessageTexts().size(), 1u);  // the tag is read again: message 103
}

TEST_F(AccessibilityTest, PushButtonsActAsClicksAndNotWhenDisabled) {
    OpenMain();
    WriteFile(dir / "film.avi", "data");
    host.ChooseFile(dir / "film.avi");
    ASSERT_TRUE(DoAccessibleAction(dlg, IDC_SELECT, AccessibleAction::Press));
    EXPECT_EQ(Text(IDC_SOURCE_PATH), dir / "film.avi");

    EXPECT_FALSE(dlg.IsDlgItemEnabled(IDC_JOIN));
    EXPECT_FALSE(DoAccessibleAction(dlg, IDC_JOIN, AccessibleAction::Press));
    EXPECT_TRUE(IsAccessibleDisabled(dlg, IDC_JOIN));
    EXPECT_FALSE(IsAccessibleDisabled(dlg, IDC_SELECT));
    EXPECT_TRUE(host.AllConsumed());
}

// Radio buttons keep one choice per group, as when clicked.
TEST_F(AccessibilityTest, PressingARadioButtonChoosesItInItsGroup) {
    CDialog wizard(IDD_ARCHIVE_WIZARD);
    Open(wizard);
    wizard.CheckRadioButton(IDC_NEW_ARCHIVE);
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_TRUE(DoAccessibleAction(wizard, IDC_EXISTING_ARCHIVE, AccessibleAction::Toggle));
        EXPECT_TRUE(wizard.IsDlgButtonChecked(IDC_EXISTING_ARCHIVE));
        EXPECT_FALSE(wizard.IsDlgButtonChecked(IDC_NEW_ARCHIVE));
    }
    ASSERT_TRUE(DoAccessibleAction(wizard, IDC_NEW_ARCHIVE, AccessibleAction::Press));
    EXPECT_TRUE(wizard.IsDlgButtonChecked(IDC_NEW_ARCHIVE));
    EXPECT_TRUE(IsAccessibleChecked(wizard, IDC_NEW_ARCHIVE));
    EXPECT_FALSE(wizard.IsDlgButtonChecked(IDC_EXISTING_ARCHIVE));
    EXPECT_EQ(AccessibleRoleOf(wizard, IDC_NEW_ARCHIVE), AccessibleRole::RadioButton);
}

}  // namespace
}  // namespace scx
