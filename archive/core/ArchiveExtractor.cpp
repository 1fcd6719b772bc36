#include "ArchiveExtractor.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "DataCopy.h"
#include "DecimalText.h"
#include "File.h"
#include "FileExistence.h"
#include "PieceNames.h"
#include "ResourceIds.h"
#include "Utf8Path.h"

namespace scx::archive {

namespace {

// The archive is read ahead of the copy by this much, so that the disk reads while the
// member is written.
constexpr std::uint64_t kReadAhead = std::uint64_t{64} << 20;

// A name of the destination folder that nothing bears yet, for the member being written.
std::string FreeTemporaryPath(const std::string& folder) {
    for (unsigned n = 1;; ++n) {
        std::string path = folder + ".scindarex-extraction-" + std::to_string(n) + ".tmp";
        if (pieces::ProbeFile(path) == pieces::FileProbe::missing) {
            return path;
        }
    }
}

// Writes `size` bytes of `archive` from `offset` under `path`, through a temporary file
// that only a complete copy replaces `path` with.
void WriteMember(CFile& archive, std::uint64_t offset, std::uint64_t size,
                 const std::string& folder, const std::string& path,
                 const std::function<void(std::uint64_t)>& onProgress) {
    const std::string temporary = FreeTemporaryPath(folder);
    try {
        CFile output(temporary, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive);
        archive.Seek(static_cast<std::int64_t>(offset), CFile::begin);
        // Past the member's end too: the next member usually follows it.
        archive.ReadAhead(offset, kReadAhead);
        pieces::CopyExactly(archive, output, size, [&](std::uint64_t copied) {
            archive.ReadAhead(offset + copied, kReadAhead);
            onProgress(copied);
        });
        output.Close();
        std::error_code error;
        std::filesystem::rename(Utf8Path(temporary), Utf8Path(path), error);
        if (error) {
            throw CFileException(CFileException::CauseFromErrno(error.value(), path), path,
                                 error.value());
        }
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(Utf8Path(temporary), ignored);
        throw;
    }
}

}  // namespace

bool CArchiveExtractObserver::OutputExists(const std::string& path) {
    return pieces::FileExists(path);
}

std::int64_t SelectionSize(const std::vector<ArchiveEntry>& rows) {
    std::int64_t total = 0;
    for (const ArchiveEntry& row : rows) {
        const std::int64_t size = pieces::ParseLeadingDecimal(row.sizeText);
        total += std::clamp<std::int64_t>(size, 0, kMaxDataBytes);
    }
    return total;
}

void ExtractMembers(const ExtractOptions& options, const std::vector<ArchiveEntry>& rows,
                    CArchiveExtractObserver& observer, pieces::CUserPrompt& prompt) {
    CFile archive(options.archivePath, CFile::modeRead | CFile::shareExclusive);
    const std::uint64_t archiveLength = archive.GetLength();
    const std::int64_t total = SelectionSize(rows);
    std::int64_t done = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ArchiveEntry& row = rows[i];
        const auto refuse = [&](unsigned stringId) {
            observer.OnRefusal(stringId, row.name);
            observer.OnSkipped(i);
        };
        if (!IsExtractableName(row.name)) {
            refuse(res::IDS_UNSAFE_ENTRY_NAME);
            continue;
        }
        const auto size = ParsePlainDecimal(row.sizeText);
        const auto position = ParsePlainDecimal(row.positionText);
        // Both fit in 63 bits, so their sum cannot wrap.
        const std::uint64_t offset =
            options.dataStart + static_cast<std::uint64_t>(position.value_or(0));
        if (!size || !position || offset > archiveLength) {
            refuse(res::IDS_ARCHIVE_CORRUPT);
            continue;
        }
        if (static_cast<std::uint64_t>(*size) > archiveLength - offset) {
            throw CFileException(CFileException::endOfFile, archive.GetFilePath());
        }

        std::string name = row.name;
        switch (pieces::ChooseOutputName(observer.OutputExists(options.destFolder + name), prompt,
                                         name)) {
            case pieces::OutputNameChoice::keepName:
                break;
            case pieces::OutputNameChoice::useCopyName:
                if (EncodeHeaderText(name).size() > kMaxPrefixableNameBytes) {
                    refuse(res::IDS_NAME_TOO_LONG);
                    continue;
                }
                name = std::string(pieces::kCopyPrefix) + name;
                break;
            case pieces::OutputNameChoice::cancel:
                observer.OnSkipped(i);
                continue;
        }
        WriteMember(archive, offset, static_cast<std::uint64_t>(*size), options.destFolder,
                    options.destFolder + name, [&](std::uint64_t copied) {
                        observer.OnBytesCopied(static_cast<std::uint64_t>(done) + copied,
                                               static_cast<std::uint64_t>(total));
                    });
        done += *size;
        observer.OnExtracted(i, ProgressPercent(done, total));
    }
    archive.Close();
}

}  // namespace scx::archive
