#include "DataCopy.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "File.h"
#include "Utf8Path.h"

namespace scx::pieces {

void CopyExactly(CFile& from, CFile& to, std::uint64_t count,
                 const std::function<void(std::uint64_t copied)>& onProgress) {
    // Skipping a hole in the output only reads back as zeros at the end of the file.
    const bool holesAllowed = to.GetPosition() >= to.GetLength();
    bool endsInHole = false;
    std::uint64_t copied = 0;
    while (copied < count) {
        const std::uint64_t position = from.GetPosition();
        const CFile::Extent extent = holesAllowed ? from.ExtentAt(position) : CFile::Extent{};
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
    if (std::filesystem::equivalent(Utf8Path(a), Utf8Path(b), error) && !error) {
        return true;
    }
    const std::filesystem::path left = std::filesystem::weakly_canonical(Utf8Path(a), error);
    if (error) {
        return false;
    }
    const std::filesystem::path right = std::filesystem::weakly_canonical(Utf8Path(b), error);
    return !error && left == right;
}

}  // namespace scx::pieces
