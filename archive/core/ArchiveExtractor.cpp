#include "ArchiveExtractor.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

#include "DataCopy.h"
#include "DecimalText.h"
#include "File.h"
#include "FileExistence.h"
#include "PieceNames.h"
#include "ReadAhead.h"
#include "ResourceIds.h"
#include "StagedFile.h"
#include "Utf8Path.h"

namespace scx::archive {

namespace {

constexpr std::string_view kTemporaryStem = "scindarex-extraction";

// What the destination folder shows of an output name, looked at once without following a
// link: a dangling link is a name the user has, and a name too long for the folder's file
// system would be taken for an existing file, and its creation would end the extraction.
enum class NameLook { tooLong, seen, unseen };

NameLook LookAt(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status =
        std::filesystem::symlink_status(Utf8Path(path), error);
    if (error == std::errc::filename_too_long) {
        return NameLook::tooLong;
    }
    return !error && status.type() != std::filesystem::file_type::not_found ? NameLook::seen
                                                                            : NameLook::unseen;
}

// Whether anything bears `path`. Where the folder shows nothing, or cannot be read, the
// existence test decides.
bool NameTaken(NameLook look, const std::string& path, CArchiveExtractObserver& observer) {
    return look == NameLook::seen || observer.OutputExists(path);
}

// Writes `size` bytes of `archive` from `offset` under `path`, through a staged file that
// only a complete copy puts in its place.
void WriteMember(CFile& archive, std::uint64_t offset, std::uint64_t size, const std::string& path,
                 pieces::CReadAhead& ahead, const std::function<void(std::uint64_t)>& onProgress) {
    CStagedFile output(path, kTemporaryStem);
    archive.Seek(static_cast<std::int64_t>(offset), CFile::begin);
    ahead.Reached(0, offset);
    pieces::CopyExactly(archive, output.File(), size, [&](std::uint64_t copied) {
        ahead.Reached(0, offset + copied);
        onProgress(copied);
    });
    output.Commit();
}

// The path row `index` is written to, after the refusals and questions; none when the row
// is skipped, which the observer has then been told.
std::optional<std::string> ChooseOutput(const ExtractOptions& options, std::size_t index,
                                        const std::string& name, CArchiveExtractObserver& observer,
                                        pieces::CUserPrompt& prompt) {
    // The refusals of an output path, ending with `outputName`.
    const auto refused = [&](const std::string& path, const std::string& outputName,
                             NameLook look) {
        if (IsSameExistingFile(path, options.archivePath)) {
            observer.OnRefusal(res::IDS_OUTPUT_IS_ARCHIVE, path);
            return true;
        }
        if (outputName.find_first_of(CFile::kForbiddenNameCharacters) != std::string::npos) {
            observer.OnRefusal(res::IDS_NAME_FORBIDDEN_CHARACTER, outputName);
            return true;
        }
        if (look == NameLook::tooLong) {
            observer.OnRefusal(res::IDS_NAME_TOO_LONG_FOR_FOLDER, outputName);
            return true;
        }
        return false;
    };
    std::string path = options.destFolder + name;
    NameLook look = LookAt(path);
    if (refused(path, name, look)) {
        return std::nullopt;
    }
    switch (pieces::ChooseOutputName(NameTaken(look, path, observer), prompt, name)) {
        case pieces::OutputNameChoice::keepName:
            return path;
        case pieces::OutputNameChoice::cancel:
            observer.OnDeclined(index, path);
            return std::nullopt;
        case pieces::OutputNameChoice::useCopyName:
            break;
    }
    if (EncodeHeaderText(name).size() > kMaxPrefixableNameBytes) {
        observer.OnRefusal(res::IDS_NAME_TOO_LONG, name);
        return std::nullopt;
    }
    const std::string copyName = std::string(pieces::kCopyPrefix) + name;
    path = options.destFolder + copyName;
    look = LookAt(path);
    if (refused(path, copyName, look)) {
        return std::nullopt;
    }
    if (NameTaken(look, path, observer) && !prompt.AskYesNo(res::IDS_OVERWRITE, copyName)) {
        observer.OnDeclined(index, path);
        return std::nullopt;
    }
    return path;
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
    // Past each member's end too: the next member usually follows it.
    pieces::CReadAhead ahead({archive.GetFilePath()}, options.dataStart);
    std::int64_t done = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ArchiveEntry& row = rows[i];
        if (!IsExtractableName(row.name)) {
            observer.OnRefusal(res::IDS_UNSAFE_ENTRY_NAME, row.name);
            continue;
        }
        const auto size = ParsePlainDecimal(row.sizeText);
        const auto position = ParsePlainDecimal(row.positionText);
        // Both fit in 63 bits, so their sum cannot wrap.
        const std::uint64_t offset =
            options.dataStart + static_cast<std::uint64_t>(position.value_or(0));
        if (!size || !position || offset > archiveLength) {
            observer.OnRefusal(res::IDS_ARCHIVE_CORRUPT, row.name);
            continue;
        }
        if (static_cast<std::uint64_t>(*size) > archiveLength - offset) {
            throw CFileException(CFileException::endOfFile, archive.GetFilePath());
        }
        const std::optional<std::string> output =
            ChooseOutput(options, i, row.name, observer, prompt);
        if (!output) {
            continue;
        }
        WriteMember(archive, offset, static_cast<std::uint64_t>(*size), *output, ahead,
                    [&](std::uint64_t copied) {
                        observer.OnBytesCopied(static_cast<std::uint64_t>(done) + copied,
                                               static_cast<std::uint64_t>(total));
                    });
        done += *size;
        observer.OnExtracted(i, ProgressPercent(done, total));
    }
    archive.Close();
}

}  // namespace scx::archive
