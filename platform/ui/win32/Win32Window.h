#pragma once
// The Win32 window of a CDialog: a dialog of the dialog manager created from the
// template's in-memory form, the menu bar from the menu template, and the notifications
// of its controls reported to the CDialog. The dialog manager's keys come from
// IsDialogMessageW, after the dialog layer has taken those whose promise it keeps itself
// (Enter, Escape, arrows in a radio group).

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "DialogPeer.h"
#include "Handles.h"
#include "ListRows.h"
#include "Picture.h"

namespace scx {
class CDialog;
}

namespace scx::win32 {

class AnimationControl;

class Win32Window : public DialogPeer {
  public:
    explicit Win32Window(CDialog& owner);
    ~Win32Window() override;
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    Hwnd Handle() const { return m_window; }
    Hwnd Control(int id) const;
    CDialog& Owner() const { return m_owner; }
    // The window of ours `window` belongs to; nullptr for any other.
    static Win32Window* FromHandle(Hwnd window);
    // Clicks button `id` as ClickDlgItem does, once the caller's message has returned.
    void PostClick(int id);

    // DialogPeer.
    void SetCaption(const std::string& caption) override;
    std::string Caption() const override;
    void SetIcon(int iconId) override;
    void PaintNow() override;
    void Show() override;
    void Hide() override;
    void EndModal(int result) override;
    void ShowMinimized() override;
    void ShowNormal() override;
    void AcceptFiles(bool accept) override;
    std::string Text(int id) const override;
    void SetText(int id, const std::string& text) override;
    void Enable(int id, bool enable) override;
    bool IsEnabled(int id) const override;
    void SetChecked(int id, bool checked) override;
    bool IsChecked(int id) const override;
    void SetFocus(int id) override;
    int FocusId() const override;
    int ComboCount(int id) const override;
    int ComboSelection(int id) const override;
    void SelectComboItem(int id, int index) override;
    std::string ComboItem(int id, int index) const override;
    void AddComboItem(int id, const std::string& text) override;
    void DeleteComboItem(int id, int index) override;
    int ListColumnCount(int id) const override;
    void InsertListColumn(int id, int column, const std::string& heading, int width) override;
    std::string ListColumnHeading(int id, int column) const override;
    int ListColumnWidth(int id, int column) const override;
    int ListRowCount(int id) const override;
    void InsertListRow(int id, int row, const std::string& text) override;
    void SetListText(int id, int row, int column, const std::string& text) override;
    std::string ListText(int id, int row, int column) const override;
    void DeleteListRow(int id, int row) override;
    void DeleteAllListRows(int id) override;
    std::vector<int> SelectedListRows(int id) const override;
    void SelectListRow(int id, int row, bool selected) override;
    void SetProgressRange(int id, int lower, int upper) override;
    int ProgressLower(int id) const override;
    int ProgressUpper(int id) const override;
    void SetProgressPos(int id, int position) override;
    int ProgressPos(int id) const override;
    AnimationPlayer& Animation(int id) override;

  private:
    void SetUpControls();
    // After `change` rows (+1, -1) at `at` of list `id`: its selection follows the rows,
    // and the control learns the new count before it is drawn or its selection used.
    void ResizeList(int id, int at, int change);
    void SyncList(int id) const;
    void SyncLists() const;
    void AttachMenu();
    // The dialog procedure's work; true when the message was handled, `result` its value.
    bool Handle(unsigned message, unsigned long long wParam, long long lParam, long long& result);
    void OnCommand(int id, int code, Hwnd control);
    bool OnNotify(long long lParam);
    void Paint(Hdc dc);
    static long long __stdcall Procedure(Hwnd window, unsigned message, unsigned long long wParam,
                                         long long lParam);

    CDialog& m_owner;
    Hwnd m_window = nullptr;
    Hwnd m_ownerWindow = nullptr;
    int m_focusId;
    bool m_positioned = false;
    std::map<int, std::unique_ptr<AnimationControl>> m_animations;
    std::map<Hwnd, std::unique_ptr<Picture>> m_pictures;
    // By id, as the dialog manager's GetDlgItem would find them, without asking it each time.
    std::map<int, Hwnd> m_controls;
    std::map<int, ListRows> m_lists;
    mutable std::set<int> m_staleLists;  // lists whose control has an old row count
    bool m_syncPosted = false;
    std::wstring m_shownCell;  // the text of the cell a list asked for last
};

// One message of a modal loop or of a test: the dialog layer's keys first, then the
// dialog manager's (IsDialogMessageW), else the window's own procedure.
void DispatchDialogMessage(tagMSG& message);

// Whether the host shows the wait cursor over our windows.
void SetWaitCursorShown(bool shown);

// The text of any window or control, as the user reads it.
std::wstring WindowText(Hwnd window);

}  // namespace scx::win32
