#pragma once
// Dialog and menu templates: the declarative description from which the dialog layer
// builds a window. A template is written like a resource script: rectangles in dialog
// units, Win32 style bits, controls in tab order.

#include <string_view>
#include <vector>

#include "WinDefs.h"

namespace scx {

enum class ControlKind {
    PushButton,   // BS_DEFPUSHBUTTON in the style makes it the default button
    CheckBox,     // automatic check box
    RadioButton,  // automatic radio button; WS_GROUP starts a new group
    GroupBox,
    Text,     // static text; SS_CENTER / SS_RIGHT align it
    Picture,  // static picture: SS_BITMAP or SS_ICON, image = resource id
    Edit,
    ComboBox,   // CBS_DROPDOWNLIST: a drop-down list, not editable
    ListView,   // LVS_REPORT
    Progress,   // range 0 to 100
    Animation,  // plays a clip of the resources
    UpDown,     // UDS_AUTOBUDDY: buddy is the control just before it
};

// Statics, frames and indicators never take the focus; the other kinds take it when
// their style has WS_TABSTOP, or when clicked.
constexpr bool TakesFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::GroupBox:
        case ControlKind::Text:
        case ControlKind::Picture:
        case ControlKind::Progress:
        case ControlKind::Animation:
        case ControlKind::UpDown:
            return false;
        default:
            return true;
    }
}

// The kinds a click acts on: push buttons, check boxes and radio buttons.
constexpr bool IsButton(ControlKind kind) {
    return kind == ControlKind::PushButton || kind == ControlKind::CheckBox ||
           kind == ControlKind::RadioButton;
}

struct Rect16 {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

struct ControlTemplate {
    ControlKind kind = ControlKind::Text;
    std::string_view text;
    int id = win::IDC_STATIC;
    Rect16 rect;
    win::DWORD style = 0;
    int image = 0;                        // Picture: bitmap or icon id
    std::vector<std::string_view> items;  // ComboBox: initialisation data
};

struct DialogTemplate {
    int id = 0;
    std::string_view caption;
    Rect16 rect;  // x and y are ignored: dialogs are centred
    win::DWORD style = 0;
    win::DWORD exStyle = 0;
    std::string_view fontName = "MS Sans Serif";
    int fontPoints = 8;
    int menu = 0;  // 0: no menu bar
    std::vector<ControlTemplate> controls;
};

struct MenuItemTemplate {
    std::string_view text;  // empty text: separator
    int command = 0;
    std::vector<MenuItemTemplate> popup;  // non-empty: a popup menu
};

struct MenuTemplate {
    int id = 0;
    std::vector<MenuItemTemplate> popups;
};

// Resource-script helpers. Each adds the default styles its resource-script statement
// implies; `Not(style)` removes one, as "NOT WS_BORDER" does in a script.
struct NotStyle {
    win::DWORD bits = 0;
};
constexpr NotStyle Not(win::DWORD bits) {
    return {bits};
}

namespace rc {
using namespace win;

inline ControlTemplate Make(ControlKind kind, std::string_view text, int id, int x, int y, int cx,
                            int cy, DWORD style, NotStyle remove = {}) {
    ControlTemplate c;
    c.kind = kind;
    c.text = text;
    c.id = id;
    c.rect = {x, y, cx, cy};
    c.style = style & ~remove.bits;
    return c;
}

inline ControlTemplate PushButton(std::string_view text, int id, int x, int y, int cx, int cy,
                                  DWORD style = 0, NotStyle remove = {}) {
    return Make(ControlKind::PushButton, text, id, x, y, cx, cy, WS_TABSTOP | style, remove);
}
inline ControlTemplate DefPushButton(std::string_view text, int id, int x, int y, int cx, int cy,
                                     DWORD style = 0, NotStyle remove = {}) {
    return Make(ControlKind::PushButton, text, id, x, y, cx, cy,
                WS_TABSTOP | BS_DEFPUSHBUTTON | style, remove);
}
inline ControlTemplate AutoCheckBox(std::string_view text, int id, int x, int y, int cx, int cy,
                                    DWORD style = 0, NotStyle remove = {}) {
    return Make(ControlKind::CheckBox, text, id, x, y, cx, cy, WS_TABSTOP | BS_AUTOCHECKBOX | style,
                remove);
}
inline ControlTemplate AutoRadioButton(std::string_view text, int id, int x, int y, int cx, int cy,
                                       DWORD style = 0, NotStyle remove = {}) {
    return Make(ControlKind::RadioButton, text, id, x, y, cx, cy, BS_AUTORADIOBUTTON | style,
                remove);
}
inline ControlTemplate GroupBox(std::string_view text, int id, int x, int y, int cx, int cy,
                                DWORD style = 0) {
    return Make(ControlKind::GroupBox, text, id, x, y, cx, cy, BS_GROUPBOX | style);
}
inline ControlTemplate LText(std::string_view text, int id, int x, int y, int cx, int cy,
                             DWORD style = 0) {
    return Make(ControlKind::Text, text, id, x, y, cx, cy, SS_LEFT | WS_GROUP | style);
}
inline ControlTemplate CText(std::string_view text, int id, int x, int y, int cx, int cy,
                             DWORD style = 0) {
    return Make(ControlKind::Text, text, id, x, y, cx, cy, SS_CENTER | WS_GROUP | style);
}
inline ControlTemplate Bitmap(int image, int id, int x, int y, int cx, int cy, DWORD style = 0) {
    ControlTemplate c = Make(ControlKind::Picture, {}, id, x, y, cx, cy, SS_BITMAP | style);
    c.image = image;
    return c;
}
inline ControlTemplate Icon(int image, int id, int x, int y, int cx = 20, int cy = 20) {
    ControlTemplate c = Make(ControlKind::Picture, {}, id, x, y, cx, cy, SS_ICON);
    c.image = image;
    return c;
}
inline ControlTemplate EditText(int id, int x, int y, int cx, int cy, DWORD style = 0,
                                NotStyle remove = {}) {
    return Make(ControlKind::Edit, {}, id, x, y, cx, cy, WS_TABSTOP | WS_BORDER | style, remove);
}
inline ControlTemplate ComboBox(int id, int x, int y, int cx, int cy, DWORD style,
                                std::vector<std::string_view> items = {}) {
    ControlTemplate c = Make(ControlKind::ComboBox, {}, id, x, y, cx, cy, WS_TABSTOP | style);
    c.items = std::move(items);
    return c;
}
inline ControlTemplate ListView(int id, int x, int y, int cx, int cy, DWORD style = 0) {
    return Make(ControlKind::ListView, {}, id, x, y, cx, cy,
                WS_TABSTOP | WS_BORDER | LVS_REPORT | style);
}
inline ControlTemplate Progress(int id, int x, int y, int cx, int cy, DWORD style = 0) {
    return Make(ControlKind::Progress, {}, id, x, y, cx, cy, WS_BORDER | style);
}
inline ControlTemplate Animation(int id, int x, int y, int cx, int cy, DWORD style = 0) {
    return Make(ControlKind::Animation, {}, id, x, y, cx, cy, WS_TABSTOP | style);
}
inline ControlTemplate UpDown(int id, int x, int y, int cx, int cy, DWORD style = 0) {
    return Make(ControlKind::UpDown, {}, id, x, y, cx, cy, UDS_AUTOBUDDY | style);
}

inline MenuItemTemplate MenuItem(std::string_view text, int command) {
    return {text, command, {}};
}
inline MenuItemTemplate Separator() {
    return {{}, 0, {}};
}
inline MenuItemTemplate Popup(std::string_view text, std::vector<MenuItemTemplate> items) {
    return {text, 0, std::move(items)};
}

}  // namespace rc
}  // namespace scx
