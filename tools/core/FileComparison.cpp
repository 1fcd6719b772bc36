#include "FileComparison.h"

#include <algorithm>
#include <memory>

#include "File.h"
#include "FileView.h"
#include "ResourceIds.h"
#include "Resources.h"

namespace scx::tools {

namespace {

// Read blocks stay in the processor's cache between the read and the comparison; blocks
// of megabytes have left it by then and cost twice as much.
constexpr std::size_t kReadBlockSize = std::size_t{256} << 10;

// How far ahead of the comparison the system is asked to read, in blocks (64 MiB): both
// files are then read at once instead of in turn, and the disk's queue stays full.
constexpr std::uint64_t kBlocksAhead = 8;

ComparisonResult DifferentAt(std::uint64_t position) {
    return {ComparisonResult::Kind::different, position};
}

// A file that ended before the length it reported when opened, and now reports less, was
// cut short while it was compared: that makes no result. A file that reports more than
// it holds (some of /sys) and never changed is taken as it reads.
void CheckNotShortened(const CFile& file, std::uint64_t openedLength, std::uint64_t end) {
    if (end < openedLength && file.GetLength() < openedLength) {
        throw CFileException(CFileException::endOfFile, file.GetFilePath());
    }
}

}  // namespace

ComparisonResult CompareFiles(const std::string& path1, const std::string& path2,
                              std::size_t blockSize) {
    if (path1 == path2) {
        return {ComparisonResult::Kind::samePath, 0};
    }
    blockSize = std::max<std::size_t>(blockSize, 1);
    CFile file1(path1, CFile::modeRead | CFile::shareExclusive);
    CFile file2(path2, CFile::modeRead | CFile::shareExclusive);
    const std::uint64_t length1 = file1.GetLength();
    const std::uint64_t length2 = file2.GetLength();
    // Within what both files report, holes both share are skipped and the bytes viewed
    // rather than read. Beyond it both are read to their end: a size may be out of date,
    // or not reported at all (the files of /proc report 0).
    const std::uint64_t reported = std::min(length1, length2);

    const std::size_t readSize = std::min(blockSize, kReadBlockSize);
    std::unique_ptr<char[]> buffer1;
    std::unique_ptr<char[]> buffer2;
    CFile::Extent extent1{false, 0};
    CFile::Extent extent2{false, 0};
    std::uint64_t advised = 0;
    std::uint64_t done = 0;
    for (;;) {
        if (done < reported) {
            if (done >= extent1.end) {
                extent1 = file1.ExtentAt(done);
            }
            if (done >= extent2.end) {
                extent2 = file2.ExtentAt(done);
            }
            if (extent1.hole && extent2.hole) {
                done = std::min({extent1.end, extent2.end, reported});
                continue;
            }
            const std::uint64_t ahead = std::min(reported, done + (kBlocksAhead + 1) * blockSize);
            if (advised < ahead) {
                advised = std::max(advised, done);
                file1.ReadAhead(advised, ahead - advised);
                file2.ReadAhead(advised, ahead - advised);
                advised = ahead;
            }
            const std::size_t want =
                static_cast<std::size_t>(std::min<std::uint64_t>(reported - done, blockSize));
            const CFileView view1 = CFileView::Map(file1, done, want);
            const CFileView view2 = CFileView::Map(file2, done, want);
            if (view1.IsMapped() && view2.IsMapped()) {
                const std::size_t same = FirstDifference(view1, view2, want);
                if (same < want) {
                    return DifferentAt(done + same + 1);
                }
                done += want;
                continue;
            }
        }

        if (!buffer1) {
            buffer1 = std::make_unique_for_overwrite<char[]>(readSize);
            buffer2 = std::make_unique_for_overwrite<char[]>(readSize);
        }
        file1.Seek(static_cast<std::int64_t>(done), CFile::begin);
        file2.Seek(static_cast<std::int64_t>(done), CFile::begin);
        const std::size_t got1 = file1.Read(buffer1.get(), readSize);
        const std::size_t got2 = file2.Read(buffer2.get(), readSize);
        const std::size_t both = std::min(got1, got2);
        const std::size_t same = FirstDifference(buffer1.get(), buffer2.get(), both);
        if (same < both) {
            return DifferentAt(done + same + 1);
        }
        done += both;
        // A short read is a file's end. The result depends on the end of the shorter file,
        // or of both when they end together.
        if (got1 < readSize || got2 < readSize) {
            if (got1 == both) {
                CheckNotShortened(file1, length1, done);
            }
            if (got2 == both) {
                CheckNotShortened(file2, length2, done);
            }
            file1.Close();
            file2.Close();
            return got1 == got2 ? ComparisonResult{ComparisonResult::Kind::identical, 0}
                                : DifferentAt(done);
        }
    }
}

std::string ComparisonText(const ComparisonResult& result) {
    switch (result.kind) {
        case ComparisonResult::Kind::identical:
            return res::LoadString(res::IDS_FILES_IDENTICAL);
        case ComparisonResult::Kind::samePath:
            return res::LoadString(res::IDS_SAME_FILE);
        case ComparisonResult::Kind::different:
            break;
    }
    return std::to_string(result.position);
}

std::uint64_t FileLength(const std::string& path) {
    CFile file(path, CFile::modeRead | CFile::shareExclusive);
    std::uint64_t length = file.GetLength();
    if (length == 0) {
        // No size reported: an empty file, or one whose bytes are made as they are read
        // (/proc). Its length is what a read finds.
        const auto buffer = std::make_unique_for_overwrite<char[]>(kReadBlockSize);
        while (const std::size_t got = file.Read(buffer.get(), kReadBlockSize)) {
            length += got;
        }
    }
    file.Close();
    return length;
}

}  // namespace scx::tools
