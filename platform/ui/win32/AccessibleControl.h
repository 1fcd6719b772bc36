#pragma once
// What screen readers meet in a control of our dialogs (MSAA): the system's own accessible
// object, with the names of Accessibility.h, the role and state the template and the
// control tell, and buttons whose default action is the dialog's own click, run once the
// reader's call has returned.

#include <cstddef>

#include "Handles.h"

namespace scx::win32 {

// Makes `control`, built from control `index` of its dialog's template, answer readers
// (WM_GETOBJECT) for as long as it lives.
void AnswerAssistiveTechnologies(Hwnd control, std::size_t index);

}  // namespace scx::win32
