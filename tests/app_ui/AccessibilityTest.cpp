// What a screen reader meets in the windows: names, information lines, and the default
// actions of buttons, check boxes and radio buttons, through Qt's accessibility interfaces.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCheckBox>
#include <QRadioButton>

#include "DialogWindow.h"
#include "MainWindowFixture.h"
#include "ResourceIds.h"
#include "Resources.h"

namespace scx {
namespace {

using namespace win;
using namespace res;
using testkit::MainWindowTest;
using testkit::WriteFile;

QWidget* Widget(const CDialog& dialog, int id) {
    return static_cast<DialogWindow&>(dialog.Peer()).Control(id);
}

QAccessibleInterface* Accessible(const CDialog& dialog, int id) {
    return QAccessible::queryAccessibleInterface(Widget(dialog, id));
}

// On Linux Qt reports a combo box's current item as its name, and its label through the
// name it would report elsewhere and the label relation.
std::string Name(const CDialog& dialog, int id) {
    QAccessibleInterface* accessible = Accessible(dialog, id);
    return accessible->role() == QAccessible::ComboBox
               ? Widget(dialog, id)->accessibleName().toStdString()
               : accessible->text(QAccessible::Name).toStdString();
}

// Runs an assistive technology's action on control `id`; false when it offers none.
bool Act(const CDialog& dialog, int id, const QString& action) {
    QAccessibleActionInterface* actions = Accessible(dialog, id)->actionInterface();
    if (actions == nullptr || !actions->actionNames().contains(action)) {
        return false;
    }
    actions->doAction(action);
    return true;
}

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
        EXPECT_EQ(Name(dlg, e.id), e.name) << e.id;
    }
    EXPECT_EQ(Accessible(dlg, IDC_HJSPLIT)->role(), QAccessible::CheckBox);
    EXPECT_EQ(Accessible(dlg, IDC_PARTITION)->role(), QAccessible::ComboBox);
    const auto labels = Accessible(dlg, IDC_EXTENSION)->relations(QAccessible::Label);
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0].first->text(QAccessible::Name).toStdString(), "Extension :");
}

TEST_F(AccessibilityTest, InformationLinesAreReadWithTheirText) {
    OpenMain();
    WriteFile(dir / "film.avi", std::string(3000000, 'v'));
    Select(dir / "film.avi");
    EXPECT_EQ(Name(dlg, IDC_INFO2), "Taille de partition :  1400");
    EXPECT_EQ(Accessible(dlg, IDC_INFO2)->text(QAccessible::Value).toStdString(),
              "Taille de partition :  1400");
    EXPECT_EQ(Accessible(dlg, IDC_INFO1)->text(QAccessible::Value).toStdString(),
              "Nombre de fichier produits :  3");
    PickPartition(0);
    EXPECT_EQ(Name(dlg, IDC_INFO2), "Taille de partition :  15000");
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
            EXPECT_FALSE(Name(dialog, c.id).empty())
                << "dialog " << templateId << ", control " << c.id;
            EXPECT_EQ(Name(dialog, c.id).find('&'), std::string::npos) << c.id;
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

    ASSERT_TRUE(Act(dlg, IDC_HJSPLIT, QAccessibleActionInterface::toggleAction()));
    EXPECT_TRUE(dlg.m_bHJSplit);
    EXPECT_TRUE(dlg.IsDlgButtonChecked(IDC_HJSPLIT));
    EXPECT_TRUE(Accessible(dlg, IDC_HJSPLIT)->state().checked);
    EXPECT_EQ(Text(IDC_INFO1), "Extension du fichier joint :   avi");
    EXPECT_EQ(Text(IDC_INFO2), "Nombres de fichiers à joindre :   2");
    EXPECT_TRUE(host.Messages().empty());

    ASSERT_TRUE(Act(dlg, IDC_HJSPLIT, QAccessibleActionInterface::pressAction()));
    EXPECT_FALSE(dlg.m_bHJSplit);
    EXPECT_FALSE(dlg.IsDlgButtonChecked(IDC_HJSPLIT));
    EXPECT_EQ(host.MessageTexts().size(), 1u);  // the tag is read again: message 103
}

// A running reader asks for the buttons' interfaces while the window is being built,
// before the controls have their ids.
TEST_F(AccessibilityTest, ActionsReachTheHandlersWhenAReaderWatchedTheWindowBeingBuilt) {
    QAccessible::setActive(true);
    OpenMain();
    QAccessible::setActive(false);
    ASSERT_TRUE(Act(dlg, IDC_HJSPLIT, QAccessibleActionInterface::toggleAction()));
    EXPECT_TRUE(dlg.m_bHJSplit);
}

TEST_F(AccessibilityTest, PushButtonsActAsClicksAndNotWhenDisabled) {
    OpenMain();
    WriteFile(dir / "film.avi", "data");
    host.ChooseFile(dir / "film.avi");
    ASSERT_TRUE(Act(dlg, IDC_SELECT, QAccessibleActionInterface::pressAction()));
    EXPECT_EQ(Text(IDC_SOURCE_PATH), dir / "film.avi");

    EXPECT_FALSE(dlg.IsDlgItemEnabled(IDC_JOIN));
    EXPECT_FALSE(Act(dlg, IDC_JOIN, QAccessibleActionInterface::pressAction()));
    EXPECT_TRUE(Accessible(dlg, IDC_JOIN)->state().disabled);
    EXPECT_TRUE(host.AllConsumed());
}

// Radio buttons keep one choice per group, as when clicked.
TEST_F(AccessibilityTest, PressingARadioButtonChoosesItInItsGroup) {
    CDialog wizard(IDD_ARCHIVE_WIZARD);
    Open(wizard);
    wizard.CheckRadioButton(IDC_NEW_ARCHIVE);
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_TRUE(Act(wizard, IDC_EXISTING_ARCHIVE, QAccessibleActionInterface::toggleAction()));
        EXPECT_TRUE(wizard.IsDlgButtonChecked(IDC_EXISTING_ARCHIVE));
        EXPECT_FALSE(wizard.IsDlgButtonChecked(IDC_NEW_ARCHIVE));
    }
    ASSERT_TRUE(Act(wizard, IDC_NEW_ARCHIVE, QAccessibleActionInterface::pressAction()));
    EXPECT_TRUE(wizard.IsDlgButtonChecked(IDC_NEW_ARCHIVE));
    EXPECT_FALSE(wizard.IsDlgButtonChecked(IDC_EXISTING_ARCHIVE));
    EXPECT_EQ(Accessible(wizard, IDC_NEW_ARCHIVE)->role(), QAccessible::RadioButton);
}

}  // namespace
}  // namespace scx
