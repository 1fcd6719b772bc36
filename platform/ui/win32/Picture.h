#pragma once
// A picture of the resources with its transparency: the SVGs are rendered at build time
// into 32-bit bitmaps named after their file (":/clips/split_1.svg" is SPLIT_1).

#include <string_view>

#include "Handles.h"

namespace scx::win32 {

class Picture {
  public:
    explicit Picture(std::string_view path);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    bool IsValid() const { return m_bitmap != nullptr; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Draws it with its top-left corner at (x, y), blended over what is there.
    void Draw(Hdc dc, int x, int y) const;

  private:
    Hbitmap m_bitmap = nullptr;
    int m_width = 0;
    int m_height = 0;
};

}  // namespace scx::win32
