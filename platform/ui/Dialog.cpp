#include "Dialog.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "File.h"
#include "FileErrorText.h"
#include "Host.h"
#include "Resources.h"
#include "WinApp.h"

namespace scx {

using namespace win;

CDialog::CDialog(int templateId)
    : m_templateId(templateId), m_template(res::FindDialog(templateId)) {
    if (m_template == nullptr) {
        throw std::logic_error("no dialog template " + std::to_string(templateId));
    }
}

CDialog::~CDialog() = default;

int CDialog::DoModal() {
    return GetHost().RunModal(*this);
}

void CDialog::EndDialog(int result) {
    m_ended = true;
    m_result = result;
    if (m_peer) {
        m_peer->EndModal(result);
    }
}

void CDialog::Create() {
    if (m_peer) {
        return;
    }
    m_ended = false;
    const ControlTemplate* previous = nullptr;
    for (const ControlTemplate& c : m_template->controls) {
        if (c.kind == ControlKind::UpDown && c.id != IDC_STATIC) {
            // An automatic buddy is the edit just before it in the template.
            const bool hasBuddy = (c.style & UDS_AUTOBUDDY) != 0 && previous != nullptr &&
                                  previous->kind == ControlKind::Edit;
            m_upDowns.try_emplace(c.id, *this, c.style, hasBuddy ? previous->id : IDC_STATIC);
        }
        previous = &c;
    }
    m_peer = CreateDialogPeer(*this);
}

void CDialog::InitDialog() {
    Create();
    bool managerSetsFocus = true;
    Guarded([&] { managerSetsFocus = OnInitDialog(); });
    if (!managerSetsFocus || m_ended) {
        return;
    }
    // The first control of the template that can take the focus.
    for (const ControlTemplate& c : m_template->controls) {
        if (c.id != IDC_STATIC && TakesFocus(c.kind) && (c.style & WS_TABSTOP) != 0 &&
            IsDlgItemEnabled(c.id)) {
            GotoDlgCtrl(c.id);
            return;
        }
    }
}

bool CDialog::OnInitDialog() {
    return true;
}
void CDialog::OnOK() {
    EndDialog(IDOK);
}
void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}
void CDialog::OnPaint(CDC&) {}

void CDialog::OnSysCommand(UINT command) {
    switch (command & 0xFFF0) {
        case SC_CLOSE:
            RouteCommand(IDCANCEL);
            break;
        case SC_MINIMIZE:
            m_peer->ShowMinimized();
            break;
        case SC_RESTORE:
            m_peer->ShowNormal();
            break;
        default:
            break;
    }
}

const CDialog::MessageMap& CDialog::GetMessageMap() const {
    static const MessageMap empty;
    return empty;
}

void CDialog::Guarded(const std::function<void()>& action) {
    struct Depth {
        int& depth;
        explicit Depth(int& d) : depth(d) { ++depth; }
        ~Depth() { --depth; }
        Depth(const Depth&) = delete;
        Depth& operator=(const Depth&) = delete;
    } inHandler(m_handlerDepth);
    try {
        action();
    } catch (const ProcessExit&) {
        throw;  // the end of the program, not a failure
    } catch (const CFileException& error) {
        ReportFileException(error);
    } catch (const std::bad_alloc&) {
        AfxMessageBox(res::IDS_OUT_OF_MEMORY, MB_OK | MB_ICONEXCLAMATION);
    } catch (const std::exception& error) {
        // A defect must not end the program with the user's work in it.
        AfxMessageBox(DescribeUnexpectedError(error.what()), MB_OK | MB_ICONSTOP);
    } catch (...) {
        AfxMessageBox(DescribeUnexpectedError(nullptr), MB_OK | MB_ICONSTOP);
    }
}

bool CDialog::Route(Notify code, int id) {
    for (const MessageEntry& entry : GetMessageMap()) {
        const bool sameCode = entry.code == code ||
                              // A click reaches its owner as a command.
                              (code == Notify::Command && entry.code == Notify::Clicked) ||
                              (code == Notify::Clicked && entry.code == Notify::Command);
        if (sameCode && entry.id == id) {
            entry.handler(*this);
            return true;
        }
    }
    return false;
}

void CDialog::RouteCommand(int id) {
    if (Route(Notify::Command, id)) {
        return;
    }
    if (id == IDOK) {
        OnOK();
    } else if (id == IDCANCEL) {
        OnCancel();
    }
}

void CDialog::SendCommand(int id) {
    Guarded([&] { RouteCommand(id); });
}

void CDialog::SendNotify(Notify code, int id) {
    if (code == Notify::Clicked || code == Notify::Command) {
        SendCommand(id);
        return;
    }
    Guarded([&] { Route(code, id); });
}

void CDialog::SendSysCommand(UINT command) {
    Guarded([&] { OnSysCommand(command); });
}

void CDialog::ClickDlgItem(int id) {
    const ControlTemplate* c = FindControl(id);
    if (c == nullptr || !IsButton(c->kind) || !IsDlgItemEnabled(id)) {
        return;
    }
    if (c->kind == ControlKind::RadioButton) {
        CheckRadioButton(id);
    } else if (c->kind == ControlKind::CheckBox) {
        CheckDlgButton(id, !IsDlgButtonChecked(id));
    }
    SendCommand(id);
}

void CDialog::PressEnter() {
    const int focus = GetFocusId();
    const ControlTemplate* focused = FindControl(focus);
    if (focused != nullptr && focused->kind == ControlKind::PushButton) {
        ClickDlgItem(focus);
        return;
    }
    const auto isDefault = [](const ControlTemplate& c) {
        return c.kind == ControlKind::PushButton && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON &&
               c.id != IDC_STATIC;
    };
    const auto& controls = m_template->controls;
    const auto defaultButton = std::find_if(controls.begin(), controls.end(), isDefault);
    if (defaultButton == controls.end()) {
        SendCommand(IDOK);
    } else if (IsDlgItemEnabled(defaultButton->id)) {
        ClickDlgItem(defaultButton->id);
    } else {
        GetHost().Beep();
    }
}

void CDialog::PressEscape() {
    SendCommand(IDCANCEL);
}

std::vector<int> CDialog::RadioGroupOf(int id) const {
    // A group runs from a radio button with WS_GROUP, or after any other control, to the
    // next such start.
    std::vector<int> group;
    bool found = false;
    bool previousWasRadio = false;
    for (const ControlTemplate& c : m_template->controls) {
        const bool isRadio = c.kind == ControlKind::RadioButton;
        const bool starts = isRadio && (!previousWasRadio || (c.style & WS_GROUP) != 0);
        previousWasRadio = isRadio;
        if (starts || !isRadio) {
            if (found) {
                return group;
            }
            group.clear();
        }
        if (isRadio) {
            group.push_back(c.id);
            found = found || c.id == id;
        }
    }
    return found ? group : std::vector<int>{};
}

void CDialog::MoveInRadioGroup(int id, bool forward) {
    const std::vector<int> members = RadioGroupOf(id);
    const auto at = std::find(members.begin(), members.end(), id);
    if (at == members.end()) {
        return;
    }
    const std::size_t count = members.size();
    std::size_t index = static_cast<std::size_t>(at - members.begin());
    for (std::size_t step = 1; step < count; ++step) {
        index = (index + (forward ? 1 : count - 1)) % count;
        if (IsDlgItemEnabled(members[index])) {
            GotoDlgCtrl(members[index]);
            ClickDlgItem(members[index]);
            return;
        }
    }
}

void CDialog::DragAcceptFiles(bool accept) {
    Create();
    m_acceptsFiles = accept;
    m_peer->AcceptFiles(accept);
}

bool CDialog::DropFiles(const std::vector<std::string>& paths) {
    if (!m_acceptsFiles || IsInHandler() || m_ended) {
        return false;
    }
    Guarded([&] { OnDropFiles(paths); });
    return true;
}

void CDialog::OnDropFiles(const std::vector<std::string>&) {}

const ControlTemplate* CDialog::FindControl(int id) const {
    if (id == IDC_STATIC) {
        return nullptr;
    }
    for (const ControlTemplate& c : m_template->controls) {
        if (c.id == id) {
            return &c;
        }
    }
    return nullptr;
}

bool CDialog::HasDlgItem(int id) const {
    return FindControl(id) != nullptr;
}

UpDown* CDialog::FindUpDown(int id) {
    auto found = m_upDowns.find(id);
    return found == m_upDowns.end() ? nullptr : &found->second;
}

std::string CDialog::GetDlgItemText(int id) const {
    return HasDlgItem(id) && m_peer ? m_peer->Text(id) : std::string();
}

void CDialog::SetDlgItemText(int id, const std::string& text) {
    if (HasDlgItem(id)) {
        m_peer->SetText(id, text);
    }
}

void CDialog::EnableDlgItem(int id, bool enable) {
    if (HasDlgItem(id)) {
        m_peer->Enable(id, enable);
    }
}

bool CDialog::IsDlgItemEnabled(int id) const {
    return HasDlgItem(id) && m_peer->IsEnabled(id);
}

void CDialog::CheckDlgButton(int id, bool checked) {
    const ControlTemplate* c = FindControl(id);
    if (c != nullptr && IsButton(c->kind)) {
        m_peer->SetChecked(id, checked);
    }
}

void CDialog::CheckRadioButton(int id) {
    for (int member : RadioGroupOf(id)) {
        m_peer->SetChecked(member, member == id);
    }
}

bool CDialog::IsDlgButtonChecked(int id) const {
    const ControlTemplate* c = FindControl(id);
    return c != nullptr && IsButton(c->kind) && m_peer->IsChecked(id);
}

void CDialog::GotoDlgCtrl(int id) {
    if (HasDlgItem(id)) {
        m_peer->SetFocus(id);
    }
}

int CDialog::GetFocusId() const {
    return m_peer ? m_peer->FocusId() : IDC_STATIC;
}

namespace {
// A handle is only given on a control of its kind: asking for another is a defect, which
// the handlers' guard reports.
int IdOfKind(const CDialog& dialog, int id, ControlKind kind) {
    const ControlTemplate* c = dialog.FindControl(id);
    if (c == nullptr || c->kind != kind || !dialog.HasWindow()) {
        throw std::logic_error("no control " + std::to_string(id) + " of that kind");
    }
    return id;
}
}  // namespace

CComboBox CDialog::GetComboBox(int id) const {
    return CComboBox(*m_peer, IdOfKind(*this, id, ControlKind::ComboBox));
}

CListCtrl CDialog::GetListCtrl(int id) const {
    return CListCtrl(*m_peer, IdOfKind(*this, id, ControlKind::ListView));
}

CProgressCtrl CDialog::GetProgressCtrl(int id) const {
    return CProgressCtrl(const_cast<CDialog&>(*this), IdOfKind(*this, id, ControlKind::Progress));
}

CAnimateCtrl CDialog::GetAnimateCtrl(int id) const {
    return CAnimateCtrl(m_peer->Animation(IdOfKind(*this, id, ControlKind::Animation)));
}

CSpinButtonCtrl CDialog::GetSpinButtonCtrl(int id) const {
    IdOfKind(*this, id, ControlKind::UpDown);
    return CSpinButtonCtrl(*const_cast<CDialog&>(*this).FindUpDown(id));
}

void CDialog::SetWindowText(const std::string& caption) {
    m_peer->SetCaption(caption);
}

std::string CDialog::GetWindowText() const {
    return m_peer->Caption();
}

void CDialog::SetIcon(int iconId) {
    m_peer->SetIcon(iconId);
}

void CDialog::UpdateWindow() {
    m_peer->PaintNow();
    GetHost().PumpEvents();
}

CMenu& CDialog::GetSystemMenu() {
    if (m_systemMenu.Items().empty() && (m_template->style & WS_SYSMENU) != 0) {
        // The commands a window manager offers for a window of this kind.
        m_systemMenu.AppendMenu(CMenu::MF_GRAYED, SC_RESTORE, "&Restaurer");
        if ((m_template->style & WS_MINIMIZEBOX) != 0) {
            m_systemMenu.AppendMenu(CMenu::MF_STRING, SC_MINIMIZE, "Ré&duire");
        }
        m_systemMenu.AppendMenu(CMenu::MF_SEPARATOR);
        m_systemMenu.AppendMenu(CMenu::MF_STRING, SC_CLOSE, "&Fermer\tAlt+F4");
    }
    return m_systemMenu;
}

void CDialog::PaintClient(CDC& dc) {
    OnPaint(dc);
}

}  // namespace scx
