// The test kit's user actions on Win32 windows: the messages the system sends when the
// user acts, through the same dispatch as the modal loop.
#include <memory>

#include "Dialog.h"
#include "UiDriver.h"
#include "Win32Host.h"
#include "Win32Paths.h"
#include "Win32Window.h"

// After our headers: see SystemHeaders.h.
#include "SystemHeaders.h"

#include <shlobj.h>

namespace scx::testkit {

using win32::Win32Window;

namespace {

Win32Window& WindowOf(const CDialog& dialog) {
    return static_cast<Win32Window&>(dialog.Peer());
}

WPARAM VirtualKey(Key key) {
    switch (key) {
        case Key::Return:
            return VK_RETURN;
        case Key::Escape:
            return VK_ESCAPE;
        case Key::Tab:
            return VK_TAB;
        case Key::Up:
            return VK_UP;
        case Key::Down:
            return VK_DOWN;
        case Key::Left:
            return VK_LEFT;
        case Key::Right:
            return VK_RIGHT;
    }
    return 0;
}

void Dispatch(HWND target, UINT message, WPARAM wParam) {
    MSG msg{};
    msg.hwnd = target;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = message == WM_KEYUP ? static_cast<LPARAM>(0xC0000001) : 1;
    win32::DispatchDialogMessage(msg);
}

// The characters TranslateMessage posted for a key, dispatched as the loop would.
void DispatchPostedCharacters() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE)) {
        win32::DispatchDialogMessage(msg);
    }
}

PixelRect RectIn(HWND parent, HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

HDROP MakeDrop(const std::vector<std::string>& paths) {
    std::wstring names;
    for (const std::string& path : paths) {
        names += win32::Widen(path) + L'\0';
    }
    names += L'\0';
    const SIZE_T size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::copy(names.begin(), names.end(),
              reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(drop) + sizeof(DROPFILES)));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

LRESULT CALLBACK Watcher(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                         DWORD_PTR data) {
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_SETTEXT || message == PBM_SETPOS || message == PBM_STEPIT ||
        message == PBM_DELTAPOS) {
        (*reinterpret_cast<std::function<void(HWND)>*>(data))(window);
    } else if (message == WM_NCDESTROY) {
        delete reinterpret_cast<std::function<void(HWND)>*>(data);
    }
    return result;
}

void Watch(HWND window, std::function<void(HWND)> observer) {
    static UINT_PTR next = 1;
    SetWindowSubclass(
        window, &Watcher, next++,
        reinterpret_cast<DWORD_PTR>(new std::function<void(HWND)>(std::move(observer))));
}

}  // namespace

void PressKey(CDialog& dialog, int id, Key key) {
    HWND target = id == win::IDC_STATIC ? GetFocus() : WindowOf(dialog).Control(id);
    if (target == nullptr) {
        target = WindowOf(dialog).Handle();
    }
    Dispatch(target, WM_KEYDOWN, VirtualKey(key));
    DispatchPostedCharacters();
    Dispatch(target, WM_KEYUP, VirtualKey(key));
}

void TypeText(CDialog& dialog, int id, const std::string& text) {
    HWND target = WindowOf(dialog).Control(id);
    for (const wchar_t character : win32::Widen(text)) {
        Dispatch(target, WM_CHAR, character);
    }
}

void ClickCloseBox(CDialog& dialog) {
    SendMessageW(WindowOf(dialog).Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

void ClickUpDownArrow(CDialog& dialog, int id, int direction) {
    HWND arrows = WindowOf(dialog).Control(id);
    RECT client;
    GetClientRect(arrows, &client);
    const LPARAM at =
        MAKELPARAM(client.right / 2, direction > 0 ? client.bottom / 4 : client.bottom * 3 / 4);
    SendMessageW(arrows, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(arrows, WM_LBUTTONUP, 0, at);
}

bool DragFiles(CDialog& dialog, const std::vector<std::string>&) {
    // The shell offers a drag to windows that accept files, whatever they are.
    return (GetWindowLongW(WindowOf(dialog).Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
}

bool DropFiles(CDialog& dialog, const std::vector<std::string>& paths) {
    if (!DragFiles(dialog, paths)) {
        return false;
    }
    return SendMessageW(WindowOf(dialog).Handle(), WM_DROPFILES,
                        reinterpret_cast<WPARAM>(MakeDrop(paths)), 0) != FALSE;
}

std::optional<bool> DragUrls(CDialog&, const std::vector<std::string>&) {
    return std::nullopt;  // WM_DROPFILES carries file names only
}

bool ControlTakesDrops(const CDialog& dialog, int id) {
    return (GetWindowLongW(WindowOf(dialog).Control(id), GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0;
}

std::string ShownListText(const CDialog& dialog, int id, int row, int column) {
    // What the window does once the handler has returned, before the user looks.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        win32::DispatchDialogMessage(message);
    }
    std::wstring text(4096, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const auto length = SendMessageW(WindowOf(dialog).Control(id), LVM_GETITEMTEXTW,
                                     static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return win32::Narrow(std::wstring(item.pszText, static_cast<std::size_t>(length)));
}

PixelRect ClientRect(const CDialog& dialog) {
    RECT client;
    GetClientRect(WindowOf(dialog).Handle(), &client);
    return {0, 0, client.right, client.bottom};
}

PixelRect ControlRect(const CDialog& dialog, int id) {
    return RectIn(WindowOf(dialog).Handle(), WindowOf(dialog).Control(id));
}

BaseUnits DialogBaseUnits(const CDialog& dialog) {
    RECT units{0, 0, 4, 8};
    MapDialogRect(WindowOf(dialog).Handle(), &units);
    return {units.right, units.bottom};
}

bool HasWindowIcon(const CDialog& dialog) {
    return SendMessageW(WindowOf(dialog).Handle(), WM_GETICON, ICON_BIG, 0) != 0;
}

ClientImage GrabClient(CDialog& dialog) {
    HWND window = WindowOf(dialog).Handle();
    RECT client;
    GetClientRect(window, &client);
    ClientImage image{client.right, client.bottom, {}};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(window);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory),
                 PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    image.pixels.assign(pixels, pixels + static_cast<std::size_t>(image.width) * image.height);
    for (std::uint32_t& pixel : image.pixels) {
        pixel &= 0xFFFFFFu;
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(window, screen);
    return image;
}

Host& ToolkitHost() {
    static win32::Win32Host host;
    return host;
}

void WatchCaption(CDialog& dialog, std::function<void(const std::string&)> observer) {
    Watch(WindowOf(dialog).Handle(),
          [observer](HWND window) { observer(win32::Narrow(win32::WindowText(window))); });
}

void WatchProgress(CDialog& dialog, int id, std::function<void(int)> observer) {
    HWND bar = WindowOf(dialog).Control(id);
    // Each change, as the user sees it: setting the position it has is none.
    auto last = std::make_shared<int>(static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)));
    Watch(bar, [observer, last](HWND window) {
        const int position = static_cast<int>(SendMessageW(window, PBM_GETPOS, 0, 0));
        if (position != *last) {
            *last = position;
            observer(position);
        }
    });
}

}  // namespace scx::testkit
