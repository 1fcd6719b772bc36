#pragma once
// What assistive technologies read of a dialog: a name for every control. Edits, lists and
// combo boxes take their label's text; an unlabelled read-only edit (an information line)
// reads its own text, an unlabelled progress bar is "Progression"; others take the group
// box around them. Buttons and group boxes take their own text without the mnemonic.
// Each backend hands these names to its toolkit.

#include <string>
#include <string_view>

#include "DialogTemplate.h"

namespace scx {

// `text` without its mnemonic marks ("&" before a letter; "&&" stands for "&").
std::string WithoutMnemonic(std::string_view text);

// The static text that labels control `c` of `t`: on its row to its left, else just above
// it, as a reader of the dialog pairs them; nullptr when none does.
const ControlTemplate* LabelOf(const DialogTemplate& t, const ControlTemplate& c);

struct AccessibleNaming {
    std::string name;                        // empty: the toolkit's own
    const ControlTemplate* label = nullptr;  // the static that names it, if any
    bool followsOwnText = false;             // read with the text it shows
};

AccessibleNaming NamingOf(const DialogTemplate& t, const ControlTemplate& c);

}  // namespace scx
