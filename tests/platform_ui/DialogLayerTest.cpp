// The dialog layer: geometry from dialog units, the dialog manager's keyboard rules, tab
// order, up-down controls, file-dialog filters and the report of file errors.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "Dialog.h"
#include "DialogUnits.h"
#include "File.h"
#include "FileErrorText.h"
#include "FileFilter.h"
#include "GuiTest.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "UiDriver.h"
#include "WinApp.h"

namespace scx {
namespace {

using namespace win;
using namespace res;
using testkit::GuiTest;
using testkit::Key;
using testkit::PressKey;

// The main window's template with two handlers that record what reached them.
class RecordingDialog : public CDialog {
  public:
    RecordingDialog() : CDialog(IDD_MAIN) {}
    std::vector<std::string> calls;

    void ThrowFileError() {
        throw CFileException(CFileException::diskFull, "/tmp/sortie/film.002", 28);
    }
    void ThrowLogicError() { throw std::invalid_argument("nombre de parties incohérent"); }
    void ThrowSomethingElse() { throw 42; }

  protected:
    const MessageMap& GetMessageMap() const override {
        static const MessageMap map = MakeMessageMap<RecordingDialog>({
            {Notify::Clicked, IDC_SELECT, &RecordingDialog::OnSelect},
            {Notify::Clicked, IDC_HJSPLIT, &RecordingDialog::OnToggle},
            {Notify::Command, ID_HELP_ABOUT, &RecordingDialog::ThrowFileError},
            {Notify::Command, ID_HELP_ONLINE, &RecordingDialog::ThrowLogicError},
            {Notify::Command, ID_TOOLS_COMPARE, &RecordingDialog::ThrowSomethingElse},
        });
        return map;
    }
    void OnOK() override {
        calls.push_back("OnOK");
        CDialog::OnOK();
    }
    void OnCancel() override {
        calls.push_back("OnCancel");
        CDialog::OnCancel();
    }

  private:
    void OnSelect() { calls.push_back("select"); }
    void OnToggle() { calls.push_back(IsDlgButtonChecked(IDC_HJSPLIT) ? "checked" : "unchecked"); }
};

TEST(DialogUnitsTest, MulDivRoundsHalvesAwayFromZero) {
    struct Case {
        int a, b, c, expected;
    };
    for (const Case& t : std::vector<Case>{{13, 6, 4, 20},  // 19.5
                                           {14, 6, 4, 21},
                                           {7, 13, 8, 11},  // 11.375
                                           {-13, 6, 4, -20},
                                           {13, -6, 4, -20},
                                           {0, 7, 4, 0},
                                           {5, 3, 0, -1}}) {
        EXPECT_EQ(MulDiv(t.a, t.b, t.c), t.expected) << t.a << "*" << t.b << "/" << t.c;
    }
}

TEST(DialogUnitsTest, RectangleUsesQuarterWidthAndEighthHeight) {
    const PixelRect rect = DialogUnitsToPixels({13, 28, 294, 25}, BaseUnits{6, 13});
    EXPECT_EQ(rect, (PixelRect{20, 46, 441, 41}));  // 19.5, 45.5, 441, 40.625
}

class DialogLayerTest : public GuiTest {};

TEST_F(DialogLayerTest, ControlsStandAtTheirTemplateRectangles) {
    RecordingDialog dlg;
    Open(dlg);
    const BaseUnits units = testkit::DialogBaseUnits(dlg);
    ASSERT_GT(units.x, 0);
    ASSERT_GT(units.y, 0);
    EXPECT_EQ(testkit::ClientRect(dlg), DialogUnitsToPixels({0, 0, 320, 282}, units));
    for (const ControlTemplate& c : dlg.Template().controls) {
        if (c.id == IDC_STATIC || c.kind == ControlKind::Picture) {
            continue;
        }
        const PixelRect expected = DialogUnitsToPixels(c.rect, units);
        const PixelRect actual = testkit::ControlRect(dlg, c.id);
        EXPECT_EQ(actual.x, expected.x) << "control " << c.id;
        EXPECT_EQ(actual.y, expected.y) << "control " << c.id;
        EXPECT_EQ(actual.width, expected.width) << "control " << c.id;
        if (c.kind != ControlKind::ComboBox) {  // a combo's height is its dropped list's
            EXPECT_EQ(actual.height, expected.height) << "control " << c.id;
        }
    }
}

TEST_F(DialogLayerTest, EnterGoesToTheFocusedButtonThenTheDefaultButtonThenOk) {
    {
        RecordingDialog dlg;  // no default button
        Open(dlg);
        dlg.GotoDlgCtrl(IDC_SELECT);
        PressKey(dlg, IDC_SELECT, Key::Return);
        EXPECT_EQ(dlg.calls, std::vector<std::string>{"select"});
        EXPECT_FALSE(dlg.IsEnded());

        dlg.GotoDlgCtrl(IDC_HJSPLIT);  // a check box is not a push button
        PressKey(dlg, IDC_HJSPLIT, Key::Return);
        EXPECT_EQ(dlg.calls, (std::vector<std::string>{"select", "OnOK"}));
        EXPECT_TRUE(dlg.IsEnded());
        EXPECT_EQ(dlg.Result(), IDOK);
    }
    {
        CDialog dlg(IDD_DESTPATH);  // "OK" is the default button
        Open(dlg);
        dlg.GotoDlgCtrl(IDC_DESTPATH_EDIT);
        PressKey(dlg, IDC_DESTPATH_EDIT, Key::Return);
        EXPECT_TRUE(dlg.IsEnded());
        EXPECT_EQ(dlg.Result(), IDOK);
    }
    {
        CDialog dlg(IDD_DESTPATH);
        Open(dlg);
        dlg.GotoDlgCtrl(IDCANCEL);
        PressKey(dlg, IDCANCEL, Key::Return);
        EXPECT_EQ(dlg.Result(), IDCANCEL);
    }
}

TEST_F(DialogLayerTest, EscapeAndTheCloseBoxSendCancel) {
    RecordingDialog escaped;
    Open(escaped);
    PressKey(escaped, IDC_STATIC, Key::Escape);
    EXPECT_EQ(escaped.calls, std::vector<std::string>{"OnCancel"});
    EXPECT_EQ(escaped.Result(), IDCANCEL);

    RecordingDialog closed;
    Open(closed);
    testkit::ClickCloseBox(closed);
    EXPECT_EQ(closed.calls, std::vector<std::string>{"OnCancel"});
    EXPECT_EQ(closed.Result(), IDCANCEL);
}

TEST_F(DialogLayerTest, TabFollowsTheTemplateOverEnabledTabStops) {
    RecordingDialog dlg;
    Open(dlg);
    EXPECT_EQ(dlg.GetFocusId(), IDC_SOURCE_PATH);  // the first tab stop
    std::vector<int> order{dlg.GetFocusId()};
    for (int i = 0; i < 20 && (order.size() < 2 || order.back() != order.front()); ++i) {
        PressKey(dlg, IDC_STATIC, Key::Tab);
        order.push_back(dlg.GetFocusId());
    }
    // 1005 and 1011 start disabled; statics, pictures and the animation take no focus.
    const std::vector<int> expected{IDC_SOURCE_PATH, IDC_SELECT,    IDC_EXTENSION,   IDC_SIZE,
                                    IDC_INFO1,       IDC_INFO2,     IDC_PARTITION,   IDC_ADD_SIZE,
                                    IDC_NEW_SIZE,    IDC_DEST_PATH, IDC_CHANGE_DEST, IDC_HJSPLIT,
                                    IDC_SOURCE_PATH};
    EXPECT_EQ(order, expected);
}

TEST_F(DialogLayerTest, ClicksReachHandlersOnlyOnEnabledControls) {
    RecordingDialog dlg;
    Open(dlg);
    dlg.ClickDlgItem(IDC_HJSPLIT);
    dlg.ClickDlgItem(IDC_HJSPLIT);
    dlg.EnableDlgItem(IDC_SELECT, false);
    dlg.ClickDlgItem(IDC_SELECT);
    EXPECT_EQ(dlg.calls, (std::vector<std::string>{"checked", "unchecked"}));
}

TEST_F(DialogLayerTest, UpDownStaysWithinItsRangeAndWritesItsBuddy) {
    CDialog dlg(IDD_FILEPROPS);
    Open(dlg);
    struct Case {
        int spin, buddy, lower, upper, start, steps, expectedPos;
        std::string expectedText;
    };
    for (const Case& t : std::vector<Case>{
             {IDC_MOD_DAY_SPIN, IDC_MOD_DAY, 1, 31, 30, +3, 31, "31"},
             {IDC_MOD_DAY_SPIN, IDC_MOD_DAY, 1, 31, 2, -5, 1, "1"},
             {IDC_MOD_MONTH_SPIN, IDC_MOD_MONTH, 1, 12, 11, +1, 12, "12"},
             {IDC_MOD_YEAR_SPIN, IDC_MOD_YEAR, 1980, 2100, 2099, +4, 2100, "2100"},
             {IDC_MOD_YEAR_SPIN, IDC_MOD_YEAR, 1980, 2100, 1981, -2, 1980, "1980"},
         }) {
        CSpinButtonCtrl spin = dlg.GetSpinButtonCtrl(t.spin);
        spin.SetRange(t.lower, t.upper);
        spin.SetPos(t.start);
        ASSERT_EQ(dlg.FindUpDown(t.spin)->BuddyId(), t.buddy) << t.spin;
        for (int i = 0; i < std::abs(t.steps); ++i) {
            // Half the steps through the arrow keys of the buddy, half through the arrows.
            if (i % 2 == 0) {
                PressKey(dlg, t.buddy, t.steps > 0 ? Key::Up : Key::Down);
            } else {
                testkit::ClickUpDownArrow(dlg, t.spin, t.steps > 0 ? +1 : -1);
            }
        }
        EXPECT_EQ(spin.GetPos(), t.expectedPos) << t.spin;
        EXPECT_EQ(dlg.GetDlgItemText(t.buddy), t.expectedText) << t.spin;
    }
}

// Keyboard alone: the arrow keys move within a group of radio buttons and choose, as the
// dialog manager does, so a radio button without a tab stop is still reached.
TEST_F(DialogLayerTest, ArrowKeysMoveAndChooseWithinARadioGroup) {
    CDialog wizard(IDD_ARCHIVE_WIZARD);
    Open(wizard);
    wizard.CheckRadioButton(IDC_NEW_ARCHIVE);
    wizard.GotoDlgCtrl(IDC_NEW_ARCHIVE);
    const struct {
        Key key;
        int chosen;
    } steps[] = {
        {Key::Down, IDC_EXISTING_ARCHIVE},
        {Key::Down, IDC_NEW_ARCHIVE},  // wraps within the group
        {Key::Left, IDC_EXISTING_ARCHIVE},
        {Key::Right, IDC_NEW_ARCHIVE},
    };
    for (const auto& step : steps) {
        PressKey(wizard, IDC_STATIC, step.key);
        EXPECT_EQ(wizard.GetFocusId(), step.chosen);
        EXPECT_TRUE(wizard.IsDlgButtonChecked(step.chosen));
        EXPECT_EQ(wizard.IsDlgButtonChecked(IDC_NEW_ARCHIVE) +
                      wizard.IsDlgButtonChecked(IDC_EXISTING_ARCHIVE),
                  1);
    }
    // Tab leaves the group for the next tab stop.
    PressKey(wizard, IDC_STATIC, Key::Tab);
    EXPECT_EQ(wizard.GetFocusId(), IDC_NEXT);
}

// The dates dialog with a handler for the focus leaving its first field.
class FocusDialog : public CDialog {
  public:
    FocusDialog() : CDialog(IDD_FILEPROPS) {}
    int focusLosses = 0;

  protected:
    const MessageMap& GetMessageMap() const override {
        static const MessageMap map = MakeMessageMap<FocusDialog>({
            {Notify::KillFocus, IDC_MOD_DAY, &FocusDialog::OnDayLeft},
        });
        return map;
    }

  private:
    void OnDayLeft() { ++focusLosses; }
};

TEST_F(DialogLayerTest, LeavingAnEditReachesItsKillFocusHandler) {
    FocusDialog dlg;
    Open(dlg);
    dlg.GotoDlgCtrl(IDC_MOD_DAY);
    dlg.GotoDlgCtrl(IDC_MOD_MONTH);  // leaves the day
    dlg.GotoDlgCtrl(IDC_MOD_YEAR);   // leaves the month: no handler
    EXPECT_EQ(dlg.focusLosses, 1);
    dlg.GotoDlgCtrl(IDC_MOD_DAY);
    PressKey(dlg, IDC_MOD_DAY, Key::Tab);
    EXPECT_EQ(dlg.focusLosses, 2);
}

TEST(FileFilterTest, ResourceFiltersBecomeNameFilters) {
    struct Case {
        std::string resource;
        std::vector<std::string> expected;
    };
    for (const Case& t : std::vector<Case>{
             {"Tous les fichiers (*.*)|*.*||", {"Tous les fichiers (*.*) (*)"}},
             {"Fichiers à joindre (*.001)|*.001|Sons MP3(*.mp3)|*.mp3||",
              {"Fichiers à joindre (*.001) (*.001)", "Sons MP3(*.mp3) (*.mp3 *.MP3)"}},
             {"Fichier vidéos MPEG(*.mpg;*.mpeg)|*.mpg;*.mpeg||",
              {"Fichier vidéos MPEG(*.mpg;*.mpeg) (*.mpg *.MPG *.mpeg *.MPEG)"}},
             {"", {}},
         }) {
        EXPECT_EQ(ToNameFilters(t.resource), t.expected) << t.resource;
    }
}

TEST_F(DialogLayerTest, FileErrorInAHandlerIsReportedNamingTheFileAndEndsTheHandler) {
    RecordingDialog dlg;
    Open(dlg);
    dlg.SendCommand(ID_HELP_ABOUT);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(host.Messages()[0].type, MB_OK | MB_ICONSTOP);
    EXPECT_NE(host.Messages()[0].text.find("/tmp/sortie/film.002"), std::string::npos);
    EXPECT_FALSE(dlg.IsEnded());
}

// No defect a handler throws may end the program: each is reported and the dialog goes on.
TEST_F(DialogLayerTest, AnyOtherExceptionInAHandlerIsReportedAndTheDialogGoesOn) {
    RecordingDialog dlg;
    Open(dlg);
    const struct {
        int command;
        std::string detail;
    } cases[] = {
        {ID_HELP_ONLINE, "nombre de parties incohérent"},
        {ID_TOOLS_COMPARE, LoadString(res::IDS_UNKNOWN_ERROR_DETAIL)},
    };
    for (const auto& c : cases) {
        host.ClearMessages();
        dlg.SendCommand(c.command);
        ASSERT_EQ(host.Messages().size(), 1u);
        EXPECT_EQ(host.Messages()[0].type, MB_OK | MB_ICONSTOP);
        EXPECT_EQ(host.Messages()[0].text,
                  ReplacePathSlot(LoadString(res::IDS_UNEXPECTED_ERROR), c.detail));
        EXPECT_FALSE(dlg.IsEnded());
    }
}

TEST(FileErrorTextTest, EveryCauseHasItsOwnFrenchTextNamingTheFile) {
    std::set<std::string> texts;
    for (auto cause :
         {CFileException::genericException, CFileException::fileNotFound, CFileException::badPath,
          CFileException::accessDenied, CFileException::sharingViolation, CFileException::diskFull,
          CFileException::endOfFile, CFileException::notRegularFile}) {
        const std::string text = DescribeFileError(CFileException(cause, "/d/f.avi"));
        EXPECT_NE(text.find("/d/f.avi"), std::string::npos) << text;
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), 8u);
}

}  // namespace
}  // namespace scx
