#pragma once
// Creates a dialog's Qt widgets from its template.

#include "DialogTemplate.h"
#include "DialogUnits.h"

class QFont;

namespace scx {

class CDialog;
class DialogWindow;

// Builds every control of `dialogTemplate` into `window` at its rectangle, in template
// order (which is the tab order), and wires its notifications to `owner`.
void BuildDialogWindow(CDialog& owner, DialogWindow& window, const DialogTemplate& dialogTemplate);

// baseX = (width of "A..Za..z" / 26 + 1) / 2, baseY = the font's height.
BaseUnits ComputeBaseUnits(const QFont& font);

}  // namespace scx
