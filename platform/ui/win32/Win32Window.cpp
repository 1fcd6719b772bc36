#include "Win32Window.h"

#include <climits>
#include <set>

#include "AccessibleControl.h"
#include "AnimationControl.h"
#include "Dialog.h"
#include "ResourceName.h"
#include "Resources.h"
#include "StagedFile.h"
#include "TemplateBytes.h"
#include "Win32Dc.h"
#include "Win32Paths.h"

// After our headers: see SystemHeaders.h.
#include "SystemHeaders.h"

namespace scx::win32 {

namespace {

std::set<HWND> g_windows;
// Posted to a window whose lists have rows the controls do not count yet.
constexpr UINT kSyncListsMessage = WM_APP + 1;
// Posted with a button's id when a screen reader presses it.
constexpr UINT kAccessibleClickMessage = WM_APP + 2;
bool g_waitCursor = false;

// A multi-line edit breaks lines at CR LF only.
std::wstring WithCrLf(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) {
            out += L'\r';
        }
        out += text[i];
    }
    return out;
}

HMENU BuildMenu(const MenuTemplate& menu) {
    HMENU bar = CreateMenu();
    for (const MenuItemTemplate& popup : menu.popups) {
        HMENU items = CreatePopupMenu();
        for (const MenuItemTemplate& item : popup.popup) {
            if (item.text.empty()) {
                AppendMenuW(items, MF_SEPARATOR, 0, nullptr);
            } else {
                AppendMenuW(items, MF_STRING, static_cast<UINT_PTR>(item.command),
                            Widen(std::string(item.text)).c_str());
            }
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(items),
                    Widen(std::string(popup.text)).c_str());
    }
    return bar;
}

bool IsKind(const CDialog& dialog, int id, ControlKind kind) {
    const ControlTemplate* c = dialog.FindControl(id);
    return c != nullptr && c->kind == kind;
}

}  // namespace

Win32Window::Win32Window(CDialog& owner) : m_owner(owner), m_focusId(win::IDC_STATIC) {
    AnimationControl::RegisterWindowClass();
    // Owned by the active window of ours, so that it stays above it.
    HWND active = GetActiveWindow();
    m_ownerWindow = g_windows.count(active) != 0 ? active : nullptr;
    const std::vector<std::uint32_t> bytes = BuildTemplateBytes(owner.Template());
    m_window = CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), m_ownerWindow,
        &Win32Window::Procedure, reinterpret_cast<LPARAM>(this));
    if (m_window == nullptr) {
        throw std::runtime_error("cannot create dialog " + std::to_string(owner.TemplateId()));
    }
    g_windows.insert(m_window);
    SetUpControls();
    AttachMenu();
}

Win32Window::~Win32Window() {
    m_animations.clear();
    g_windows.erase(m_window);
    SetWindowLongPtrW(m_window, DWLP_USER, 0);
    DestroyWindow(m_window);
}

Win32Window* Win32Window::FromHandle(Hwnd window) {
    HWND root = window != nullptr ? GetAncestor(window, GA_ROOT) : nullptr;
    if (g_windows.count(root) == 0) {
        return nullptr;
    }
    return reinterpret_cast<Win32Window*>(GetWindowLongPtrW(root, DWLP_USER));
}

Hwnd Win32Window::Control(int id) const {
    const auto found = m_controls.find(id);
    return found == m_controls.end() ? nullptr : found->second;
}

void Win32Window::SetUpControls() {
    // The dialog manager creates the controls in template order; statics share one id.
    HWND control = GetWindow(m_window, GW_CHILD);
    const std::vector<ControlTemplate>& controls = m_owner.Template().controls;
    for (std::size_t index = 0; index < controls.size() && control != nullptr; ++index) {
        const ControlTemplate& c = controls[index];
        if (c.id != win::IDC_STATIC) {
            m_controls.emplace(c.id, control);
        }
        AnswerAssistiveTechnologies(control, index);
        switch (c.kind) {
            case ControlKind::ComboBox:
                for (std::string_view item : c.items) {
                    SendMessageW(control, CB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(Widen(std::string(item)).c_str()));
                }
                break;
            case ControlKind::ListView:
                SendMessageW(control, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                             LVS_EX_FULLROWSELECT);
                m_lists[c.id];
                break;
            case ControlKind::Animation:
                m_animations[c.id] = std::make_unique<AnimationControl>(control);
                break;
            case ControlKind::Picture:
                m_pictures[control] = std::make_unique<Picture>(res::ImagePath(c.image));
                break;
            case ControlKind::UpDown:
                // A range wide enough that every arrow is reported (UDN_DELTAPOS); the
                // dialog layer keeps the real one.
                SendMessageW(control, UDM_SETRANGE32, static_cast<WPARAM>(INT_MIN / 2),
                             INT_MAX / 2);
                SendMessageW(control, UDM_SETPOS32, 0, 0);
                if (UpDown* updown = m_owner.FindUpDown(c.id);
                    updown != nullptr && updown->BuddyId() != win::IDC_STATIC) {
                    SendMessageW(control, UDM_SETBUDDY,
                                 reinterpret_cast<WPARAM>(Control(updown->BuddyId())), 0);
                }
                break;
            default:
                break;
        }
        control = GetWindow(control, GW_HWNDNEXT);
    }
}

void Win32Window::AttachMenu() {
    const DialogTemplate& t = m_owner.Template();
    const MenuTemplate* menu = t.menu != 0 ? res::FindMenu(t.menu) : nullptr;
    if (menu == nullptr) {
        return;
    }
    // The menu bar takes its height from the window, not from the client area.
    RECT client{0, 0, t.rect.cx, t.rect.cy};
    MapDialogRect(m_window, &client);
    SetMenu(m_window, BuildMenu(*menu));
    RECT frame = client;
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(m_window, GWL_STYLE)), TRUE,
                       static_cast<DWORD>(GetWindowLongW(m_window, GWL_EXSTYLE)));
    SetWindowPos(m_window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window.

void Win32Window::SetCaption(const std::string& caption) {
    SetWindowTextW(m_window, Widen(caption).c_str());
}

std::string Win32Window::Caption() const {
    return Narrow(WindowText(m_window));
}

void Win32Window::SetIcon(int iconId) {
    const std::wstring name = res::ResourceNameOf(res::ImagePath(iconId));
    HINSTANCE module = GetModuleHandleW(nullptr);
    for (const auto& [which, metric] :
         {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
        const int size = GetSystemMetrics(metric);
        HANDLE icon = LoadImageW(module, name.c_str(), IMAGE_ICON, size, size, LR_SHARED);
        SendMessageW(m_window, WM_SETICON, static_cast<WPARAM>(which),
                     reinterpret_cast<LPARAM>(icon));
    }
}

void Win32Window::PaintNow() {
    SyncLists();
    // The client area is drawn anew (OnPaint may show other values); the controls
    // repaint what they changed.
    InvalidateRect(m_window, nullptr, TRUE);
    RedrawWindow(m_window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Win32Window::Show() {
    if (!m_positioned) {
        // Centred on the window that owns it, else on the screen.
        RECT frame;
        GetWindowRect(m_window, &frame);
        RECT area;
        if (m_ownerWindow != nullptr) {
            GetWindowRect(m_ownerWindow, &area);
        } else {
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        }
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        SetWindowPos(m_window, nullptr, area.left + (area.right - area.left - width) / 2,
                     area.top + (area.bottom - area.top - height) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_positioned = true;
    }
    ShowWindow(m_window, SW_SHOW);
    SetForegroundWindow(m_window);
    SetActiveWindow(m_window);
    if (m_focusId != win::IDC_STATIC && !IsChild(m_window, GetFocus())) {
        SetFocus(m_focusId);
    }
}

void Win32Window::Hide() {
    ShowWindow(m_window, SW_HIDE);
    if (m_ownerWindow != nullptr) {
        SetActiveWindow(m_ownerWindow);
    }
}

void Win32Window::EndModal(int) {
    // Wakes the modal loop, which ends once the dialog is.
    PostMessageW(m_window, WM_NULL, 0, 0);
}

void Win32Window::ShowMinimized() {
    ShowWindow(m_window, SW_MINIMIZE);
}

void Win32Window::ShowNormal() {
    ShowWindow(m_window, SW_RESTORE);
}

void Win32Window::PostClick(int id) {
    PostMessageW(m_window, kAccessibleClickMessage, static_cast<WPARAM>(id), 0);
}

void Win32Window::AcceptFiles(bool accept) {
    DragAcceptFiles(m_window, accept ? TRUE : FALSE);
}

// Any control.

std::string Win32Window::Text(int id) const {
    return Narrow(WindowText(Control(id)));
}

void Win32Window::SetText(int id, const std::string& text) {
    if (IsKind(m_owner, id, ControlKind::ComboBox)) {
        return;  // a drop-down list shows its selection
    }
    SetWindowTextW(Control(id), WithCrLf(Widen(text)).c_str());
}

void Win32Window::Enable(int id, bool enable) {
    EnableWindow(Control(id), enable ? TRUE : FALSE);
}

bool Win32Window::IsEnabled(int id) const {
    return IsWindowEnabled(Control(id)) != FALSE;
}

void Win32Window::SetChecked(int id, bool checked) {
    SendMessageW(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32Window::IsChecked(int id) const {
    return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Window::SetFocus(int id) {
    m_focusId = id;
    SendMessageW(m_window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(id)), TRUE);
}

int Win32Window::FocusId() const {
    HWND focus = GetFocus();
    // A combo box's edit or a list's header stands for its control.
    while (focus != nullptr && GetParent(focus) != m_window) {
        focus = GetParent(focus);
    }
    return focus != nullptr ? GetDlgCtrlID(focus) : win::IDC_STATIC;
}

// Combo boxes.

int Win32Window::ComboCount(int id) const {
    return static_cast<int>(SendMessageW(Control(id), CB_GETCOUNT, 0, 0));
}

int Win32Window::ComboSelection(int id) const {
    return static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0));
}

void Win32Window::SelectComboItem(int id, int index) {
    SendMessageW(Control(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string Win32Window::ComboItem(int id, int index) const {
    HWND combo = Control(id);
    std::wstring text(static_cast<std::size_t>(
                          SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0)) +
                          1,
                      L'\0');
    text.resize(static_cast<std::size_t>(SendMessageW(
        combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()))));
    return Narrow(text);
}

void Win32Window::AddComboItem(int id, const std::string& text) {
    SendMessageW(Control(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

void Win32Window::DeleteComboItem(int id, int index) {
    SendMessageW(Control(id), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

// List views: the rows are the layer's; the control (LVS_OWNERDATA) keeps their count,
// the columns and the selection, and asks for a cell's text as it draws it.

int Win32Window::ListColumnCount(int id) const {
    return m_lists.at(id).ColumnCount();
}

void Win32Window::InsertListColumn(int id, int column, const std::string& heading, int width) {
    m_lists.at(id).InsertColumn(column, heading);
    std::wstring text = Widen(heading);
    LVCOLUMNW item{};
    item.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    item.fmt = LVCFMT_LEFT;
    item.cx = width >= 0 ? width : 100;
    item.pszText = text.data();
    SendMessageW(Control(id), LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&item));
}

std::string Win32Window::ListColumnHeading(int id, int column) const {
    return m_lists.at(id).Heading(column);
}

int Win32Window::ListColumnWidth(int id, int column) const {
    return static_cast<int>(
        SendMessageW(Control(id), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

int Win32Window::ListRowCount(int id) const {
    return m_lists.at(id).RowCount();
}

void Win32Window::InsertListRow(int id, int row, const std::string& text) {
    const int at = m_lists.at(id).InsertRow(row, text);
    ResizeList(id, at, +1);
}

void Win32Window::SetListText(int id, int row, int column, const std::string& text) {
    m_lists.at(id).SetText(row, column, text);
    // Only a row in view needs drawing again.
    HWND list = Control(id);
    const auto top = SendMessageW(list, LVM_GETTOPINDEX, 0, 0);
    if (row >= top && row <= top + SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0)) {
        SendMessageW(list, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
    }
}

std::string Win32Window::ListText(int id, int row, int column) const {
    return m_lists.at(id).Text(row, column);
}

void Win32Window::DeleteListRow(int id, int row) {
    if (SendMessageW(Control(id), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) != 0) {
        SelectListRow(id, row, false);
    }
    m_lists.at(id).RemoveRow(row);
    ResizeList(id, row, -1);
}

void Win32Window::DeleteAllListRows(int id) {
    m_lists.at(id).RemoveAllRows();
    SelectListRow(id, -1, false);
    ResizeList(id, 0, 0);
}

void Win32Window::ResizeList(int id, int at, int change) {
    // The control keeps its selection by index: rows after `at` move with the change.
    std::vector<int> moved;
    if (change != 0 && SendMessageW(Control(id), LVM_GETNEXTITEM, static_cast<WPARAM>(at - 1),
                                    LVNI_SELECTED) >= 0) {
        moved = SelectedListRows(id);
        SelectListRow(id, -1, false);
    }
    // Telling the control each new count costs more than the row itself: it is told once
    // the handler is done, or before its selection is next used.
    m_staleLists.insert(id);
    if (!moved.empty()) {
        for (int row : moved) {
            SelectListRow(id, row >= at ? row + change : row, true);
        }
    } else if (!m_syncPosted) {
        m_syncPosted = PostMessageW(m_window, kSyncListsMessage, 0, 0) != FALSE;
    }
}

void Win32Window::SyncList(int id) const {
    if (m_staleLists.erase(id) != 0) {
        SendMessageW(Control(id), LVM_SETITEMCOUNT, static_cast<WPARAM>(m_lists.at(id).RowCount()),
                     LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    }
}

void Win32Window::SyncLists() const {
    while (!m_staleLists.empty()) {
        SyncList(*m_staleLists.begin());
    }
}

std::vector<int> Win32Window::SelectedListRows(int id) const {
    SyncList(id);
    std::vector<int> rows;
    HWND list = Control(id);
    for (auto row = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
         row >= 0;
         row = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED)) {
        rows.push_back(static_cast<int>(row));
    }
    return rows;
}

void Win32Window::SelectListRow(int id, int row, bool selected) {
    SyncList(id);
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = selected ? LVIS_SELECTED : 0;
    // Row -1 is every row, for the system too.
    SendMessageW(Control(id), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

// Progress bars.

void Win32Window::SetProgressRange(int id, int lower, int upper) {
    SendMessageW(Control(id), PBM_SETRANGE32, static_cast<WPARAM>(lower), upper);
}

int Win32Window::ProgressLower(int id) const {
    return static_cast<int>(SendMessageW(Control(id), PBM_GETRANGE, TRUE, 0));
}

int Win32Window::ProgressUpper(int id) const {
    return static_cast<int>(SendMessageW(Control(id), PBM_GETRANGE, FALSE, 0));
}

void Win32Window::SetProgressPos(int id, int position) {
    SendMessageW(Control(id), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

int Win32Window::ProgressPos(int id) const {
    return static_cast<int>(SendMessageW(Control(id), PBM_GETPOS, 0, 0));
}

AnimationPlayer& Win32Window::Animation(int id) {
    return m_animations.at(id)->Player();
}

// Messages.

void Win32Window::OnCommand(int id, int code, Hwnd control) {
    if (control == nullptr) {
        if (code == 0) {
            m_owner.SendCommand(id);  // a menu command
        }
        return;
    }
    const ControlTemplate* c = m_owner.FindControl(id);
    if (c == nullptr) {
        return;
    }
    switch (c->kind) {
        case ControlKind::PushButton:
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            if (code == BN_CLICKED) {
                if (c->kind == ControlKind::RadioButton) {
                    m_owner.CheckRadioButton(id);
                }
                m_owner.SendNotify(Notify::Clicked, id);
            }
            break;
        case ControlKind::ComboBox:
            if (code == CBN_SELCHANGE) {
                m_owner.SendNotify(Notify::SelChange, id);
            } else if (code == CBN_EDITCHANGE) {
                m_owner.SendNotify(Notify::EditChange, id);
            }
            break;
        case ControlKind::Edit:
            // Only to another control of this window: not to a message box or another
            // program.
            if (code == EN_KILLFOCUS && IsChild(m_window, GetFocus()) && !m_owner.IsEnded()) {
                m_owner.SendNotify(Notify::KillFocus, id);
            }
            break;
        default:
            break;
    }
}

bool Win32Window::OnNotify(long long lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code == LVN_GETDISPINFOW) {
        auto* cell = reinterpret_cast<NMLVDISPINFOW*>(lParam);
        const auto list = m_lists.find(static_cast<int>(header->idFrom));
        if (list != m_lists.end() && (cell->item.mask & LVIF_TEXT) != 0 &&
            cell->item.cchTextMax > 0) {
            m_shownCell = Widen(list->second.Shown(cell->item.iItem, cell->item.iSubItem));
            m_shownCell.resize(
                std::min(m_shownCell.size(), static_cast<std::size_t>(cell->item.cchTextMax - 1)));
            std::copy(m_shownCell.begin(), m_shownCell.end(), cell->item.pszText);
            cell->item.pszText[m_shownCell.size()] = L'\0';
        }
        return false;
    }
    if (header->code != UDN_DELTAPOS) {
        return false;
    }
    const auto* change = reinterpret_cast<const NMUPDOWN*>(lParam);
    if (UpDown* updown = m_owner.FindUpDown(static_cast<int>(header->idFrom))) {
        if (IsWindowEnabled(header->hwndFrom)) {
            updown->Step(change->iDelta > 0 ? +1 : -1);
        }
    }
    return true;  // the control keeps no position of its own
}

void Win32Window::Paint(Hdc dc) {
    Win32Dc context(dc, m_window);
    m_owner.PaintClient(context);
}

bool Win32Window::Handle(unsigned message, unsigned long long wParam, long long lParam,
                         long long& result) {
    if (message == kSyncListsMessage) {
        m_syncPosted = false;
        SyncLists();
        return true;
    }
    if (message == kAccessibleClickMessage) {
        // While a handler runs, a click from outside would start another inside it.
        if (!m_owner.IsInHandler()) {
            m_owner.ClickDlgItem(static_cast<int>(wParam));
        }
        return true;
    }
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return true;
        case WM_NOTIFY:
            result = OnNotify(lParam) ? TRUE : FALSE;
            return result != FALSE;
        case WM_SYSCOMMAND: {
            const UINT command = static_cast<UINT>(wParam & 0xFFF0);
            bool ours = command == SC_CLOSE;
            for (const CMenu::Item& item : m_owner.SystemMenu().Items()) {
                ours = ours || (item.command == static_cast<UINT>(wParam) && command != SC_RESTORE);
            }
            if (ours) {
                m_owner.SendSysCommand(static_cast<UINT>(wParam));
            }
            return ours;
        }
        case WM_INITMENUPOPUP:
            if (HIWORD(lParam) != 0) {
                // The system menu also holds the commands the dialog added to it.
                HMENU menu = reinterpret_cast<HMENU>(wParam);
                for (const CMenu::Item& item : m_owner.SystemMenu().Items()) {
                    if ((item.flags & MF_SEPARATOR) == 0 &&
                        GetMenuState(menu, item.command, MF_BYCOMMAND) == static_cast<UINT>(-1)) {
                        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
                        AppendMenuW(menu, MF_STRING, item.command, Widen(item.text).c_str());
                    }
                }
            }
            return false;
        case WM_ENDSESSION:
            // The session ends while an operation may be writing: its temporary files go
            // with it, as when the command-line tool is interrupted.
            if (wParam != FALSE) {
                RemoveStagedFilesNow();
            }
            result = 0;
            return true;
        case WM_CLOSE:
            if (!m_owner.IsEnded()) {
                m_owner.SendSysCommand(SC_CLOSE);
            }
            return true;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(m_window, &paint);
            Paint(dc);
            EndPaint(m_window, &paint);
            return true;
        }
        case WM_PRINTCLIENT: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            RECT client;
            GetClientRect(m_window, &client);
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
            Paint(dc);
            return true;
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            const auto found = m_pictures.find(item->hwndItem);
            if (found == m_pictures.end()) {
                return false;
            }
            FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
            found->second->Draw(item->hDC, item->rcItem.left, item->rcItem.top);
            result = TRUE;
            return true;
        }
        case WM_DROPFILES: {
            HDROP drop = reinterpret_cast<HDROP>(wParam);
            std::vector<std::string> paths;
            const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
            for (UINT i = 0; i < count; ++i) {
                std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
                path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
                paths.push_back(Narrow(path));
            }
            DragFinish(drop);
            result = m_owner.DropFiles(paths) ? TRUE : FALSE;
            return true;
        }
        case WM_SETCURSOR:
            if (g_waitCursor) {
                SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // IDC_WAIT
                result = TRUE;
                return true;
            }
            return false;
        default:
            return false;
    }
}

long long __stdcall Win32Window::Procedure(Hwnd window, unsigned message, unsigned long long wParam,
                                           long long lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Win32Window*>(lParam);
        self->m_window = window;
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        return FALSE;  // the dialog layer sets the first focus
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, DWLP_USER));
    long long result = 0;
    if (self == nullptr || !self->Handle(message, wParam, lParam, result)) {
        return FALSE;
    }
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

void DispatchDialogMessage(MSG& message) {
    Win32Window* window = Win32Window::FromHandle(message.hwnd);
    if (window != nullptr && (message.message == WM_KEYDOWN || message.message == WM_CHAR)) {
        CDialog& owner = window->Owner();
        const int id = GetDlgCtrlID(message.hwnd);
        const ControlTemplate* c =
            GetParent(message.hwnd) == window->Handle() ? owner.FindControl(id) : nullptr;
        const bool modified = GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0;
        // A dropped-down list takes Enter and Escape for itself, to close.
        const bool droppedList = c != nullptr && c->kind == ControlKind::ComboBox &&
                                 SendMessageW(message.hwnd, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
        const bool wantsReturn = droppedList || (c != nullptr && c->kind == ControlKind::Edit &&
                                                 (c->style & ES_WANTRETURN) != 0);
        const WPARAM key = message.wParam;
        if (message.message == WM_CHAR) {
            // The characters of the keys handled below reach no control.
            if ((key == L'\r' && !wantsReturn) || (key == 0x1B && !droppedList)) {
                return;
            }
        } else if (key == VK_ESCAPE && !droppedList) {
            owner.PressEscape();
            return;
        } else if (key == VK_RETURN && !wantsReturn && !modified) {
            owner.PressEnter();
            return;
        } else if (c != nullptr && c->kind == ControlKind::RadioButton && !modified &&
                   (key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT)) {
            owner.MoveInRadioGroup(id, key == VK_DOWN || key == VK_RIGHT);
            return;
        }
    }
    if (window == nullptr || !IsDialogMessageW(window->Handle(), &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void SetWaitCursorShown(bool shown) {
    g_waitCursor = shown;
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(shown ? 32514 : 32512)));
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace scx::win32

namespace scx {

std::unique_ptr<DialogPeer> CreateDialogPeer(CDialog& owner) {
    return std::make_unique<win32::Win32Window>(owner);
}

}  // namespace scx
