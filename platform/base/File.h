#pragma once
// The file object: plain byte I/O on one file, 64-bit sizes and offsets. Every failure
// raises CFileException naming the file and the cause; nothing fails silently.
//
// Opens are exclusive ("no sharing"): on POSIX an advisory flock held for the life of the
// handle, so a second exclusive open of the same file fails with a sharing violation, as
// it does on Windows. File systems without lock support are opened all the same.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace scx {

class CFileException : public std::exception {
  public:
    enum Cause {
        none,
        genericException,  // any other failure
        fileNotFound,      // the file itself does not exist
        badPath,           // a folder of the path does not exist, or the name is invalid
        accessDenied,
        sharingViolation,  // held open by another opener
        diskFull,
        endOfFile,       // fewer bytes than required were there to read
        notRegularFile,  // a folder, pipe, socket or device: never opened as a file
        alreadyExists,   // something bears the name a new file was to take
    };

    CFileException(Cause cause, std::string fileName, int osError = 0);

    Cause m_cause;
    std::string m_strFileName;
    int m_lOsError;  // errno (GetLastError() on Windows)

    const char* what() const noexcept override { return m_what.c_str(); }

    // The cause for an errno value met while opening, reading or writing `path`.
    static Cause CauseFromErrno(int err, const std::string& path);

  private:
    std::string m_what;
};

class CFile {
  public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareExclusive = 0x0010,  // every open of this program is exclusive; kept for clarity
        modeCreate = 0x1000,      // create, truncating an existing file
        // Create a file that nothing bears the name of yet, never through a link; anything
        // there (a link included) is alreadyExists. Others may remove the file while it is
        // open, so that an interrupted program can remove the files it was writing.
        modeCreateNew = 0x2000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    // Opens at once; throws CFileException on failure.
    CFile(const std::string& path, unsigned flags);
    ~CFile();  // closes without throwing

    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    CFile(CFile&& other) noexcept;
    CFile& operator=(CFile&& other) noexcept;

    // Throws CFileException on failure.
    void Open(const std::string& path, unsigned flags);
    // Returns false and fills `error` (when given) instead of throwing.
    bool TryOpen(const std::string& path, unsigned flags, CFileException* error = nullptr);

    // Reads up to `count` bytes; returns how many were read, 0 only at end of file.
    std::size_t Read(void* buffer, std::size_t count);
    // Reads exactly `count` bytes or throws endOfFile.
    void ReadExact(void* buffer, std::size_t count);
    // Writes all `count` bytes or throws (diskFull when the device is full).
    void Write(const void* buffer, std::size_t count);

    std::uint64_t Seek(std::int64_t offset, SeekPosition from);
    void SeekToBegin() { Seek(0, begin); }
    std::uint64_t GetPosition() const;
    std::uint64_t GetLength() const;

    // The absolute path, as resolved when the file was opened (or as given to ReportAs);
    // GetFileName is its last component and GetFileTitle that without its last extension.
    const std::string& GetFilePath() const { return m_strFilePath; }
    // From now on the open file is known, and its failures reported, under `path`: a file
    // written under a temporary name is the file it is written for to the user.
    void ReportAs(std::string path) { m_strFilePath = std::move(path); }
    std::string GetFileName() const;
    std::string GetFileTitle() const;

    bool IsOpen() const { return m_fd >= 0; }
    void Close();  // throws if the system reports a deferred write error
    void Abort();  // closes, ignoring errors

    // The run of data or hole that `position` lies in, for copies that keep holes. Where
    // the system cannot tell, the whole file is one run of data. The position is kept.
    struct Extent {
        bool hole = false;
        std::uint64_t end = UINT64_MAX;
    };
    Extent ExtentAt(std::uint64_t position);

    // Asks the system to start reading `length` bytes from `offset` in the background; a
    // hint, without effect where the system has no such call (CanReadAhead false). It
    // may wait for room in the disk's queue, but not for the bytes.
    void ReadAhead(std::uint64_t offset, std::uint64_t length);
    // The same for a regular file that is not open here: it is opened for the hint alone,
    // without the lock, which would refuse the file to the open that is to read it.
    static void ReadAheadByPath(const std::string& path, std::uint64_t offset,
                                std::uint64_t length);
    static bool CanReadAhead();

    // Copies `count` bytes from the current position of `from` to the current position of
    // `to`, in the kernel where it can; returns the number copied, below `count` only when
    // `from` reached its end. Memory use does not depend on `count`.
    static std::uint64_t Copy(CFile& from, CFile& to, std::uint64_t count);

    // Test hook: consulted before every open, read, write and close; returning an errno
    // value makes that operation fail with it (a failed close still releases the file, as
    // a deferred write error does). `limit` may be lowered to make a read or write short.
    // Never set outside tests.
    enum class Op { open, read, write, close };
    using FaultHook = std::function<int(Op op, const std::string& path, std::uint64_t position,
                                        std::size_t& limit)>;
    static void SetFaultHook(FaultHook hook);
    // Whether the hook is set: whatever bypasses Read and Write (in-kernel copies, views)
    // steps aside then, so that the hook sees every transfer.
    static bool HasFaultHook();

    // Handle value for platform code.
    int Handle() const { return m_fd; }

    // The characters that end a folder in a path on this platform.
#ifdef _WIN32
    static constexpr const char* kPathSeparators = "\\/";
#else
    static constexpr const char* kPathSeparators = "/";
#endif

    // The characters that no file name holds besides the separators and the zero byte: Windows
    // refuses a name with one as invalid, which an existence test would take for a file there.
#ifdef _WIN32
    static constexpr std::string_view kForbiddenNameCharacters =
        "\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f\x10\x11\x12\x13\x14"
        "\x15\x16\x17\x18\x19\x1a\x1b\x1c\x1d\x1e\x1f\"*:<>?|";
#else
    static constexpr std::string_view kForbiddenNameCharacters = {};
#endif

  private:
    // Raises the failure of an operation on the open file (not of an open).
    [[noreturn]] void Throw(int err) const;

    // 0, or the errno value the test hook asks for.
    static int ConsultFaultHook(Op op, const std::string& path, std::uint64_t position,
                                std::size_t& limit);
    // Copy through Read and Write with a fixed buffer: the portable path, and the one that
    // honours the fault hook.
    static std::uint64_t CopyThroughBuffer(CFile& from, CFile& to, std::uint64_t count);

    int m_fd = -1;
    std::string m_strFilePath;
};

}  // namespace scx
