#pragma once
// Handles on the common controls of a dialog, with the operations the program sends them
// (the combo box, list-view, progress, animation and up-down messages). A handle is
// cheap to copy and does not own its control.

#include <string>
#include <vector>

#include "WinDefs.h"

class QComboBox;
class QProgressBar;

namespace scx {

class AnimationWidget;
class ListViewWidget;
class UpDownWidget;

inline constexpr int CB_ERR = -1;

class CComboBox {
  public:
    explicit CComboBox(QComboBox* combo) : m_combo(combo) {}
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
    QComboBox* m_combo;
};

class CListCtrl {
  public:
    explicit CListCtrl(ListViewWidget* list) : m_list(list) {}
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
    ListViewWidget* m_list;
};

class CProgressCtrl {
  public:
    explicit CProgressCtrl(QProgressBar* bar) : m_bar(bar) {}
    int SetPos(int position);  // returns the previous position
    int GetPos() const;
    int SetStep(int step);  // returns the previous step
    // Advances by the step; past the top of the range it starts over from the bottom.
    int StepIt();  // returns the previous position
    void SetRange(int lower, int upper);

  private:
    QProgressBar* m_bar;
};

class CAnimateCtrl {
  public:
    explicit CAnimateCtrl(AnimationWidget* animation) : m_animation(animation) {}
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
    AnimationWidget* m_animation;
};

class CSpinButtonCtrl {
  public:
    explicit CSpinButtonCtrl(UpDownWidget* updown) : m_updown(updown) {}
    void SetRange(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    int SetPos(int position);  // returns the previous position
    int GetPos() const;

  private:
    UpDownWidget* m_updown;
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
