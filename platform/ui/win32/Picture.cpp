#include "Picture.h"

#include <cstdlib>

#include "ResourceName.h"

// After our headers: see SystemHeaders.h.
#include "SystemHeaders.h"

namespace scx::win32 {

Picture::Picture(std::string_view path) {
    m_bitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                               res::ResourceNameOf(path).c_str(), IMAGE_BITMAP, 0,
                                               0, LR_CREATEDIBSECTION));
    DIBSECTION dib{};
    if (m_bitmap == nullptr || GetObjectW(m_bitmap, sizeof dib, &dib) != sizeof dib) {
        return;
    }
    m_width = dib.dsBm.bmWidth;
    m_height = std::abs(dib.dsBm.bmHeight);
    if (dib.dsBm.bmBitsPixel == 32 && dib.dsBm.bmBits != nullptr) {
        // AlphaBlend wants colours premultiplied by their alpha.
        auto* pixel = static_cast<BYTE*>(dib.dsBm.bmBits);
        for (long i = 0; i < static_cast<long>(m_width) * m_height; ++i, pixel += 4) {
            for (int channel = 0; channel < 3; ++channel) {
                pixel[channel] = static_cast<BYTE>(pixel[channel] * pixel[3] / 255);
            }
        }
    }
}

Picture::~Picture() {
    if (m_bitmap != nullptr) {
        DeleteObject(m_bitmap);
    }
}

void Picture::Draw(Hdc dc, int x, int y) const {
    if (m_bitmap == nullptr) {
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, m_bitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, m_width, m_height, source, 0, 0, m_width, m_height, blend);
    SelectObject(source, previous);
    DeleteDC(source);
}

}  // namespace scx::win32
