// Views on POSIX systems: mmap, and a SIGBUS handler installed only while a view is looked
// at, so that a file shortened under it fails that look alone.

#include <setjmp.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "FileView.h"

namespace scx {

namespace {

std::uint64_t PageSize() {
    static const long size = ::sysconf(_SC_PAGESIZE);
    return size > 0 ? static_cast<std::uint64_t>(size) : 4096;
}

#ifdef MAP_POPULATE
constexpr int kPopulate = MAP_POPULATE;  // one call reads the window in, not a fault a page
#else
constexpr int kPopulate = 0;
#endif

// The look in progress on this thread, if any: the mappings it reads, where a fault in
// them jumps back to, and the address that faulted.
struct Mapping {
    const void* base;
    std::size_t length;
};
thread_local Mapping t_lookMappings[2];
thread_local sigjmp_buf* t_lookJump = nullptr;
thread_local const void* t_faultAddress = nullptr;
// The handler that a look replaced, put back when it ends.
struct sigaction g_previousBusHandler;

bool Holds(const void* base, std::size_t length, const void* address) {
    const auto* first = static_cast<const char*>(base);
    const auto* at = static_cast<const char*>(address);
    return at >= first && at < first + length;
}

bool InLook(const void* address) {
    return Holds(t_lookMappings[0].base, t_lookMappings[0].length, address) ||
           Holds(t_lookMappings[1].base, t_lookMappings[1].length, address);
}

void OnBusError(int signal, siginfo_t* info, void*) {
    // Another thread's fault, one outside the views (a bug, not a shortened file) or a
    // signal sent: as if no look had replaced the handler. A fault comes back when the
    // instruction runs again; a sent signal is sent again.
    const bool sent = info->si_code <= 0;
    if (t_lookJump == nullptr || sent || !InLook(info->si_addr)) {
        ::sigaction(SIGBUS, &g_previousBusHandler, nullptr);
        if (sent) {
            ::raise(signal);
        }
        return;
    }
    t_faultAddress = info->si_addr;
    ::siglongjmp(*t_lookJump, 1);
}

}  // namespace

CFileView CFileView::Map(const CFile& file, std::uint64_t offset, std::size_t length) {
    CFileView view;
    if (length == 0 || CFile::HasFaultHook()) {
        return view;
    }
    const std::uint64_t lead = offset % PageSize();
    void* base = ::mmap(nullptr, lead + length, PROT_READ, MAP_SHARED | kPopulate, file.Handle(),
                        static_cast<off_t>(offset - lead));
    if (base == MAP_FAILED) {
        return view;  // a file system that cannot map: the caller reads
    }
    view.m_base = base;
    view.m_mappedLength = lead + length;
    view.m_data = static_cast<const char*>(base) + lead;
    view.m_size = length;
    view.m_offset = offset;
    view.m_handle = file.Handle();
    view.m_strFilePath = file.GetFilePath();
    return view;
}

void CFileView::Release() {
    if (m_base != nullptr) {
        ::munmap(m_base, m_mappedLength);
        m_base = nullptr;
        m_data = nullptr;
    }
}

void CFileView::CheckHolds(std::size_t length) const {
    struct stat info {};
    if (::fstat(m_handle, &info) != 0) {
        const int err = errno;
        throw CFileException(CFileException::genericException, m_strFilePath, err);
    }
    if (m_offset + length > static_cast<std::uint64_t>(info.st_size)) {
        throw CFileException(CFileException::endOfFile, m_strFilePath);
    }
}

void CFileView::ThrowFault(const void* address) const {
    CheckHolds(static_cast<std::size_t>(static_cast<const char*>(address) - m_data) + 1);
    throw CFileException(CFileException::genericException, m_strFilePath, EIO);
}

std::size_t FirstDifference(const CFileView& a, const CFileView& b, std::size_t count) {
    count = std::min({count, a.m_size, b.m_size});
    struct sigaction handler {};
    handler.sa_sigaction = OnBusError;
    handler.sa_flags = SA_SIGINFO;
    sigemptyset(&handler.sa_mask);
    ::sigaction(SIGBUS, &handler, &g_previousBusHandler);

    // Nothing that needs destroying lives between here and the jump back.
    sigjmp_buf jump;
    if (sigsetjmp(jump, 1) == 0) {
        t_lookMappings[0] = {a.m_base, a.m_mappedLength};
        t_lookMappings[1] = {b.m_base, b.m_mappedLength};
        t_lookJump = &jump;
        const std::size_t difference = FirstDifference(a.m_data, b.m_data, count);
        t_lookJump = nullptr;
        ::sigaction(SIGBUS, &g_previousBusHandler, nullptr);
        const std::size_t looked = difference < count ? difference + 1 : count;
        a.CheckHolds(looked);
        b.CheckHolds(looked);
        return difference;
    }
    t_lookJump = nullptr;
    ::sigaction(SIGBUS, &g_previousBusHandler, nullptr);
    const bool inA = Holds(a.m_base, a.m_mappedLength, t_faultAddress);
    (inA ? a : b).ThrowFault(t_faultAddress);
}

}  // namespace scx
