#pragma once
// What a toolkit gives one CDialog: its window and the controls in it, addressed by id.
// CDialog and the control handles speak only to this; each backend (qt/, win32/)
// implements it, and the rules above it (routing, radio groups, clicks, up-downs,
// animations, combo searches) stay in the dialog layer. Every control operation is
// called with the id of a control of the template's matching kind.

#include <memory>
#include <string>
#include <vector>

namespace scx {

class AnimationPlayer;
class CDialog;

class DialogPeer {
  public:
    virtual ~DialogPeer() = default;

    // The window.
    virtual void SetCaption(const std::string& caption) = 0;
    virtual std::string Caption() const = 0;
    virtual void SetIcon(int iconId) = 0;
    // Paints the client area and the controls now.
    virtual void PaintNow() = 0;
    // Shows the window as the active one, as a modal run starts.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Ends the toolkit's modal loop, if one runs.
    virtual void EndModal(int result) = 0;
    virtual void ShowMinimized() = 0;
    virtual void ShowNormal() = 0;
    // Files dropped anywhere on the window reach CDialog::DropFiles; no control takes
    // them itself.
    virtual void AcceptFiles(bool accept) = 0;

    // Any control. Multi-line edits hand their text out with CR LF line breaks.
    virtual std::string Text(int id) const = 0;
    virtual void SetText(int id, const std::string& text) = 0;
    virtual void Enable(int id, bool enable) = 0;
    virtual bool IsEnabled(int id) const = 0;
    // Check boxes and radio buttons; nothing is notified.
    virtual void SetChecked(int id, bool checked) = 0;
    virtual bool IsChecked(int id) const = 0;
    virtual void SetFocus(int id) = 0;
    // IDC_STATIC when the focus is on no control of this window.
    virtual int FocusId() const = 0;

    // Combo boxes. Selecting notifies nothing; -1 is no selection.
    virtual int ComboCount(int id) const = 0;
    virtual int ComboSelection(int id) const = 0;
    virtual void SelectComboItem(int id, int index) = 0;
    virtual std::string ComboItem(int id, int index) const = 0;
    virtual void AddComboItem(int id, const std::string& text) = 0;
    virtual void DeleteComboItem(int id, int index) = 0;

    // List views in report form; rows and columns are in range. Texts come back as set.
    virtual int ListColumnCount(int id) const = 0;
    virtual void InsertListColumn(int id, int column, const std::string& heading, int width) = 0;
    virtual std::string ListColumnHeading(int id, int column) const = 0;
    virtual int ListColumnWidth(int id, int column) const = 0;
    virtual int ListRowCount(int id) const = 0;
    virtual void InsertListRow(int id, int row, const std::string& text) = 0;
    virtual void SetListText(int id, int row, int column, const std::string& text) = 0;
    virtual std::string ListText(int id, int row, int column) const = 0;
    virtual void DeleteListRow(int id, int row) = 0;
    virtual void DeleteAllListRows(int id) = 0;
    virtual std::vector<int> SelectedListRows(int id) const = 0;     // in list order
    virtual void SelectListRow(int id, int row, bool selected) = 0;  // row -1: every row

    // Progress bars; the position is within the range.
    virtual void SetProgressRange(int id, int lower, int upper) = 0;
    virtual int ProgressLower(int id) const = 0;
    virtual int ProgressUpper(int id) const = 0;
    virtual void SetProgressPos(int id, int position) = 0;
    virtual int ProgressPos(int id) const = 0;

    // The player of animation control `id`.
    virtual AnimationPlayer& Animation(int id) = 0;
};

// Builds `owner`'s window and its controls from its template, in template order (which
// is the tab order), each wired to report to `owner`. Each backend defines it.
std::unique_ptr<DialogPeer> CreateDialogPeer(CDialog& owner);

}  // namespace scx
