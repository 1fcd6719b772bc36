#pragma once
// Handles on the common controls of a dialog, with the operations the program sends them
// (the combo box, list-view, progress, animation and up-down messages). A handle names
// its control through the dialog's window and the control's id; it is cheap to copy and
// owns nothing.

#include <string>
#include <vector>

#include "WinDefs.h"

namespace scx {

class AnimationPlayer;
class CDialog;
class DialogPeer;
class UpDown;

inline constexpr int CB_ERR = -1;

class CComboBox {
  public:
    CComboBox(DialogPeer& peer, int id) : m_peer(peer), m_id(id) {}
    int GetCount() const;
    int GetCurSel() const;     // CB_ERR when nothing is selected
    int SetCurSel(int index);  // -1 clears the selection; returns CB_ERR when out of range
    std::string GetLBText(int index) const;
    int AddString(const std::string& text);  // at the end (the lists are never sorted)
    int DeleteString(int index);             // returns the remaining count, or CB_ERR
    // Index of the first item after `startAfter` (-1: from the top) whose text begins
    // with `prefix`, case-insensitively, wrapping around; CB_ERR when none.
    int FindString(int startAfter, const std::string& prefix) const;
    int SelectString(int startAfter, const std::string& prefix);

  private:
    DialogPeer& m_peer;
    int m_id;
};

class CListCtrl {
  public:
    CListCtrl(DialogPeer& peer, int id) : m_peer(peer), m_id(id) {}
    int InsertColumn(int column, const std::string& heading, int format = win::LVCFMT_LEFT,
                     int width = -1);
    std::string GetColumnHeading(int column) const;
    int GetColumnWidth(int column) const;
    int GetItemCount() const;
    int InsertItem(int row, const std::string& text);  // returns the row, or -1
    bool SetItemText(int row, int column, const std::string& text);
    std::string GetItemText(int row, int column) const;
    bool DeleteItem(int row);
    bool DeleteAllItems();
    int GetSelectedCount() const;
    std::vector<int> GetSelectedRows() const;      // in list order
    void SetItemSelected(int row, bool selected);  // row -1: every row

  private:
    bool HasCell(int row, int column) const;

    DialogPeer& m_peer;
    int m_id;
};

class CProgressCtrl {
  public:
    CProgressCtrl(CDialog& dialog, int id) : m_dialog(dialog), m_id(id) {}
    int SetPos(int position);  // returns the previous position
    int GetPos() const;
    int SetStep(int step);  // returns the previous step
    // Advances by the step; past the top of the range it starts over from the bottom.
    int StepIt();  // returns the previous position
    void SetRange(int lower, int upper);

  private:
    CDialog& m_dialog;
    int m_id;
};

class CAnimateCtrl {
  public:
    explicit CAnimateCtrl(AnimationPlayer& player) : m_player(player) {}
    bool Open(int clipId);  // 0 closes
    // Frames `from` to `to` (-1: the last), `repeat` times (-1: without end).
    bool Play(int from, int to, int repeat);
    bool Stop();
    bool Seek(int frame);  // shows `frame` (-1: the last) and stops there
    bool Close() { return Open(0); }
    bool IsPlaying() const;
    int GetClip() const;
    int GetFrame() const;

  private:
    AnimationPlayer& m_player;
};

class CSpinButtonCtrl {
  public:
    explicit CSpinButtonCtrl(UpDown& updown) : m_updown(updown) {}
    void SetRange(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    int SetPos(int position);  // returns the previous position
    int GetPos() const;

  private:
    UpDown& m_updown;
};

// A menu of commands; here only the system menu, whose items a dialog may extend.
class CMenu {
  public:
    enum Flags : win::UINT { MF_STRING = 0x0, MF_GRAYED = 0x1, MF_SEPARATOR = 0x800 };
    struct Item {
        win::UINT flags;
        win::UINT command;
        std::string text;
    };
    void AppendMenu(win::UINT flags, win::UINT command = 0, const std::string& text = {});
    const std::vector<Item>& Items() const { return m_items; }

  private:
    std::vector<Item> m_items;
};

}  // namespace scx
