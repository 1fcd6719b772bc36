#pragma once
// What assistive technologies see of a dialog: a name for every control, and buttons
// whose default action (press, toggle) is a click as the dialog manager delivers it.

#include <QString>
#include <string_view>
#include <vector>

#include "DialogTemplate.h"

class QWidget;

namespace scx {

// `text` without its mnemonic marks ("&" before a letter; "&&" stands for "&").
QString WithoutMnemonic(const QString& text);

// The static text that labels control `c` of `t`: on its row to its left, else just above
// it, as a reader of the dialog pairs them; nullptr when none does.
const ControlTemplate* LabelOf(const DialogTemplate& t, const ControlTemplate& c);

// Names the controls of a dialog just built: `widgets[i]` is `t.controls[i]`. Edits, lists
// and combo boxes take their label's text; an unlabelled read-only edit (an information
// line) reads its own text, an unlabelled progress bar is "Progression"; others take the
// group box around them. Buttons and group boxes take
// their own text without the mnemonic.
void NameForAssistiveTechnologies(const DialogTemplate& t, const std::vector<QWidget*>& widgets);

// Makes the buttons of every dialog answer assistive technologies' actions through their
// dialog's handlers (installed once).
void InstallAccessibleButtons();

}  // namespace scx
