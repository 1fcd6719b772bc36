// The file status on POSIX systems (Linux first: the birth time comes from statx).

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <optional>
#include <string>

#include "DosAttrib.h"
#include "File.h"
#include "FileStatus.h"

namespace scx {

namespace {

constexpr std::uint8_t kDosBits = attr::hidden | attr::system | attr::archive;
// What the attribute holds for us: read-only is kept there as well as in the mode.
constexpr std::uint8_t kRecordBits = kDosBits | attr::readOnly;
constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

bool IsUnsupported(int err) {
    return err == ENOTSUP || err == EOPNOTSUPP || err == ENOSYS;
}

[[noreturn]] void ThrowErrno(int err, const std::string& path) {
    throw CFileException(CFileException::CauseFromErrno(err, path), path, err);
}

FileTime FromTimespec(const struct timespec& time) {
    return {static_cast<std::int64_t>(time.tv_sec), static_cast<std::int32_t>(time.tv_nsec)};
}

struct timespec ToTimespec(const FileTime& time) {
    struct timespec result {};
    result.tv_sec = static_cast<time_t>(time.seconds);
    result.tv_nsec = time.nanoseconds;
    return result;
}

// The attribute's value; nothing when the file has none or the file system keeps none.
// Throws for any other failure.
std::optional<std::string> ReadDosValue(int fd, const std::string& path) {
    std::string value(256, '\0');
    for (;;) {
        const ssize_t n = ::fgetxattr(fd, dosattrib::kName, value.data(), value.size());
        if (n >= 0) {
            value.resize(static_cast<std::size_t>(n));
            return value;
        }
        if (errno == ERANGE) {
            const ssize_t needed = ::fgetxattr(fd, dosattrib::kName, nullptr, 0);
            if (needed < 0) {
                continue;  // gone or changed again: the next round says which
            }
            value.resize(static_cast<std::size_t>(needed) + 1);
            continue;
        }
        if (errno == ENODATA || IsUnsupported(errno)) {
            return std::nullopt;
        }
        ThrowErrno(errno, path);
    }
}

std::optional<dosattrib::DosInfo> DosInfoOfFile(int fd, const std::string& path) {
    const auto value = ReadDosValue(fd, path);
    return value ? dosattrib::Decode(*value) : std::nullopt;
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The open file's own name: where the path is a link, its target's, which says whether
// that file is hidden wherever it is reached from. The path's where the system does not
// tell.
std::string NameOfOpenFile(const CFile& file) {
    const std::string link = "/proc/self/fd/" + std::to_string(file.Handle());
    char target[PATH_MAX];
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target);
    if (n > 0 && static_cast<std::size_t>(n) < sizeof target && target[0] == '/') {
        return NameOf(std::string(target, static_cast<std::size_t>(n)));
    }
    return NameOf(file.GetFilePath());
}

// The attribute bits kept in the extended attribute, or those a file without one has.
std::uint8_t DosBits(const std::optional<dosattrib::DosInfo>& info, const std::string& name) {
    if (info) {
        return static_cast<std::uint8_t>(info->attributes & kDosBits);
    }
    return name.starts_with('.') ? attr::hidden : 0;
}

// The file system's birth time of an open file.
std::optional<FileTime> BirthTime(int fd) {
#ifdef STATX_BTIME
    struct statx info {};
    if (::statx(fd, "", AT_EMPTY_PATH, STATX_BTIME, &info) == 0 &&
        (info.stx_mask & STATX_BTIME) != 0) {
        return FileTime{info.stx_btime.tv_sec, static_cast<std::int32_t>(info.stx_btime.tv_nsec)};
    }
#else
    (void)fd;
#endif
    return std::nullopt;
}

struct FileState {
    struct stat info {};
    std::optional<dosattrib::DosInfo> dos;
    std::string name;
};

FileState ReadFileState(const CFile& file) {
    FileState state;
    if (::fstat(file.Handle(), &state.info) != 0) {
        ThrowErrno(errno, file.GetFilePath());
    }
    state.dos = DosInfoOfFile(file.Handle(), file.GetFilePath());
    state.name = NameOfOpenFile(file);
    return state;
}

// The creation time as the file shows it: the attribute's, else the birth time, else the
// last write.
FileTime CreationTime(const CFile& file, const FileState& state) {
    if (state.dos && state.dos->creation) {
        return *state.dos->creation;
    }
    return BirthTime(file.Handle()).value_or(FromTimespec(state.info.st_mtim));
}

// The process's umask, read without changing it where the system tells it.
mode_t CurrentUmask() {
    if (FILE* status = std::fopen("/proc/self/status", "r")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status) != nullptr) {
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        }
        std::fclose(status);
        if (found) {
            return static_cast<mode_t>(mask);
        }
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The mode with read-only set or cleared. Clearing gives the owner's write bit back, and
// group's and others' where they may read, as the umask allows.
mode_t ModeWithReadOnly(mode_t mode, bool readOnly) {
    if (readOnly) {
        return mode & ~kWriteBits;
    }
    if ((mode & S_IWUSR) != 0) {
        return mode;  // already writable: its permissions stay as the user set them
    }
    mode_t write = S_IWUSR;
    if ((mode & S_IRGRP) != 0) {
        write |= S_IWGRP;
    }
    if ((mode & S_IROTH) != 0) {
        write |= S_IWOTH;
    }
    return mode | (write & ~CurrentUmask()) | S_IWUSR;
}

void ChangeMode(const CFile& file, mode_t current, mode_t wanted) {
    if ((current & 07777) == (wanted & 07777)) {
        return;
    }
    if (::fchmod(file.Handle(), wanted & 07777) != 0) {
        ThrowErrno(errno, file.GetFilePath());
    }
}

// Writes the attribute, or removes it for none. False when the file system keeps no
// extended attributes; throws for other failures.
bool WriteDosInfo(const CFile& file, const std::optional<dosattrib::DosInfo>& info) {
    int result = 0;
    if (info) {
        const std::string value = dosattrib::Encode(*info);
        result = ::fsetxattr(file.Handle(), dosattrib::kName, value.data(), value.size(), 0);
    } else if (::fremovexattr(file.Handle(), dosattrib::kName) != 0 && errno != ENODATA) {
        result = -1;
    }
    if (result == 0) {
        return true;
    }
    const int err = errno;
    if (IsUnsupported(err)) {
        return false;
    }
    ThrowErrno(err, file.GetFilePath());
}

bool SameRecord(const std::optional<dosattrib::DosInfo>& a,
                const std::optional<dosattrib::DosInfo>& b) {
    return a.has_value() == b.has_value() && (!a || dosattrib::Encode(*a) == dosattrib::Encode(*b));
}

// One SetFileStatus: its steps in order, the parts they completed, and what a failure
// half-way must undo. Every step acts on the one open file, so that a path replaced
// meanwhile cannot receive another file's permissions.
class StatusWriter {
  public:
    StatusWriter(const CFile& file, const CFileStatus& status, StatusParts parts)
        : m_file(file),
          m_path(file.GetFilePath()),
          m_status(status),
          m_parts(parts),
          m_state(ReadFileState(file)),
          m_mode(m_state.info.st_mode) {}

    StatusWrite Run() {
        try {
            // Setting read-only: the times first, as its last step may have to undo the
            // record when the mode cannot change. Clearing it: lifted first, so that the
            // record may be written.
            const bool setReadOnly =
                Asked(part::attributes) && (m_status.m_attribute & attr::readOnly) != 0;
            if (setReadOnly) {
                WriteTimes();
            } else if (Asked(part::attributes)) {
                SetMode(ModeWithReadOnly(m_state.info.st_mode, false));
            }
            try {
                WriteRecord();
            } catch (const CFileException&) {
                Restore([&] { SetMode(m_state.info.st_mode); });
                throw;
            }
            m_applied |= m_parts & part::created;
            if (setReadOnly) {
                SetReadOnlyLast();
            } else {
                m_applied |= m_parts & part::attributes;
                WriteTimes();
            }
        } catch (const CFileException& failure) {
            if (m_applied == 0) {
                throw;
            }
            throw CStatusWriteException(failure, m_applied, m_parts & ~m_applied);
        }
        return m_result;
    }

  private:
    bool Asked(StatusParts which) const { return (m_parts & which) != 0; }

    void SetMode(mode_t mode) {
        ChangeMode(m_file, m_mode, mode);
        m_mode = mode;
    }

    bool CreationChanges() const {
        return Asked(part::created) && m_status.m_ctime != CreationTime(m_file, m_state);
    }

    // The stored record with `parts` changed; without one, a new record only when the file
    // would otherwise not show what is asked.
    std::optional<dosattrib::DosInfo> NewRecord(StatusParts parts) const {
        dosattrib::DosInfo info = m_state.dos.value_or(dosattrib::DosInfo{});
        bool needed = m_state.dos.has_value();
        if ((parts & part::attributes) != 0) {
            info.attributes = m_status.m_attribute & kRecordBits;
            needed = needed || (m_status.m_attribute & attr::readOnly) != 0 ||
                     (m_status.m_attribute & kDosBits) != DosBits(std::nullopt, m_state.name);
        }
        // An unchanged creation time stays where it came from: a birth time keeps its
        // nanoseconds, which the attribute's 100 ns units would cut.
        if ((parts & part::created) != 0 && CreationChanges()) {
            info.creation = m_status.m_ctime;
            needed = true;
        }
        return needed ? std::optional(info) : std::nullopt;
    }

    // Writing the attribute needs the write permission, which the owner of a file that
    // is read-only in its mode lends itself for the write.
    void WriteRecord() {
        if (!Asked(part::attributes | part::created)) {
            return;
        }
        const auto record = NewRecord(m_parts);
        if (SameRecord(record, m_state.dos)) {
            return;
        }
        bool kept = false;
        try {
            kept = WriteDosInfo(m_file, record);
        } catch (const CFileException& failure) {
            if (failure.m_lOsError != EACCES || (m_mode & S_IWUSR) != 0) {
                throw;
            }
            const mode_t before = m_mode;
            SetMode(before | S_IWUSR);
            kept = WriteDosInfo(m_file, record);
            SetMode(before);
        }
        if (kept) {
            m_recordWritten = true;
            return;
        }
        // Read-only alone lives in the mode as well: only the rest is lost.
        if ((Asked(part::attributes) &&
             (m_status.m_attribute & kDosBits) != DosBits(m_state.dos, m_state.name)) ||
            CreationChanges()) {
            m_result = StatusWrite::withoutExtendedAttributes;
        }
    }

    void WriteTimes() {
        if (!Asked(part::accessed | part::modified)) {
            return;
        }
        struct timespec times[2] = {{0, UTIME_OMIT}, {0, UTIME_OMIT}};
        if (Asked(part::accessed)) {
            times[0] = ToTimespec(m_status.m_atime);
        }
        if (Asked(part::modified)) {
            times[1] = ToTimespec(m_status.m_mtime);
        }
        if (::futimens(m_file.Handle(), times) != 0) {
            ThrowErrno(errno, m_path);
        }
        m_applied |= m_parts & (part::accessed | part::modified);
    }

    // When the mode cannot change (the file is another user's), the record's attributes
    // go back too, rather than leave the file read-only for Samba alone.
    void SetReadOnlyLast() {
        try {
            SetMode(ModeWithReadOnly(m_state.info.st_mode, true));
        } catch (const CFileException&) {
            if (m_recordWritten) {
                Restore([&] { WriteDosInfo(m_file, NewRecord(m_parts & part::created)); });
            }
            throw;
        }
        m_applied |= part::attributes;
    }

    // An undo after a failure: the failure that matters is the first, reported as it is.
    template <class Undo>
    static void Restore(Undo undo) {
        try {
            undo();
        } catch (const CFileException&) {
        }
    }

    const CFile& m_file;
    const std::string& m_path;
    const CFileStatus& m_status;
    const StatusParts m_parts;
    const FileState m_state;
    mode_t m_mode;
    bool m_recordWritten = false;
    StatusParts m_applied = 0;
    StatusWrite m_result = StatusWrite::complete;
};

}  // namespace

CFileStatus GetFileStatus(const CFile& file) {
    const FileState state = ReadFileState(file);
    CFileStatus status;
    status.m_mtime = FromTimespec(state.info.st_mtim);
    status.m_atime = FromTimespec(state.info.st_atim);
    status.m_ctime = CreationTime(file, state);
    status.m_size = static_cast<std::uint64_t>(state.info.st_size);
    status.m_szFullName = file.GetFilePath();
    status.m_attribute = DosBits(state.dos, state.name);
    if ((state.info.st_mode & S_IWUSR) == 0 ||
        (state.dos && (state.dos->attributes & attr::readOnly) != 0)) {
        status.m_attribute |= attr::readOnly;
    }
    return status;
}

StatusWrite SetFileStatus(const std::string& path, const CFileStatus& status, StatusParts parts) {
    // A link named by the user is followed, as when the status was read; once.
    const CFile file(path, CFile::modeRead | CFile::shareExclusive);
    return StatusWriter(file, status, parts).Run();
}

}  // namespace scx
