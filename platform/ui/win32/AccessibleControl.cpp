#include "AccessibleControl.h"

#include <atomic>
#include <string>
#include <unordered_map>

#include "Accessibility.h"
#include "Dialog.h"
#include "ResourceIds.h"
#include "Resources.h"
#include "Win32Paths.h"
#include "Win32Window.h"

// After our headers: see SystemHeaders.h.
#include "SystemHeaders.h"

#include <oleacc.h>

namespace scx::win32 {

namespace {

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The template's kind is what the control is: wine's standard object calls every control
// a client area.
LONG RoleOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::PushButton:
            return ROLE_SYSTEM_PUSHBUTTON;
        case ControlKind::CheckBox:
            return ROLE_SYSTEM_CHECKBUTTON;
        case ControlKind::RadioButton:
            return ROLE_SYSTEM_RADIOBUTTON;
        case ControlKind::GroupBox:
            return ROLE_SYSTEM_GROUPING;
        case ControlKind::Text:
            return ROLE_SYSTEM_STATICTEXT;
        case ControlKind::Picture:
            return ROLE_SYSTEM_GRAPHIC;
        case ControlKind::Edit:
            return ROLE_SYSTEM_TEXT;
        case ControlKind::ComboBox:
            return ROLE_SYSTEM_COMBOBOX;
        case ControlKind::ListView:
            return ROLE_SYSTEM_LIST;
        case ControlKind::Progress:
            return ROLE_SYSTEM_PROGRESSBAR;
        case ControlKind::Animation:
            return ROLE_SYSTEM_ANIMATION;
        case ControlKind::UpDown:
            return ROLE_SYSTEM_SPINBUTTON;
    }
    return ROLE_SYSTEM_CLIENT;
}

HRESULT Answer(const std::wstring& text, BSTR* out) {
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// The system's accessible object of a control, with what the dialog layer decides for the
// control itself; its parts (a list's rows, a combo box's button) stay the system's.
class AccessibleControl final : public IAccessible {
  public:
    AccessibleControl(HWND control, std::size_t index, IAccessible* standard)
        : m_control(control), m_index(index), m_standard(standard) {}
    ~AccessibleControl() { m_standard->Release(); }
    AccessibleControl(const AccessibleControl&) = delete;
    AccessibleControl& operator=(const AccessibleControl&) = delete;

    // IUnknown.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // IDispatch.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return m_standard->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT which, LCID locale, ITypeInfo** info) override {
        return m_standard->GetTypeInfo(which, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return m_standard->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) override {
        return m_standard->Invoke(member, iid, locale, flags, parameters, result, exception,
                                  argumentError);
    }

    // IAccessible: what the dialog layer decides.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        const ControlTemplate* c = IsSelf(child) ? Control() : nullptr;
        if (c == nullptr) {
            return m_standard->get_accName(child, name);
        }
        const AccessibleNaming naming = NamingOf(Window()->Owner().Template(), *c);
        if (!naming.name.empty()) {
            return Answer(Widen(naming.name), name);
        }
        if (naming.followsOwnText) {
            return Answer(WindowText(m_control), name);
        }
        if (IsButton(c->kind)) {
            return Answer(Widen(WithoutMnemonic(Narrow(WindowText(m_control)))), name);
        }
        return m_standard->get_accName(child, name);
    }

    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        const ControlTemplate* c = IsSelf(child) ? Control() : nullptr;
        if (c != nullptr && c->kind == ControlKind::Edit) {
            return Answer(WindowText(m_control), value);  // as Windows does for an edit
        }
        return m_standard->get_accValue(child, value);
    }

    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        const ControlTemplate* c = IsSelf(child) ? Control() : nullptr;
        if (c == nullptr) {
            return m_standard->get_accRole(child, role);
        }
        role->vt = VT_I4;
        role->lVal = RoleOf(c->kind);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT result = m_standard->get_accState(child, state);
        const ControlTemplate* c = IsSelf(child) ? Control() : nullptr;
        if (c == nullptr || FAILED(result)) {
            return result;
        }
        LONG bits = state->vt == VT_I4 ? state->lVal : 0;
        bits &= ~(STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_CHECKED);
        if (!IsWindowEnabled(m_control)) {
            bits |= STATE_SYSTEM_UNAVAILABLE;
        }
        if ((c->kind == ControlKind::CheckBox || c->kind == ControlKind::RadioButton) &&
            SendMessageW(m_control, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            bits |= STATE_SYSTEM_CHECKED;
        }
        if (c->kind == ControlKind::Edit &&
            (GetWindowLongW(m_control, GWL_STYLE) & ES_READONLY) != 0) {
            bits |= STATE_SYSTEM_READONLY;
        }
        state->vt = VT_I4;
        state->lVal = bits;
        return S_OK;
    }

    // A button's action is the dialog's click (ClickDlgItem): nothing when disabled, a
    // radio group kept to one choice, the handler run. It is posted, so that a reader
    // waiting for the call is not held while the handler runs.
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        const ControlTemplate* c = IsSelf(child) ? Control() : nullptr;
        if (c == nullptr || !IsButton(c->kind)) {
            return m_standard->get_accDefaultAction(child, action);
        }
        *action = nullptr;
        if (!IsWindowEnabled(m_control)) {
            return S_FALSE;
        }
        unsigned text = res::IDS_ACCESSIBLE_PRESS;
        if (c->kind == ControlKind::CheckBox &&
            SendMessageW(m_control, BM_GETCHECK, 0, 0) == BST_CHECKED) {
            text = res::IDS_ACCESSIBLE_UNCHECK;
        } else if (c->kind != ControlKind::PushButton) {
            text = res::IDS_ACCESSIBLE_CHECK;
        }
        return Answer(Widen(res::LoadString(text)), action);
    }

    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        const ControlTemplate* c = IsSelf(child) ? Control() : nullptr;
        if (c == nullptr || !IsButton(c->kind)) {
            return m_standard->accDoDefaultAction(child);
        }
        if (!IsWindowEnabled(m_control)) {
            return DISP_E_MEMBERNOTFOUND;
        }
        Window()->PostClick(c->id);
        return S_OK;
    }

    // IAccessible: the system's.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return m_standard->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return m_standard->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return m_standard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return m_standard->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return m_standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return m_standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return m_standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return m_standard->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return m_standard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return m_standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return m_standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return m_standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return m_standard->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return m_standard->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return m_standard->put_accValue(child, value);
    }

  private:
    // A reader may hold the object after its window is gone: the system's then answers.
    Win32Window* Window() const {
        return IsWindow(m_control) ? Win32Window::FromHandle(m_control) : nullptr;
    }
    const ControlTemplate* Control() const {
        const Win32Window* window = Window();
        if (window == nullptr) {
            return nullptr;
        }
        const auto& controls = window->Owner().Template().controls;
        return m_index < controls.size() ? &controls[m_index] : nullptr;
    }

    HWND m_control;
    std::size_t m_index;
    IAccessible* m_standard;
    std::atomic<ULONG> m_references{1};
};

struct AnsweringControl {
    WNDPROC procedure;  // the control's own
    std::size_t index;
};

// By window, looked up for every message the control gets. (Not SetWindowSubclass: under
// wine it looks its chain up in a window property, a call to the server, on every message,
// which made adding 20000 rows to a list four times slower.)
std::unordered_map<HWND, AnsweringControl>& AnsweringControls() {
    static std::unordered_map<HWND, AnsweringControl> controls;
    return controls;
}

LRESULT CALLBACK AnswerReaders(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto found = AnsweringControls().find(control);
    const AnsweringControl answering = found->second;
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        // The answer is marshalled through COM, which the window's thread then needs; the
        // first request starts it there for the rest of the program.
        thread_local const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        (void)com;
        IAccessible* standard = nullptr;
        if (SUCCEEDED(CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible),
                                                reinterpret_cast<void**>(&standard)))) {
            auto* accessible = new AccessibleControl(control, answering.index, standard);
            const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, accessible);
            accessible->Release();
            return result;
        }
    } else if (message == WM_NCDESTROY) {
        AnsweringControls().erase(found);
    }
    return CallWindowProcW(answering.procedure, control, message, wParam, lParam);
}

}  // namespace

void AnswerAssistiveTechnologies(Hwnd control, std::size_t index) {
    AnsweringControls()[control] = {
        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC)), index};
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AnswerReaders));
}

}  // namespace scx::win32
