#pragma once
// Copies chosen members out of a loaded archive into a folder, one after the other.
//
// For each row, in order: a name that would leave the folder or name one (223), a size or
// position that is not a plain decimal number or a member that starts past the archive's
// end (134) is refused and the row skipped. A member that ends past the archive's end is
// a file error naming the archive. An output that is the archive itself, through any
// spelling or link, is refused (226), and so is a name too long for the folder's file system
// (238). When the name is taken (a link there counts, and is never followed), questions 107
// (overwrite?) then 108 (copy name?) decide: the copy name is "Copie_de_" + name, refused
// with 142 for names of 118 bytes or more as stored, and asked about with 107 in turn when
// it is taken too, since it may hold what the user just chose to keep. Each member is
// written to a staged file in the folder and renamed once complete, so a failure leaves no
// partial member and keeps the file it would have replaced.

#include <cstdint>
#include <string>
#include <vector>

#include "ArchiveFormat.h"
#include "OutputQuestion.h"

namespace scx::archive {

class CArchiveExtractObserver {
  public:
    virtual ~CArchiveExtractObserver() = default;
    // The existence test of the output name (the main window's, in the dialog).
    virtual bool OutputExists(const std::string& path);
    // A row refused, and not extracted: the string's text in an OK box, "%1" replaced by
    // `detail`, the member's name (the output's path for 226).
    virtual void OnRefusal(unsigned stringId, const std::string& detail) = 0;
    // Row `index` was not extracted: the answers to the questions kept `takenPath` as it was.
    virtual void OnDeclined(std::size_t /*index*/, const std::string& /*takenPath*/) {}
    // Row `index` was written: the progress bar's position.
    virtual void OnExtracted(std::size_t /*index*/, int /*percent*/) {}
    // Every few megabytes of a copy: data bytes written so far, of `total`.
    virtual void OnBytesCopied(std::uint64_t /*done*/, std::uint64_t /*total*/) {}
};

struct ExtractOptions {
    std::string archivePath;
    std::uint64_t dataStart = 0;  // from the load
    std::string destFolder;       // ends with the path separator
};

// The progress bar's denominator: the sizes as atol reads them.
std::int64_t SelectionSize(const std::vector<ArchiveEntry>& rows);

// File failures raise CFileException.
void ExtractMembers(const ExtractOptions& options, const std::vector<ArchiveEntry>& rows,
                    CArchiveExtractObserver& observer, pieces::CUserPrompt& prompt);

}  // namespace scx::archive
