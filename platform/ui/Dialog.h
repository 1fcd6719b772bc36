#pragma once
// The dialog base class: a window built from a dialog template, its controls addressed by
// numeric id, its notifications routed through a per-class message map, and the dialog
// manager's keyboard rules (Enter, Escape, close box, arrows in a radio group). The
// window itself is a toolkit's (DialogPeer.h).

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "Dc.h"
#include "DialogPeer.h"
#include "DialogTemplate.h"
#include "UpDown.h"
#include "WinDefs.h"

namespace scx {

// Notifications a message map can bind.
enum class Notify {
    Command,     // menu command, or a button's click sent as a command
    Clicked,     // BN_CLICKED of a button, check box or radio button
    SelChange,   // CBN_SELCHANGE of a combo box (user selection)
    EditChange,  // CBN_EDITCHANGE of a combo box, EN_CHANGE of an edit
    KillFocus,   // EN_KILLFOCUS of an edit
};

class CDialog {
  public:
    struct MessageEntry {
        Notify code;
        int id;
        std::function<void(CDialog&)> handler;
    };
    using MessageMap = std::vector<MessageEntry>;

    explicit CDialog(int templateId);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally through the host; returns the code it ended with.
    int DoModal();
    // Ends the modal run with `result` (IDOK, IDCANCEL, ...).
    void EndDialog(int result);

    // Builds the window and its controls from the template (once).
    void Create();
    // Runs OnInitDialog under the error guard and sets the first focus.
    void InitDialog();
    bool IsEnded() const { return m_ended; }
    int Result() const { return m_result; }
    int TemplateId() const { return m_templateId; }

    // Controls by id.
    std::string GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::string& text);
    void EnableDlgItem(int id, bool enable);
    bool IsDlgItemEnabled(int id) const;
    void CheckDlgButton(int id, bool checked);
    bool IsDlgButtonChecked(int id) const;
    // Checks radio button `id` and clears the others of its group.
    void CheckRadioButton(int id);
    void GotoDlgCtrl(int id);
    int GetFocusId() const;  // IDC_STATIC when the focus is on no control of ours
    bool HasDlgItem(int id) const;
    CComboBox GetComboBox(int id) const;
    CListCtrl GetListCtrl(int id) const;
    CProgressCtrl GetProgressCtrl(int id) const;
    CAnimateCtrl GetAnimateCtrl(int id) const;
    CSpinButtonCtrl GetSpinButtonCtrl(int id) const;
    // The template of control `id`; nullptr when there is none.
    const ControlTemplate* FindControl(int id) const;

    void SetWindowText(const std::string& caption);
    std::string GetWindowText() const;
    // Paints the window now, before the handler goes on.
    void UpdateWindow();

    // The window's system menu. On desktops where the window manager owns it, the same
    // commands form the context menu of the client area.
    CMenu& GetSystemMenu();
    const CMenu& SystemMenu() const { return m_systemMenu; }
    // Sets the window's icon from icon resource `iconId`.
    void SetIcon(int iconId);

    // What the dialog manager and the toolkit call. Each runs under the error guard:
    // a file error is reported and ends the handler.
    void SendCommand(int id);  // menu commands, IDOK, IDCANCEL
    void SendNotify(Notify code, int id);
    void SendSysCommand(win::UINT command);
    // A click as the dialog manager delivers it (BM_CLICK): nothing when the control is
    // disabled; automatic check boxes and radio buttons change state first.
    void ClickDlgItem(int id);
    // The dialog manager's keys, as the toolkit reports them. Enter goes to the focused
    // push button, else to the default button (a beep when it is disabled), else to IDOK;
    // Escape sends IDCANCEL.
    void PressEnter();
    void PressEscape();
    // An arrow key on radio button `id`: the next enabled one of its group, in template
    // order and wrapping, takes the focus and is clicked.
    void MoveInRadioGroup(int id, bool forward);
    // The radio buttons of `id`'s group, in template order (empty unless `id` is one).
    std::vector<int> RadioGroupOf(int id) const;
    // The up-down control `id`; nullptr when there is none.
    UpDown* FindUpDown(int id);

    // Lets files dropped from the desktop anywhere on the window reach OnDropFiles.
    void DragAcceptFiles(bool accept = true);
    bool AcceptsDroppedFiles() const { return m_acceptsFiles; }
    // True while a handler runs: a drop then would change the state under its feet.
    bool IsInHandler() const { return m_handlerDepth > 0; }
    // The local paths of a drop, as the toolkit delivers it: OnDropFiles under the guard.
    // False when the window takes no drop now, which leaves it untouched.
    bool DropFiles(const std::vector<std::string>& paths);

    // The toolkit's window, for the host and for tests; Create must have run.
    DialogPeer& Peer() const { return *m_peer; }
    bool HasWindow() const { return m_peer != nullptr; }
    const DialogTemplate& Template() const { return *m_template; }

    // Called by the window when it paints its client area.
    void PaintClient(CDC& dc);

  protected:
    virtual bool OnInitDialog();  // base: nothing; true lets the manager set the focus
    virtual void OnOK();          // base: EndDialog(IDOK)
    virtual void OnCancel();      // base: EndDialog(IDCANCEL)
    virtual void OnSysCommand(win::UINT command);
    virtual void OnPaint(CDC& dc);
    virtual const MessageMap& GetMessageMap() const;
    virtual void OnDropFiles(const std::vector<std::string>& paths);  // base: nothing

    // Builds a message map from member-function pointers of the derived class.
    template <class D>
    struct Entry {
        Notify code;
        int id;
        void (D::*handler)();
    };
    template <class D>
    static MessageMap MakeMessageMap(std::initializer_list<Entry<D>> entries) {
        MessageMap map;
        for (const Entry<D>& e : entries) {
            auto handler = e.handler;
            map.push_back(
                {e.code, e.id, [handler](CDialog& d) { (static_cast<D&>(d).*handler)(); }});
        }
        return map;
    }

  private:
    friend class CProgressCtrl;
    // Runs `action` and reports file errors, exhausted memory and any other exception in a
    // message box, so that nothing a handler throws can end the program.
    void Guarded(const std::function<void()>& action);
    bool Route(Notify code, int id);
    void RouteCommand(int id);

    int m_templateId;
    const DialogTemplate* m_template;
    std::unique_ptr<DialogPeer> m_peer;
    std::map<int, UpDown> m_upDowns;
    std::map<int, int> m_progressSteps;
    CMenu m_systemMenu;
    bool m_ended = false;
    int m_result = 0;
    bool m_acceptsFiles = false;
    int m_handlerDepth = 0;
};

}  // namespace scx
