#pragma once
// What a screen reader meets in a window, read through the platform's accessibility
// interfaces as a reader reads them (Qt's on Linux, MSAA's on Windows), whatever toolkit
// draws it.

#include <string>

namespace scx {
class CDialog;
}

namespace scx::testkit {

enum class AccessibleRole { PushButton, CheckBox, RadioButton, ComboBox, Edit, Other };
enum class AccessibleAction { Press, Toggle };

// The name a reader announces for control `id`, and the value it reads after it.
std::string AccessibleName(const CDialog& dialog, int id);
std::string AccessibleValue(const CDialog& dialog, int id);
AccessibleRole AccessibleRoleOf(const CDialog& dialog, int id);
bool IsAccessibleChecked(const CDialog& dialog, int id);
bool IsAccessibleDisabled(const CDialog& dialog, int id);

// Runs a reader's `action` on control `id` and lets the window act on it; false when the
// control offers none. MSAA has a single default action, which stands for both.
bool DoAccessibleAction(CDialog& dialog, int id, AccessibleAction action);

}  // namespace scx::testkit
