#include "ReadAhead.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "BackgroundThread.h"
#include "File.h"
#include "Utf8Path.h"

namespace scx::pieces {

namespace {

// Enough requested ahead to keep the disk's queue full while the copy writes, while a join
// passes from one piece to the next, and while the thread waits for a processor on a busy
// machine (half the window is its margin); requests as large as a disk usually takes in
// one command.
constexpr std::uint64_t kWindow = std::uint64_t{128} << 20;
constexpr std::uint64_t kChunk = std::uint64_t{4} << 20;

}  // namespace

CReadAheadThread::CReadAheadThread(Request request, std::uint64_t start, std::uint64_t end,
                                   std::uint64_t window, std::uint64_t chunk)
    : m_request(std::move(request)),
      m_end(end),
      m_window(window),
      m_chunk(std::max<std::uint64_t>(chunk, 1)),
      m_reached(start),
      m_requested(start),
      m_thread(StartBackgroundThread([this] { Run(); })) {}

CReadAheadThread::~CReadAheadThread() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    m_thread.join();
}

void CReadAheadThread::Reached(std::uint64_t position) {
    bool wake = false;
    {
        const std::lock_guard lock(m_mutex);
        if (position < m_reached) {
            m_requested = position;  // a copy that went back is followed there
        }
        m_reached = position;
        wake = HalfFree();
    }
    if (wake) {
        m_wake.notify_one();
    }
}

bool CReadAheadThread::HalfFree() const {
    return m_requested < m_end &&
           (m_requested <= m_reached || m_requested - m_reached <= m_window / 2);
}

void CReadAheadThread::Run() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        // Woken only once half the window is free, the thread then fills it whole: it
        // requests in batches and seldom takes the processor from the copy.
        m_wake.wait(lock, [&] {
            m_requested = std::max(m_requested, m_reached);  // what the copy passed is done
            m_filling = m_filling || HalfFree();
            return m_stop || (m_filling && m_requested < m_end);
        });
        if (m_stop) {
            return;
        }
        const std::uint64_t offset = m_requested;
        m_requested += std::min({m_chunk, m_end - offset, m_reached + m_window - offset});
        m_filling = m_requested < m_end && m_requested - m_reached < m_window;
        const std::uint64_t length = m_requested - offset;
        // Outside the lock: a request may wait for room in the disk's queue, and the copy
        // must not wait with it.
        lock.unlock();
        m_request(offset, length);
        lock.lock();
    }
}

CReadAhead::CReadAhead(std::vector<std::string> paths, std::uint64_t start)
    : CReadAhead(CFile::CanReadAhead() ? std::move(paths) : std::vector<std::string>{}, start,
                 CFile::ReadAheadByPath) {}

CReadAhead::CReadAhead(std::vector<std::string> paths, std::uint64_t start, Hint hint)
    : m_hint(std::move(hint)), m_paths(std::move(paths)) {
    if (m_paths.empty()) {
        return;
    }
    m_starts.reserve(m_paths.size() + 1);
    std::uint64_t end = 0;
    for (const std::string& path : m_paths) {
        m_starts.push_back(end);
        std::error_code error;
        const std::uintmax_t length = std::filesystem::file_size(Utf8Path(path), error);
        end += error ? 0 : length;  // a missing file is the copy's to report
    }
    m_starts.push_back(end);
    m_thread = std::make_unique<CReadAheadThread>(
        [this](std::uint64_t offset, std::uint64_t length) { Request(offset, length); },
        std::min(start, end), end, kWindow, kChunk);
}

void CReadAhead::Reached(std::size_t index, std::uint64_t position) {
    if (m_thread && index < m_paths.size()) {
        m_thread->Reached(m_starts[index] + position);
    }
}

void CReadAhead::Request(std::uint64_t offset, std::uint64_t length) const {
    // The last file that starts at or before `offset`, then the ones the request runs into.
    auto next = std::upper_bound(m_starts.begin(), m_starts.end() - 1, offset);
    for (auto file = next - 1; length > 0 && next != m_starts.end(); file = next++) {
        const std::uint64_t part = std::min(length, *next - offset);
        if (part > 0) {
            m_hint(m_paths[static_cast<std::size_t>(file - m_starts.begin())], offset - *file,
                   part);
        }
        offset += part;
        length -= part;
    }
}

}  // namespace scx::pieces
