#pragma once
// A dialog template in the system's in-memory form (DLGTEMPLATE and its DLGITEMTEMPLATEs,
// texts in UTF-16), built at run time from the program's own templates: there is no
// second copy of them in a resource script.

#include <cstdint>
#include <vector>

#include "DialogTemplate.h"

namespace scx::win32 {

// The control class names the dialog manager knows by atom, and ours by name.
inline constexpr wchar_t kAnimationClass[] = L"ScindarexAnimation";

// The window class and style a control of `c`'s kind is created with: the template's
// style, with what the dialog layer does itself taken out (up-down buddies, wrapping and
// alignment, tab stops of controls that take no focus).
struct ItemClass {
    std::uint16_t atom = 0;         // 0x0080 button ... 0x0085 combo box; 0: by name
    const wchar_t* name = nullptr;  // when atom is 0
    win::DWORD style = 0;
};
ItemClass ClassOf(const ControlTemplate& c);

// The bytes of `t` for CreateDialogIndirectParamW, DWORD-aligned from the first byte.
std::vector<std::uint32_t> BuildTemplateBytes(const DialogTemplate& t);

}  // namespace scx::win32
