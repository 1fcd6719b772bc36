#pragma once
// Fault injection through the file object's hook: a run is first counted, then replayed
// once for every operation it made, with that operation failing. Inputs are snapshotted
// (bytes and modification time) so that a test can prove that no failure touches them.

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "File.h"
#include "TestFiles.h"

namespace scx::test {

// Removes the hook even when an assertion ends the test early.
struct ScopedFaultHook {
    explicit ScopedFaultHook(CFile::FaultHook hook) { CFile::SetFaultHook(std::move(hook)); }
    ~ScopedFaultHook() { CFile::SetFaultHook(nullptr); }
    ScopedFaultHook(const ScopedFaultHook&) = delete;
    ScopedFaultHook& operator=(const ScopedFaultHook&) = delete;
};

struct DiskFault {
    const char* name;
    int error;
    CFileException::Cause cause;
};

// What a failing disk answers.
inline const std::vector<DiskFault>& DiskFaults() {
    static const std::vector<DiskFault> faults = {
        {"disk full", ENOSPC, CFileException::diskFull},
        {"I/O error", EIO, CFileException::genericException},
        {"permission", EACCES, CFileException::accessDenied},
    };
    return faults;
}

// Installs a hook for its lifetime. Counting (failAt 0) lets every operation through;
// otherwise operation number `failAt` fails with `error`, and the file and kind it hit
// are kept. `shortTransfers` makes every read and write move at most 7 bytes per call.
class FaultPlan {
  public:
    FaultPlan(int failAt, int error, bool shortTransfers = false)
        : m_failAt(failAt), m_error(error) {
        CFile::SetFaultHook([this, shortTransfers](CFile::Op op, const std::string& path,
                                                   std::uint64_t, std::size_t& limit) {
            if (shortTransfers && (op == CFile::Op::read || op == CFile::Op::write)) {
                limit = std::min<std::size_t>(limit, 7);
            }
            if (++m_seen != m_failAt) {
                return 0;
            }
            m_failedPath = path;
            m_failedOp = op;
            return m_error;
        });
    }
    ~FaultPlan() { CFile::SetFaultHook(nullptr); }
    FaultPlan(const FaultPlan&) = delete;
    FaultPlan& operator=(const FaultPlan&) = delete;

    int Operations() const { return m_seen; }
    bool Failed() const { return !m_failedPath.empty(); }
    const std::string& FailedPath() const { return m_failedPath; }
    CFile::Op FailedOp() const { return m_failedOp; }

  private:
    int m_failAt;
    int m_error;
    int m_seen = 0;
    std::string m_failedPath;
    CFile::Op m_failedOp = CFile::Op::open;
};

// The bytes and modification times of every file in a folder.
class FolderSnapshot {
  public:
    explicit FolderSnapshot(const std::string& folder) {
        for (const auto& entry : std::filesystem::directory_iterator(Utf8Path(folder))) {
            m_files[Utf8Text(entry.path())] = {ReadWholeFile(Utf8Text(entry.path())),
                                               std::filesystem::last_write_time(entry.path())};
        }
    }
    // The files that were changed or removed since the snapshot.
    std::vector<std::string> Changed() const {
        std::vector<std::string> changed;
        for (const auto& [path, before] : m_files) {
            std::error_code error;
            const auto time = std::filesystem::last_write_time(Utf8Path(path), error);
            if (error || time != before.time || ReadWholeFile(path) != before.bytes) {
                changed.push_back(path);
            }
        }
        return changed;
    }

  private:
    struct State {
        std::string bytes;
        std::filesystem::file_time_type time;
    };
    std::map<std::string, State> m_files;
};

}  // namespace scx::test
