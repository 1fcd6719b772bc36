// The comparison dialog through its states, and the table it draws.

#include <filesystem>

#include "FileCompareDlg.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "ToolsUiFixture.h"
#include "UiDriver.h"

namespace scx {
namespace {

using namespace win;
using namespace res;

class FileCompareDlgTest : public testkit::ToolsUiTest {
  protected:
    void OpenWith(const std::string& first) {
        dlg.m_strPath1 = first;
        Open(dlg);
    }
    void Choose(const std::string& path) {
        host.ChooseFile(path);
        dlg.ClickDlgItem(IDC_CHOOSE);
    }
    CFileCompareDlg dlg;
};

TEST_F(FileCompareDlgTest, OpenedChosenComparedThenChosenAgain) {
    const std::string first = NewFile("a", "abc");
    OpenWith(first);
    EXPECT_EQ(dlg.m_strSize1, "3");
    EXPECT_FALSE(dlg.m_bFileChosen);
    EXPECT_FALSE(dlg.IsDlgItemEnabled(IDC_COMPARE));
    EXPECT_EQ(dlg.GetFocusId(), IDCANCEL);
    EXPECT_EQ(dlg.GetDlgItemText(IDC_COMPARE_PATH), "");

    // A press before any choice does nothing.
    dlg.SendCommand(IDC_COMPARE);
    EXPECT_EQ(dlg.m_strResult, "");

    const std::string second = NewFile("b", "abd!");
    Choose(second);
    ASSERT_EQ(host.FileRequests().size(), 1u);
    const FileDialogRequest& request = host.FileRequests()[0];
    EXPECT_TRUE(request.open);
    EXPECT_EQ(request.filter, "");
    EXPECT_EQ(request.defaultExt, "");
    EXPECT_EQ(request.initialName, "");
    EXPECT_EQ(dlg.GetDlgItemText(IDC_COMPARE_PATH), second);
    EXPECT_EQ(dlg.m_strSize2, "4");
    EXPECT_TRUE(dlg.m_bFileChosen);
    EXPECT_TRUE(dlg.IsDlgItemEnabled(IDC_COMPARE));
    EXPECT_EQ(dlg.m_strResult, "");

    dlg.ClickDlgItem(IDC_COMPARE);
    EXPECT_EQ(dlg.m_strResult, "3");
    EXPECT_EQ(host.WaitCursorChanges(), 2);
    EXPECT_FALSE(host.WaitCursorOn());
    EXPECT_TRUE(host.Messages().empty());

    // Cancelled: the button goes grey, the table keeps what it showed.
    host.CancelFileDialog();
    dlg.ClickDlgItem(IDC_CHOOSE);
    EXPECT_FALSE(dlg.IsDlgItemEnabled(IDC_COMPARE));
    EXPECT_EQ(dlg.m_strSize2, "4");
    EXPECT_EQ(dlg.m_strResult, "3");
    EXPECT_EQ(dlg.GetDlgItemText(IDC_COMPARE_PATH), second);

    // Confirmed: the new size at once, the old result until the next comparison.
    const std::string third = NewFile("c", "abc");
    Choose(third);
    EXPECT_EQ(dlg.m_strSize2, "3");
    EXPECT_EQ(dlg.m_strResult, "3");
    dlg.ClickDlgItem(IDC_COMPARE);
    EXPECT_EQ(dlg.m_strResult, LoadString(IDS_FILES_IDENTICAL));

    // The main window's own file: refused.
    Choose(first);
    dlg.ClickDlgItem(IDC_COMPARE);
    EXPECT_EQ(dlg.m_strResult, LoadString(IDS_SAME_FILE));
    EXPECT_FALSE(dlg.IsEnded());
}

TEST_F(FileCompareDlgTest, FileErrorsStopTheStepAndKeepTheResult) {
    const std::string first = NewFile("a", "abc");
    const std::string second = NewFile("b", "abd");
    OpenWith(first);
    Choose(second);
    dlg.ClickDlgItem(IDC_COMPARE);
    ASSERT_EQ(dlg.m_strResult, "3");

    std::filesystem::remove(second);
    dlg.ClickDlgItem(IDC_COMPARE);
    ASSERT_EQ(host.Messages().size(), 1u);
    EXPECT_NE(host.Messages()[0].text.find(second), std::string::npos);
    EXPECT_EQ(host.Messages()[0].type & MB_ICONSTOP, MB_ICONSTOP);
    EXPECT_EQ(dlg.m_strResult, "3");
    EXPECT_FALSE(host.WaitCursorOn());

    // At the choice the path is already taken, the rest is not.
    host.ClearMessages();
    const std::string missing = dir / "missing";
    Choose(missing);
    EXPECT_EQ(host.Messages().size(), 1u);
    EXPECT_EQ(dlg.m_strPath2, missing);
    EXPECT_EQ(dlg.GetDlgItemText(IDC_COMPARE_PATH), missing);
    EXPECT_EQ(dlg.m_strSize2, "3");
}

TEST_F(FileCompareDlgTest, EnterOutsideAButtonEndsTheDialog) {
    OpenWith(NewFile("a", "abc"));
    dlg.GotoDlgCtrl(IDC_COMPARE_PATH);
    testkit::PressKey(dlg, IDC_COMPARE_PATH, testkit::Key::Return);
    EXPECT_TRUE(dlg.IsEnded());
    EXPECT_EQ(dlg.Result(), IDOK);
}

// The table grabbed as the screen shows it: its lines at their pixel positions.
TEST_F(FileCompareDlgTest, TableIsDrawnAtItsPixelPositions) {
    OpenWith(NewFile("a", "abc"));
    Choose(NewFile("b", "abd"));
    dlg.ClickDlgItem(IDC_COMPARE);
    const testkit::ClientImage image = testkit::GrabClient(dlg);
    ASSERT_GE(image.width, 401);
    ASSERT_GE(image.height, 201);
    const std::uint32_t background = image.Pixel(5, 60);
    auto inked = [&](int x, int y) { return image.Pixel(x, y) != background; };

    for (int x = 12; x <= 400; x += 4) {
        EXPECT_TRUE(inked(x, 100)) << x;
        EXPECT_TRUE(inked(x, 150)) << x;
        EXPECT_TRUE(inked(x, 200)) << x;
    }
    for (int x = 100; x <= 400; x += 4) {
        EXPECT_TRUE(inked(x, 75)) << x;
    }
    for (int y = 100; y <= 200; y += 4) {
        EXPECT_TRUE(inked(12, y)) << y;
    }
    for (int y = 75; y <= 200; y += 4) {
        EXPECT_TRUE(inked(100, y)) << y;
        EXPECT_TRUE(inked(400, y)) << y;
    }
    for (int y = 75; y <= 150; y += 4) {
        EXPECT_TRUE(inked(250, y)) << y;
    }
    // Open where the table has no line: the top-left corner, the wide bottom cell, and
    // just outside the frame.
    EXPECT_FALSE(inked(12, 80));
    EXPECT_FALSE(inked(50, 75));
    EXPECT_FALSE(inked(250, 190));
    EXPECT_FALSE(inked(401, 120));
    EXPECT_FALSE(inked(200, 201));

    // Some text in the headings' cells and in the result's, none in the empty corner.
    auto inkIn = [&](int left, int top, int right, int bottom) {
        for (int y = top + 2; y < bottom - 1; ++y) {
            for (int x = left + 2; x < right - 1; ++x) {
                if (inked(x, y)) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_TRUE(inkIn(100, 75, 250, 100));   // fichier 1
    EXPECT_TRUE(inkIn(250, 75, 400, 100));   // fichier 2
    EXPECT_TRUE(inkIn(12, 150, 100, 200));   // the address heading
    EXPECT_TRUE(inkIn(250, 100, 400, 150));  // the second size
    EXPECT_TRUE(inkIn(100, 150, 400, 200));  // "3"
    EXPECT_FALSE(inkIn(12, 75, 100, 100));
}

TEST_F(FileCompareDlgTest, BeforeAChoiceOnlyTheFirstColumnIsFilled) {
    OpenWith(NewFile("a", "abc"));
    const testkit::ClientImage image = testkit::GrabClient(dlg);
    const std::uint32_t background = image.Pixel(5, 60);
    auto blank = [&](int left, int top, int right, int bottom) {
        for (int y = top + 2; y < bottom - 1; ++y) {
            for (int x = left + 2; x < right - 1; ++x) {
                if (image.Pixel(x, y) != background) {
                    return false;
                }
            }
        }
        return true;
    };
    EXPECT_FALSE(blank(100, 100, 250, 150));
    EXPECT_TRUE(blank(250, 100, 400, 150));
    EXPECT_TRUE(blank(100, 150, 400, 200));
}

}  // namespace
}  // namespace scx
