#include "ArchiveWriter.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "DataCopy.h"
#include "File.h"
#include "ReadAhead.h"
#include "ResourceIds.h"
#include "StagedFile.h"
#include "Utf8Path.h"

namespace scx::archive {

namespace {

// Directory entries are gathered and written in blocks of about this size.
constexpr std::size_t kHeaderBlock = 1 << 20;

constexpr std::string_view kTemporaryStem = "scindarex-archive";

bool HoldsSemicolon(std::string_view text) {
    return text.find(';') != std::string_view::npos;
}

bool TooLongToReadBack(std::string_view text) {
    return EncodeHeaderText(text).size() > kMaxFieldBytes;
}

std::int64_t MeasureMember(const ArchiveMemberFile& member) {
    CFile file(member.path, CFile::modeRead | CFile::shareExclusive);
    const std::uint64_t length = file.GetLength();
    file.Close();
    return static_cast<std::int64_t>(std::min<std::uint64_t>(length, kMaxDataBytes + 1ull));
}

std::string PropertyBlock(const ArchiveProperties& properties) {
    std::string text(kFixedStart);
    text += kWrittenVersion;
    text += ';';
    text += kWrittenRevision;
    text += ';';
    text += EncodeHeaderText(properties.author) + ';';
    text += EncodeHeaderText(properties.content) + ';';
    text += EncodeHeaderText(properties.comment) + ";}";
    return text;
}

// Copies one member whose measured size is `size`; a member that grew or shrank since it
// was measured, or that holds more than its length says (files of /proc say 0), is a
// failure of that file.
void CopyMember(const ArchiveMemberFile& member, std::int64_t size, CFile& archive,
                std::uint64_t doneBefore, std::uint64_t total, pieces::CReadAhead& ahead,
                std::size_t index, CArchiveWriteObserver& observer) {
    CFile file(member.path, CFile::modeRead | CFile::shareExclusive);
    if (file.GetLength() != static_cast<std::uint64_t>(size)) {
        throw CFileException(CFileException::genericException, file.GetFilePath());
    }
    pieces::CopyExactly(file, archive, static_cast<std::uint64_t>(size), [&](std::uint64_t copied) {
        ahead.Reached(index, copied);
        observer.OnBytesCopied(doneBefore + copied, total);
    });
    char beyond;
    if (file.GetLength() != static_cast<std::uint64_t>(size) || file.Read(&beyond, 1) != 0) {
        throw CFileException(CFileException::genericException, file.GetFilePath());
    }
    file.Close();
}

}  // namespace

std::ptrdiff_t FindArchiveAmongMembers(const std::string& archivePath,
                                       const std::vector<ArchiveMemberFile>& members) {
    // A member exists (it is read), so only an archive path that exists can name it.
    std::error_code error;
    if (!std::filesystem::exists(Utf8Path(archivePath), error)) {
        return -1;
    }
    for (std::size_t i = 0; i < members.size(); ++i) {
        if (IsSameExistingFile(archivePath, members[i].path)) {
            return static_cast<std::ptrdiff_t>(i);
        }
    }
    return -1;
}

WriteResult WriteArchive(const std::string& path, const ArchiveProperties& properties,
                         const std::vector<ArchiveMemberFile>& members,
                         CArchiveWriteObserver& observer) {
    if (HoldsSemicolon(properties.author) || HoldsSemicolon(properties.content) ||
        HoldsSemicolon(properties.comment)) {
        observer.OnRefusal(res::IDS_INVALID_CHARACTER, {});
        return WriteResult::refused;
    }
    if (TooLongToReadBack(properties.author) || TooLongToReadBack(properties.content) ||
        TooLongToReadBack(properties.comment)) {
        observer.OnRefusal(res::IDS_PROPERTY_TOO_LONG, {});
        return WriteResult::refused;
    }
    for (const ArchiveMemberFile& member : members) {
        if (!IsStorableName(member.name)) {
            observer.OnRefusal(res::IDS_NAME_NOT_STORABLE, member.path);
            return WriteResult::refused;
        }
    }
    if (const std::ptrdiff_t index = FindArchiveAmongMembers(path, members); index >= 0) {
        observer.OnRefusal(res::IDS_ARCHIVE_IS_MEMBER,
                           members[static_cast<std::size_t>(index)].path);
        return WriteResult::refused;
    }
    std::vector<std::int64_t> sizes;
    sizes.reserve(members.size());
    std::int64_t total = 0;
    for (const ArchiveMemberFile& member : members) {
        sizes.push_back(MeasureMember(member));
        total += sizes.back();
        if (total > kMaxDataBytes) {
            observer.OnRefusal(res::IDS_ARCHIVE_TOO_LARGE, path);
            return WriteResult::refused;
        }
    }

    // The archive it replaces stays until this one is whole.
    CStagedFile staged(PathThroughLinks(path), kTemporaryStem);
    CFile& archive = staged.File();
    std::string block = PropertyBlock(properties) + "@struct;{";
    std::int64_t position = 0;
    for (std::size_t i = 0; i < members.size(); ++i) {
        observer.OnEntryWriting(i);
        block += "#f(" + EncodeHeaderText(members[i].name) + ';' + std::to_string(sizes[i]) + ';' +
                 std::to_string(position) + ';';
        position += sizes[i];
        if (block.size() >= kHeaderBlock) {
            archive.Write(block.data(), block.size());
            block.clear();
        }
    }
    block += "}@end;";
    archive.Write(block.data(), block.size());

    // The disk reads the next members while this one is written.
    std::vector<std::string> paths;
    paths.reserve(members.size());
    for (const ArchiveMemberFile& member : members) {
        paths.push_back(member.path);
    }
    pieces::CReadAhead ahead(std::move(paths), 0);
    std::uint64_t done = 0;
    for (std::size_t i = 0; i < members.size(); ++i) {
        observer.OnMemberWriting(i);
        CopyMember(members[i], sizes[i], archive, done, static_cast<std::uint64_t>(total), ahead, i,
                   observer);
        done += static_cast<std::uint64_t>(sizes[i]);
        observer.OnMemberWritten(i, ProgressPercent(static_cast<std::int64_t>(done), total));
    }
    staged.Commit();
    return WriteResult::written;
}

}  // namespace scx::archive
