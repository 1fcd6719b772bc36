#pragma once
// Read-only views of part of an open file: its bytes looked at where they lie in the page
// cache, without the copy that a read makes. Another program may shorten the file under a
// view, and the first look at a lost page would end the process (SIGBUS); looks therefore
// go through FirstDifference, which turns that fault into a CFileException for the file.

#include <cstddef>
#include <cstdint>
#include <string>

#include "File.h"

namespace scx {

class CFileView {
  public:
    // Maps `length` bytes of `file` from `offset`, reading them in at once. The view is
    // empty, and the caller reads instead, where the system cannot map the file, while
    // the file object's test hook is set, and on Windows, whose page errors only
    // structured exception handling can catch. `file` stays open while the view is used.
    static CFileView Map(const CFile& file, std::uint64_t offset, std::size_t length);

    CFileView() = default;
    ~CFileView();
    CFileView(const CFileView&) = delete;
    CFileView& operator=(const CFileView&) = delete;
    CFileView(CFileView&& other) noexcept;
    CFileView& operator=(CFileView&& other) noexcept;

    bool IsMapped() const { return m_data != nullptr; }
    std::size_t Size() const { return m_size; }

  private:
    friend std::size_t FirstDifference(const CFileView& a, const CFileView& b, std::size_t count);

    void Release();
    // Raises the end-of-file error when the file no longer holds the view's first `length`
    // bytes: cut inside a page, it raises no fault, and the page reads as zeros past its end.
    void CheckHolds(std::size_t length) const;
    // Raises the failure of a look that faulted at `address`: the end of file when the
    // file is now shorter than that place, otherwise a read error.
    [[noreturn]] void ThrowFault(const void* address) const;

    void* m_base = nullptr;  // the mapping, from the page that holds `offset`
    std::size_t m_mappedLength = 0;
    const char* m_data = nullptr;
    std::size_t m_size = 0;
    std::uint64_t m_offset = 0;
    int m_handle = -1;  // the file's, borrowed: to tell a shortened file from a failing disk
    std::string m_strFilePath;
};

// Where the first `count` bytes of `a` and `b` first differ, counted from 0; `count` when
// they agree. `count` is at most either size.
std::size_t FirstDifference(const char* a, const char* b, std::size_t count);
// The same over two views; throws CFileException naming the file that failed under its
// view (endOfFile when it was shortened), and the process goes on.
std::size_t FirstDifference(const CFileView& a, const CFileView& b, std::size_t count);

}  // namespace scx
