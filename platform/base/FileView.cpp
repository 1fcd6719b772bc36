// The parts of a file view that do not depend on the operating system.

#include <algorithm>
#include <cstring>
#include <utility>

#include "FileView.h"

namespace scx {

CFileView::~CFileView() {
    Release();
}

CFileView::CFileView(CFileView&& other) noexcept {
    *this = std::move(other);
}

CFileView& CFileView::operator=(CFileView&& other) noexcept {
    if (this != &other) {
        Release();
        m_base = std::exchange(other.m_base, nullptr);
        m_mappedLength = std::exchange(other.m_mappedLength, 0);
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_offset = other.m_offset;
        m_handle = other.m_handle;
        m_strFilePath = std::move(other.m_strFilePath);
    }
    return *this;
}

std::size_t FirstDifference(const char* a, const char* b, std::size_t count) {
    // memcmp, the library's fastest loop, a page at a time; bytes one by one only in the
    // page that differs.
    constexpr std::size_t kStep = 4096;
    for (std::size_t at = 0; at < count; at += kStep) {
        const std::size_t step = std::min(kStep, count - at);
        if (std::memcmp(a + at, b + at, step) != 0) {
            const char* differing = std::mismatch(a + at, a + at + step, b + at).first;
            return static_cast<std::size_t>(differing - a);
        }
    }
    return count;
}

}  // namespace scx
