#pragma once
// The writer of package archives (see ArchiveFormat.h): the header, then each member's
// bytes in list order.
//
// Before anything is created it refuses, through OnRefusal and in this order:
//   137  a property holding ";";
//   232  a property longer than kMaxFieldBytes as stored;
//   220  a member whose name holds ";" or would not be extracted (the path is given);
//   221  an archive path that names one of the members, through any spelling or link;
//   222  members adding up to more than 2 147 483 647 bytes.
// Each member's size is measured when the writing starts (opening it), and the directory
// holds those sizes; a member whose length then differs while it is copied, or that holds
// more than its length says (files of /proc), is a file error naming it, and the writing
// stops there. The archive is written to a staged file
// beside `path` and put in its place only when whole: a failure raises CFileException,
// removes what was written and leaves a file already at `path` as it was.

#include <cstdint>
#include <string>
#include <vector>

#include "ArchiveFormat.h"

namespace scx::archive {

struct ArchiveMemberFile {
    std::string name;  // the entry's name, UTF-8, without folder
    std::string path;  // where its bytes are read from
};

class CArchiveWriteObserver {
  public:
    virtual ~CArchiveWriteObserver() = default;
    virtual void OnRefusal(unsigned stringId, const std::string& path) = 0;
    // Before directory entry `index` is written.
    virtual void OnEntryWriting(std::size_t /*index*/) {}
    // Before member `index`'s bytes are copied.
    virtual void OnMemberWriting(std::size_t /*index*/) {}
    // After member `index` was copied: the progress bar's position.
    virtual void OnMemberWritten(std::size_t /*index*/, int /*percent*/) {}
    // Every few megabytes of a copy: data bytes written so far, of `total`.
    virtual void OnBytesCopied(std::uint64_t /*done*/, std::uint64_t /*total*/) {}
};

enum class WriteResult { written, refused };

// The properties in UTF-8 (the comment with CR LF line breaks).
WriteResult WriteArchive(const std::string& path, const ArchiveProperties& properties,
                         const std::vector<ArchiveMemberFile>& members,
                         CArchiveWriteObserver& observer);

// The index of the member whose file `archivePath` names, or -1.
std::ptrdiff_t FindArchiveAmongMembers(const std::string& archivePath,
                                       const std::vector<ArchiveMemberFile>& members);

}  // namespace scx::archive
