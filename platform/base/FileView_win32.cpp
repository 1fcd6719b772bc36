// Views on Windows: none. A page that cannot be read in raises EXCEPTION_IN_PAGE_ERROR,
// which only structured exception handling catches, and this compiler has none; the
// callers read instead, in blocks that stay in the processor's cache.

#include "FileView.h"

namespace scx {

CFileView CFileView::Map(const CFile&, std::uint64_t, std::size_t) {
    return {};
}

void CFileView::Release() {}

std::size_t FirstDifference(const CFileView& a, const CFileView& b, std::size_t count) {
    return FirstDifference(a.m_data, b.m_data, count);
}

}  // namespace scx
