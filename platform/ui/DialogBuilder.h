#pragma once
// Creates a dialog's Qt widgets from its template.

#include <map>

#include "DialogTemplate.h"

class QWidget;

namespace scx {

class CDialog;
class DialogWindow;

// Builds every control of `dialogTemplate` into `window` at its rectangle, in template
// order (which is the tab order), and wires its notifications to `owner`. Returns the
// controls that have an id.
std::map<int, QWidget*> BuildDialogWindow(CDialog& owner, DialogWindow& window,
                                          const DialogTemplate& dialogTemplate);

// The Windows-style check state of an automatic radio button's group after `id` was
// chosen: every other radio button of its group is cleared.
void CheckRadioInGroup(const std::map<int, QWidget*>& controls, int id);

}  // namespace scx
