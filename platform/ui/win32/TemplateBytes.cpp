#include "TemplateBytes.h"

#include <cstring>
#include <string>

#include "Win32Paths.h"

namespace scx::win32 {

using namespace win;

namespace {

constexpr DWORD kChildVisible = WS_CHILD | WS_VISIBLE;

class Writer {
  public:
    void Word(std::uint16_t value) {
        m_bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
        m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void Dword(DWORD value) {
        Word(static_cast<std::uint16_t>(value & 0xFFFF));
        Word(static_cast<std::uint16_t>(value >> 16));
    }
    void Text(std::string_view utf8) {
        for (wchar_t unit : Widen(std::string(utf8))) {
            Word(static_cast<std::uint16_t>(unit));
        }
        Word(0);
    }
    void AlignToDword() {
        while (m_bytes.size() % 4 != 0) {
            m_bytes.push_back(0);
        }
    }
    std::vector<std::uint32_t> Dwords() {
        AlignToDword();
        std::vector<std::uint32_t> dwords(m_bytes.size() / 4);
        std::memcpy(dwords.data(), m_bytes.data(), m_bytes.size());
        return dwords;
    }

  private:
    std::vector<std::uint8_t> m_bytes;
};

}  // namespace

ItemClass ClassOf(const ControlTemplate& c) {
    DWORD style = c.style | kChildVisible;
    if (!TakesFocus(c.kind)) {
        style &= ~WS_TABSTOP;
    }
    switch (c.kind) {
        case ControlKind::PushButton:
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
        case ControlKind::GroupBox:
            return {0x0080, nullptr, style};
        case ControlKind::Edit:
            return {0x0081, nullptr, style};
        case ControlKind::Text:
            return {0x0082, nullptr, style};
        case ControlKind::Picture:
            // Drawn by the dialog, with the picture's transparency (SS_OWNERDRAW).
            return {0x0082, nullptr, (style & ~SS_TYPEMASK) | SS_OWNERDRAW};
        case ControlKind::ComboBox:
            return {0x0085, nullptr, style | WS_VSCROLL};
        case ControlKind::ListView:
            // The rows are the dialog layer's (ListRows.h): the control only shows them.
            return {0, L"SysListView32", style | LVS_SHOWSELALWAYS | LVS_OWNERDATA};
        case ControlKind::Progress:
            return {0, L"msctls_progress32", style};
        case ControlKind::Animation:
            return {0, kAnimationClass, style};
        case ControlKind::UpDown:
            // The dialog layer steps the position and writes the buddy; the control only
            // reports its arrows (and the buddy's arrow keys), where the template put it.
            return {0, L"msctls_updown32",
                    (style & ~(UDS_SETBUDDYINT | UDS_WRAP | UDS_ALIGNRIGHT | UDS_AUTOBUDDY |
                               UDS_NOTHOUSANDS))};
    }
    return {0x0082, nullptr, style};
}

std::vector<std::uint32_t> BuildTemplateBytes(const DialogTemplate& t) {
    Writer out;
    // DS_SETFONT: the template's font; the dialog is created hidden and centred later.
    out.Dword((t.style | DS_SETFONT) & ~WS_VISIBLE);
    out.Dword(t.exStyle);
    out.Word(static_cast<std::uint16_t>(t.controls.size()));
    out.Word(0);  // x
    out.Word(0);  // y
    out.Word(static_cast<std::uint16_t>(t.rect.cx));
    out.Word(static_cast<std::uint16_t>(t.rect.cy));
    out.Word(0);  // no menu: it is attached from the menu template after creation
    out.Word(0);  // the dialog class
    out.Text(t.caption);
    out.Word(static_cast<std::uint16_t>(t.fontPoints));
    out.Text(t.fontName);
    for (const ControlTemplate& c : t.controls) {
        out.AlignToDword();
        const ItemClass item = ClassOf(c);
        out.Dword(item.style);
        out.Dword(0);  // extended style
        out.Word(static_cast<std::uint16_t>(c.rect.x));
        out.Word(static_cast<std::uint16_t>(c.rect.y));
        out.Word(static_cast<std::uint16_t>(c.rect.cx));
        out.Word(static_cast<std::uint16_t>(c.rect.cy));
        out.Word(static_cast<std::uint16_t>(c.id));
        if (item.atom != 0) {
            out.Word(0xFFFF);
            out.Word(item.atom);
        } else {
            for (const wchar_t* name = item.name; *name != 0; ++name) {
                out.Word(static_cast<std::uint16_t>(*name));
            }
            out.Word(0);
        }
        out.Text(c.text);
        out.Word(0);  // no creation data
    }
    return out.Dwords();
}

}  // namespace scx::win32
