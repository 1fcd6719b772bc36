#pragma once
// The dialog layer's accessible names (Accessibility.h) handed to Qt, and buttons whose
// default action (press, toggle) is a click as the dialog manager delivers it.

#include <vector>

#include "DialogTemplate.h"

class QWidget;

namespace scx {

// Names the controls of a dialog just built: `widgets[i]` is `t.controls[i]`.
void NameForAssistiveTechnologies(const DialogTemplate& t, const std::vector<QWidget*>& widgets);

// Makes the buttons of every dialog answer assistive technologies' actions through their
// dialog's handlers (installed once).
void InstallAccessibleButtons();

}  // namespace scx
