#pragma once
// The change the dates-and-attributes editor makes, shared by its window and the
// command line: three dates and three attribute boxes applied to a file's status.

#include <optional>
#include <string>
#include <vector>

#include "FileStatus.h"
#include "LocalDates.h"

namespace scx::tools {

struct StatusEdit {
    // Nothing for a time that cannot be broken down into a local date (a file system may
    // hold years beyond the C library's): it stays as it is.
    std::optional<LocalDate> modified;
    std::optional<LocalDate> created;
    std::optional<LocalDate> accessed;
    bool readOnly = false;
    bool hidden = false;
    bool archive = false;
};

// The form as the window fills it from `status`.
StatusEdit EditOf(const CFileStatus& status);

// `old` with each time moved to its new date (keeping its time of day) and the attribute
// byte rebuilt from the three boxes alone: system and every other bit are cleared.
// Nothing when a date cannot be represented, or its old time has no time of day to keep;
// `refused` then receives it.
std::optional<CFileStatus> EditedStatus(const CFileStatus& old, const StatusEdit& edit,
                                        LocalDate& refused);

// A date that the file did not keep: the file system could not hold it (ext4's small
// inodes stop at 2038) and stored another.
struct DateNotKept {
    StatusParts part;  // part::modified, part::created or part::accessed
    FileTime asked;
    FileTime stored;
};

struct AppliedStatus {
    StatusWrite write = StatusWrite::complete;
    std::vector<DateNotKept> notKept;
};

// Writes to the file at `path` what `edited` changes from `old`, the status it was made
// from, and nothing else: an untouched date is not rewritten, and a user who may change
// only some parts can change those. Then reads the file back. Throws CFileException, or
// CStatusWriteException when the write stopped half-way.
AppliedStatus ApplyEditedStatus(const std::string& path, const CFileStatus& old,
                                const CFileStatus& edited);

// `old` with the parts of `edited` that a write stopped half-way had applied: what the
// file now holds, from which the next change is measured.
CFileStatus WithAppliedParts(const CFileStatus& old, const CFileStatus& edited,
                             StatusParts applied);

// The dates among `parts` that `stored` does not show on the day `asked` holds. The day is
// what the editor sets; a file system may keep less than the time of day (FAT keeps the
// access date alone).
std::vector<DateNotKept> DatesNotKept(const CFileStatus& asked, const CFileStatus& stored,
                                      StatusParts parts);

// What the user is told after an ApplyEditedStatus that did not apply everything: one
// French message per remark, none when the file took every change.
std::vector<std::string> AppliedStatusRemarks(const std::string& path,
                                              const AppliedStatus& applied);

// The French report of a write that stopped half-way: the failure, naming the file, then
// what was applied and what was not.
std::string PartialWriteText(const CStatusWriteException& failure);

// "JJ/MM/AAAA", the way dates are shown outside the fields.
std::string DateText(const LocalDate& date);

}  // namespace scx::tools
