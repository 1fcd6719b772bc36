// The common controls' operations, on real dialogs of the program.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "Dialog.h"
#include "GuiTest.h"
#include "ResourceIds.h"
#include "UiDriver.h"

namespace scx {
namespace {

using namespace win;
using namespace res;
using testkit::GuiTest;

class ControlsTest : public GuiTest {};

TEST_F(ControlsTest, ComboPrefixSearchStartsAfterAnItemAndWrapsAround) {
    CDialog dlg(IDD_MAIN);
    Open(dlg);
    CComboBox sizes = dlg.GetComboBox(IDC_PARTITION);  // 15000 2800 1400 700 320
    struct Case {
        int startAfter;
        std::string prefix;
        int expected;
    };
    for (const Case& t : std::vector<Case>{{0, "1400", 2},
                                           {-1, "1", 0},
                                           {0, "1", 2},
                                           {2, "1", 0},  // wraps around
                                           {3, "3", 4},
                                           {-1, "9", CB_ERR},
                                           {-1, "", 0}}) {
        EXPECT_EQ(sizes.FindString(t.startAfter, t.prefix), t.expected)
            << t.startAfter << " " << t.prefix;
    }
    EXPECT_EQ(sizes.SelectString(0, "1400"), 2);
    EXPECT_EQ(sizes.GetCurSel(), 2);
    EXPECT_EQ(sizes.DeleteString(2), 4);  // deleting the selection leaves none
    EXPECT_EQ(sizes.GetCurSel(), CB_ERR);
    EXPECT_EQ(sizes.GetLBText(sizes.GetCurSel()), "");
    EXPECT_EQ(sizes.AddString("14"), 4);
    EXPECT_EQ(sizes.GetLBText(4), "14");
}

TEST_F(ControlsTest, ListViewKeepsRowsColumnsAndSeveralSelectedRows) {
    CDialog dlg(IDD_ARCHIVE_CREATE);
    Open(dlg);
    CListCtrl list = dlg.GetListCtrl(IDC_FILE_LIST);
    EXPECT_EQ(list.InsertColumn(0, "Fichier", LVCFMT_LEFT, 100), 0);
    EXPECT_EQ(list.InsertColumn(1, "Chemin", LVCFMT_LEFT, 250), 1);
    EXPECT_EQ(list.InsertColumn(2, "Taille (octets)", LVCFMT_LEFT, 100), 2);
    EXPECT_EQ(list.GetColumnHeading(1), "Chemin");
    EXPECT_EQ(list.GetColumnWidth(1), 250);
    for (const char* name : {"a.txt", "b.jpg", "c.bin"}) {
        const int row = list.InsertItem(list.GetItemCount(), name);
        list.SetItemText(row, 2, std::to_string(row * 10));
    }
    EXPECT_EQ(list.GetItemText(2, 0), "c.bin");
    EXPECT_EQ(list.GetItemText(1, 2), "10");
    EXPECT_EQ(list.GetSelectedCount(), 0);
    list.SetItemSelected(0, true);
    list.SetItemSelected(2, true);
    EXPECT_EQ(list.GetSelectedRows(), (std::vector<int>{0, 2}));
    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemText(0, 0), "b.jpg");
    EXPECT_FALSE(list.DeleteItem(5));
}

// Rows keep any text as it was set, long or holding zero bytes, through later columns;
// what the user sees is one line per row, its control characters escaped.
TEST_F(ControlsTest, ListViewShowsControlCharactersEscapedAndKeepsTheTextAsSet) {
    CDialog dlg(IDD_ARCHIVE_CREATE);
    Open(dlg);
    CListCtrl list = dlg.GetListCtrl(IDC_FILE_LIST);
    list.InsertColumn(0, "Fichier");
    list.InsertColumn(1, "Taille (octets)");
    struct Row {
        std::string text, display;
    };
    const std::vector<Row> rows = {{"a\nb\tc", "a\\nb\\tc"},
                                   {"\x1b[2J\x7f", "\\x1b[2J\\x7f"},
                                   {"C:\\dossier\\é.txt", "C:\\dossier\\é.txt"},
                                   {std::string("z\0", 2), "z\\x00"},
                                   {std::string(300, 'x'), std::string(300, 'x')},
                                   {"", ""}};
    for (const Row& row : rows) {
        const int at = list.InsertItem(0, row.text);  // each in front of the last
        list.SetItemText(at, 1, row.text + "!");
    }
    list.InsertColumn(1, "Chemin");  // between the two that hold text
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int at = static_cast<int>(rows.size() - 1 - i);
        EXPECT_EQ(list.GetItemText(at, 0), rows[i].text);
        EXPECT_EQ(list.GetItemText(at, 1), "");
        EXPECT_EQ(list.GetItemText(at, 2), rows[i].text + "!");
        EXPECT_EQ(testkit::ShownListText(dlg, IDC_FILE_LIST, at, 0), rows[i].display);
    }
    list.SetItemSelected(-1, true);
    EXPECT_EQ(list.GetSelectedCount(), static_cast<int>(rows.size()));
    list.SetItemSelected(2, false);
    EXPECT_EQ(list.GetSelectedRows(), (std::vector<int>{0, 1, 3, 4, 5}));
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetItemText(0, 0), "");
}

TEST_F(ControlsTest, ProgressStepsAndStartsOverPastTheTop) {
    CDialog dlg(IDD_MAIN);
    Open(dlg);
    CProgressCtrl bar = dlg.GetProgressCtrl(IDC_PROGRESS);
    struct Case {
        int step, steps;
        std::vector<int> positions;
    };
    for (const Case& t : std::vector<Case>{
             {33, 3, {33, 66, 99}}, {50, 2, {50, 100}}, {0, 2, {0, 0}}, {40, 3, {40, 80, 20}}}) {
        bar.SetPos(0);
        bar.SetStep(t.step);
        std::vector<int> positions;
        for (int i = 0; i < t.steps; ++i) {
            bar.StepIt();
            positions.push_back(bar.GetPos());
        }
        EXPECT_EQ(positions, t.positions) << "step " << t.step;
    }
    EXPECT_EQ(bar.SetPos(100), 20);
}

// The animation moves on its timer, which runs whenever a long handler pumps events.
TEST(AnimationTest, PlaysWhileAHandlerPumpsEventsAndSeeksToItsLastFrame) {
    Host& host = testkit::ToolkitHost();
    CDialog dlg(IDD_MAIN);
    dlg.Create();
    CAnimateCtrl animation = dlg.GetAnimateCtrl(IDC_ANIMATION);
    ASSERT_TRUE(animation.Open(IDR_AVI_SPLIT));
    EXPECT_EQ(animation.GetClip(), IDR_AVI_SPLIT);
    ASSERT_TRUE(animation.Play(0, -1, -1));
    EXPECT_TRUE(animation.IsPlaying());

    // A busy handler: no event loop, only its pumps between blocks of work.
    std::vector<int> framesSeen{animation.GetFrame()};
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(2200);
    while (std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        host.PumpEvents();
        if (animation.GetFrame() != framesSeen.back()) {
            framesSeen.push_back(animation.GetFrame());
        }
    }
    EXPECT_GE(framesSeen.size(), 3u);  // 1.5 frames a second
    EXPECT_EQ(framesSeen[1], 1);

    animation.Stop();
    animation.Seek(-1);
    EXPECT_FALSE(animation.IsPlaying());
    EXPECT_EQ(animation.GetFrame(), 4);
    animation.Close();
    EXPECT_EQ(animation.GetClip(), 0);
    EXPECT_FALSE(animation.Play(0, -1, -1));
}

}  // namespace
}  // namespace scx
