#include "DataCopy.h"

#if __has_include(<unistd.h>)
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <limits>
#include <system_error>

#include "File.h"

namespace scx::pieces {

namespace {

struct Extent {
    bool hole = false;
    std::uint64_t end = std::numeric_limits<std::uint64_t>::max();
};

// The run of data or hole that `position` lies in. Without hole support the whole file is
// one run of data. The lookups move the file's position, which is put back.
Extent ExtentAt(CFile& file, std::uint64_t position) {
    Extent extent;
#if defined(SEEK_DATA) && defined(SEEK_HOLE)
    const int fd = file.Handle();
    const auto offset = static_cast<off_t>(position);
    const off_t data = ::lseek(fd, offset, SEEK_DATA);
    if (data < 0) {
        // ENXIO: nothing but hole from here to the end. Past the end, let the copy find
        // the end of file itself.
        const int error = errno;
        const std::uint64_t length = file.GetLength();
        if (error == ENXIO && position < length) {
            extent = {true, length};
        }
    } else if (data > offset) {
        extent = {true, static_cast<std::uint64_t>(data)};
    } else {
        const off_t hole = ::lseek(fd, offset, SEEK_HOLE);
        if (hole > offset) {
            extent.end = static_cast<std::uint64_t>(hole);
        }
    }
    file.Seek(static_cast<std::int64_t>(position), CFile::begin);
#else
    (void)file;
    (void)position;
#endif
    return extent;
}

}  // namespace

void CopyExactly(CFile& from, CFile& to, std::uint64_t count,
                 const std::function<void(std::uint64_t copied)>& onProgress) {
    // Skipping a hole in the output only reads back as zeros at the end of the file.
    const bool holesAllowed = to.GetPosition() >= to.GetLength();
    bool endsInHole = false;
    std::uint64_t copied = 0;
    while (copied < count) {
        const std::uint64_t position = from.GetPosition();
        const Extent extent = holesAllowed ? ExtentAt(from, position) : Extent{};
        std::uint64_t step = std::min(count - copied, extent.end - position);
        if (extent.hole) {
            from.Seek(static_cast<std::int64_t>(step), CFile::current);
            to.Seek(static_cast<std::int64_t>(step), CFile::current);
            endsInHole = true;
        } else {
            step = std::min(step, kCopyReportBytes);
            const std::uint64_t got = CFile::Copy(from, to, step);
            copied += got;
            if (got < step) {
                throw CFileException(CFileException::endOfFile, from.GetFilePath());
            }
            endsInHole = false;
            if (onProgress) {
                onProgress(copied);
            }
            continue;
        }
        copied += step;
        if (onProgress) {
            onProgress(copied);
        }
    }
    if (endsInHole) {
        // A trailing hole is only a position; one written byte gives the file its length.
        to.Seek(-1, CFile::current);
        const char zero = 0;
        to.Write(&zero, 1);
    }
}

bool IsSameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error) && !error) {
        return true;
    }
    const std::filesystem::path left = std::filesystem::weakly_canonical(a, error);
    if (error) {
        return false;
    }
    const std::filesystem::path right = std::filesystem::weakly_canonical(b, error);
    return !error && left == right;
}

}  // namespace scx::pieces
