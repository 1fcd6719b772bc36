#pragma once
// Keeps the system reading files ahead of a copy that reads them in turn (a split's
// source, a join's pieces, an archive's members), on a thread of its own. The copy, in the
// kernel or through a buffer, then finds its bytes in memory instead of waiting for the
// disk at each step, and the disk reads while the copy writes; a join's next piece is read
// before its turn comes.
//
// Only hints cross to the other thread: the bytes stay in the system's cache, the copy
// reads them itself and meets any failure itself, naming the file as always. The lead over
// the copy is bounded, and so is the memory the system gives to it.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace scx::pieces {

// The thread: requests a run of bytes in order, never further ahead of the position last
// reported than a window, which it fills whole each time half of it is free.
class CReadAheadThread {
  public:
    // Asks the system to start reading `length` bytes at `offset` of the run.
    using Request = std::function<void(std::uint64_t offset, std::uint64_t length)>;

    // Requests the bytes from `start` to `end`, at most `chunk` bytes at a time.
    CReadAheadThread(Request request, std::uint64_t start, std::uint64_t end, std::uint64_t window,
                     std::uint64_t chunk);
    // Waits for the request in progress, if any, and stops.
    ~CReadAheadThread();

    CReadAheadThread(const CReadAheadThread&) = delete;
    CReadAheadThread& operator=(const CReadAheadThread&) = delete;

    // The copy has read up to `position` of the run.
    void Reached(std::uint64_t position);

  private:
    void Run();
    // Whether half the window or more is free to request; under m_mutex.
    bool HalfFree() const;

    const Request m_request;
    const std::uint64_t m_end;
    const std::uint64_t m_window;
    const std::uint64_t m_chunk;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::uint64_t m_reached;    // under m_mutex
    std::uint64_t m_requested;  // under m_mutex: where the next request starts
    bool m_filling = false;     // under m_mutex: until the window is full
    bool m_stop = false;        // under m_mutex
    std::thread m_thread;       // last: it starts once the rest is set
};

// Files read in turn, as one run of bytes, their lengths taken when it starts.
class CReadAhead {
  public:
    // Asks the system to start reading part of a file by its path.
    using Hint =
        std::function<void(const std::string& path, std::uint64_t offset, std::uint64_t length)>;

    // Reads `paths` ahead of a copy that starts at `start` in the first; nothing where the
    // system cannot read ahead.
    CReadAhead(std::vector<std::string> paths, std::uint64_t start);
    // The same through `hint`, on any system.
    CReadAhead(std::vector<std::string> paths, std::uint64_t start, Hint hint);

    CReadAhead(const CReadAhead&) = delete;
    CReadAhead& operator=(const CReadAhead&) = delete;

    // The copy has read file `index` of `paths` up to `position`.
    void Reached(std::size_t index, std::uint64_t position);

  private:
    void Request(std::uint64_t offset, std::uint64_t length) const;

    const Hint m_hint;
    const std::vector<std::string> m_paths;
    std::vector<std::uint64_t> m_starts;  // where each file starts in the run, then its end
    std::unique_ptr<CReadAheadThread> m_thread;
};

}  // namespace scx::pieces
