// The parts of the staged file that do not depend on the operating system.

#include "StagedFile.h"

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <system_error>

#include "StagedFilePlatform.h"
#include "Utf8Path.h"

namespace scx {

namespace {

// A folder with this many taken temporary names is not worth trying further.
constexpr unsigned kMaxAttempts = 10000;

// More than any operation writes at once; a file beyond them is written all the same, only
// not removed by an interruption.
constexpr std::size_t kPendingSlots = 8;
static_assert(std::atomic<const char*>::is_always_lock_free);
std::atomic<const char*> g_pending[kPendingSlots];

// `path`'s folder, separator included, then `name`.
std::string Beside(const std::string& path, const std::string& name) {
    return path.substr(0, path.find_last_of(CFile::kPathSeparators) + 1) + name;
}

std::string NameOf(const std::string& path) {
    return path.substr(path.find_last_of(CFile::kPathSeparators) + 1);
}

}  // namespace

void detail::RegisterPendingFile(const char* path) {
    for (std::atomic<const char*>& slot : g_pending) {
        const char* empty = nullptr;
        if (slot.compare_exchange_strong(empty, path)) {
            return;
        }
    }
}

void detail::UnregisterPendingFile(const char* path) {
    for (std::atomic<const char*>& slot : g_pending) {
        const char* expected = path;
        if (slot.compare_exchange_strong(expected, nullptr)) {
            return;
        }
    }
}

void detail::RemovePendingFiles() {
    for (std::atomic<const char*>& slot : g_pending) {
        if (const char* path = slot.load()) {
            RemoveFileQuietly(path);
        }
    }
}

std::string PathThroughLinks(const std::string& path) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(Utf8Path(path), error);
    return error ? path : Utf8Text(target);
}

void RemoveStagedFilesNow() {
    detail::RemovePendingFiles();
}

CStagedFile::CStagedFile(const std::string& finalPath, std::string_view stem)
    : m_finalPath(detail::FinalPathOf(finalPath)) {
    const unsigned flags = CFile::modeCreateNew | CFile::modeReadWrite | CFile::shareExclusive;
    const std::string name = NameOf(m_finalPath);
    CFileException error(CFileException::none, {});
    for (unsigned n = 1; n <= kMaxAttempts; ++n) {
        m_temporaryPath =
            Beside(m_finalPath, "." + std::string(stem) + "-" + std::to_string(n) + ".tmp");
        if (detail::OpenRegistered(m_file, m_temporaryPath, flags, error)) {
            try {
                m_file.ReportAs(Beside(m_file.GetFilePath(), name));
                // Before any byte is written: whoever opens the file meanwhile keeps it.
                detail::PrepareToReplace(m_finalPath, m_file);
            } catch (...) {
                Discard();
                throw;
            }
            return;
        }
        if (error.m_cause != CFileException::alreadyExists) {
            break;
        }
    }
    throw CFileException(error.m_cause, Beside(error.m_strFileName, name), error.m_lOsError);
}

CStagedFile::~CStagedFile() {
    if (!m_committed) {
        Discard();
    }
}

void CStagedFile::Commit() {
    m_file.Close();
    detail::RenameOver(m_temporaryPath, m_finalPath, m_file.GetFilePath());
    m_committed = true;
    detail::UnregisterPendingFile(m_temporaryPath.c_str());
}

void CStagedFile::Discard() noexcept {
    m_file.Abort();
    detail::RemoveFileQuietly(m_temporaryPath.c_str());
    detail::UnregisterPendingFile(m_temporaryPath.c_str());
}

}  // namespace scx
