#include "FileComparison.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "File.h"
#include "ResourceIds.h"
#include "Resources.h"

namespace scx::tools {

ComparisonResult CompareFiles(const std::string& path1, const std::string& path2,
                              std::size_t blockSize) {
    if (path1 == path2) {
        return {ComparisonResult::Kind::samePath, 0};
    }
    CFile file1(path1, CFile::modeRead | CFile::shareExclusive);
    CFile file2(path2, CFile::modeRead | CFile::shareExclusive);
    const std::uint64_t length1 = file1.GetLength();
    const std::uint64_t length2 = file2.GetLength();
    const std::uint64_t common = std::min(length1, length2);

    const std::size_t bufferSize = static_cast<std::size_t>(std::min<std::uint64_t>(
        std::max<std::size_t>(blockSize, 1), std::max<std::uint64_t>(common, 1)));
    const auto buffer1 = std::make_unique_for_overwrite<char[]>(bufferSize);
    const auto buffer2 = std::make_unique_for_overwrite<char[]>(bufferSize);
    // Where both files hold a hole they hold zeros alike: skipped without reading.
    CFile::Extent extent1{false, 0};
    CFile::Extent extent2{false, 0};
    for (std::uint64_t done = 0; done < common;) {
        if (done >= extent1.end) {
            extent1 = file1.ExtentAt(done);
        }
        if (done >= extent2.end) {
            extent2 = file2.ExtentAt(done);
        }
        if (extent1.hole && extent2.hole) {
            done = std::min({extent1.end, extent2.end, common});
            file1.Seek(static_cast<std::int64_t>(done), CFile::begin);
            file2.Seek(static_cast<std::int64_t>(done), CFile::begin);
            continue;
        }
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(common - done, bufferSize));
        // Exact reads: a file cut short while it is compared is an error, not a result.
        file1.ReadExact(buffer1.get(), want);
        file2.ReadExact(buffer2.get(), want);
        if (std::memcmp(buffer1.get(), buffer2.get(), want) != 0) {
            char* end = buffer1.get() + want;
            const char* differing = std::mismatch(buffer1.get(), end, buffer2.get()).first;
            return {ComparisonResult::Kind::different,
                    done + static_cast<std::uint64_t>(differing - buffer1.get()) + 1};
        }
        done += want;
    }
    file1.Close();
    file2.Close();
    if (length1 == length2) {
        return {ComparisonResult::Kind::identical, 0};
    }
    return {ComparisonResult::Kind::different, common};
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
    const std::uint64_t length = file.GetLength();
    file.Close();
    return length;
}

}  // namespace scx::tools
