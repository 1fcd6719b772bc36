#pragma once
// What the GUI tests do to a real window as a user would, whatever toolkit draws it:
// keys, the close box, the arrows of an up-down control, drops from a file manager, and
// what the screen shows. Each backend implements these over its own window.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DialogUnits.h"

namespace scx {
class CDialog;
class Host;
}  // namespace scx

namespace scx::testkit {

enum class Key { Return, Escape, Tab, Up, Down, Left, Right };

// Presses and releases `key` on control `id`, or on the focused control with IDC_STATIC,
// through the toolkit's own keyboard handling.
void PressKey(CDialog& dialog, int id, Key key);
// Types `text` on control `id`, one character after the other, through the toolkit's own
// keyboard handling.
void TypeText(CDialog& dialog, int id, const std::string& text);
// Clicks the window's close box.
void ClickCloseBox(CDialog& dialog);
// Clicks the up (+1) or down (-1) arrow of up-down control `id`.
void ClickUpDownArrow(CDialog& dialog, int id, int direction);

// Drags local files over the middle of the window; true when the window would take them.
bool DragFiles(CDialog& dialog, const std::vector<std::string>& paths);
// Drags, then drops them there; true when the window took them.
bool DropFiles(CDialog& dialog, const std::vector<std::string>& paths);
// Drags URLs of any scheme; nothing when the toolkit's drops carry local files only.
std::optional<bool> DragUrls(CDialog& dialog, const std::vector<std::string>& urls);
// Whether control `id` itself would take a drop (as text), rather than its window.
bool ControlTakesDrops(const CDialog& dialog, int id);

// What list view `id` shows in a cell, as the user reads it.
std::string ShownListText(const CDialog& dialog, int id, int row, int column);

// Geometry in pixels: the client area (at 0, 0) and a control within it.
PixelRect ClientRect(const CDialog& dialog);
PixelRect ControlRect(const CDialog& dialog, int id);
// The base units of the dialog's font.
BaseUnits DialogBaseUnits(const CDialog& dialog);
bool HasWindowIcon(const CDialog& dialog);

// The client area as the screen shows it, 0x00RRGGBB a pixel.
struct ClientImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // row by row
    std::uint32_t Pixel(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};
ClientImage GrabClient(CDialog& dialog);

// The host that shows real windows, for a test that needs the toolkit's own event pump.
Host& ToolkitHost();

// Calls `observer` with each caption the window is given from now on.
void WatchCaption(CDialog& dialog, std::function<void(const std::string&)> observer);
// Calls `observer` with each new position of progress bar `id`.
void WatchProgress(CDialog& dialog, int id, std::function<void(int)> observer);

}  // namespace scx::testkit
