// What a screen reader meets, through MSAA: each control's object asked of the window
// (WM_GETOBJECT) as a reader asks it.
#include <memory>
#include <stdexcept>
#include <string>

#include "Dialog.h"
#include "ScreenReader.h"
#include "Win32Paths.h"
#include "Win32Window.h"

// After our headers: see SystemHeaders.h.
#include "SystemHeaders.h"

#include <oleacc.h>

namespace scx::testkit {

namespace {

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
using Accessible = std::unique_ptr<IAccessible, Releaser>;

Accessible AccessibleOf(const CDialog& dialog, int id) {
    static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)com;
    HWND control = static_cast<win32::Win32Window&>(dialog.Peer()).Control(id);
    IAccessible* accessible = nullptr;
    const HRESULT result = AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible),
                                                      reinterpret_cast<void**>(&accessible));
    if (FAILED(result) || accessible == nullptr) {
        throw std::runtime_error("no accessible object for control " + std::to_string(id) +
                                 ": error " + std::to_string(result));
    }
    return Accessible(accessible);
}

VARIANT Self() {
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

std::string Text(HRESULT result, BSTR text) {
    std::string narrow;
    if (SUCCEEDED(result) && text != nullptr) {
        narrow = win32::Narrow(std::wstring(text, SysStringLen(text)));
    }
    SysFreeString(text);
    return narrow;
}

LONG State(const CDialog& dialog, int id) {
    VARIANT state;
    VariantInit(&state);
    const HRESULT result = AccessibleOf(dialog, id)->get_accState(Self(), &state);
    return SUCCEEDED(result) && state.vt == VT_I4 ? state.lVal : 0;
}

}  // namespace

std::string AccessibleName(const CDialog& dialog, int id) {
    BSTR name = nullptr;
    const HRESULT result = AccessibleOf(dialog, id)->get_accName(Self(), &name);
    return Text(result, name);
}

std::string AccessibleValue(const CDialog& dialog, int id) {
    BSTR value = nullptr;
    const HRESULT result = AccessibleOf(dialog, id)->get_accValue(Self(), &value);
    return Text(result, value);
}

AccessibleRole AccessibleRoleOf(const CDialog& dialog, int id) {
    VARIANT role;
    VariantInit(&role);
    if (FAILED(AccessibleOf(dialog, id)->get_accRole(Self(), &role)) || role.vt != VT_I4) {
        return AccessibleRole::Other;
    }
    switch (role.lVal) {
        case ROLE_SYSTEM_PUSHBUTTON:
            return AccessibleRole::PushButton;
        case ROLE_SYSTEM_CHECKBUTTON:
            return AccessibleRole::CheckBox;
        case ROLE_SYSTEM_RADIOBUTTON:
            return AccessibleRole::RadioButton;
        case ROLE_SYSTEM_COMBOBOX:
            return AccessibleRole::ComboBox;
        case ROLE_SYSTEM_TEXT:
            return AccessibleRole::Edit;
        default:
            return AccessibleRole::Other;
    }
}

bool IsAccessibleChecked(const CDialog& dialog, int id) {
    return (State(dialog, id) & STATE_SYSTEM_CHECKED) != 0;
}

bool IsAccessibleDisabled(const CDialog& dialog, int id) {
    return (State(dialog, id) & STATE_SYSTEM_UNAVAILABLE) != 0;
}

bool DoAccessibleAction(CDialog& dialog, int id, AccessibleAction) {
    Accessible accessible = AccessibleOf(dialog, id);
    // A reader learns whether there is an action from its name.
    BSTR name = nullptr;
    const HRESULT named = accessible->get_accDefaultAction(Self(), &name);
    if (Text(named, name).empty() || FAILED(accessible->accDoDefaultAction(Self()))) {
        return false;
    }
    // The action is carried out by the window's loop once the reader's call has returned.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        win32::DispatchDialogMessage(message);
    }
    return true;
}

}  // namespace scx::testkit
