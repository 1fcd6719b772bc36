#pragma once
// The change the dates-and-attributes editor makes, shared by its window and the
// command line: three dates and three attribute boxes applied to a file's status.

#include <optional>
#include <string>

#include "FileStatus.h"
#include "LocalDates.h"

namespace scx::tools {

struct StatusEdit {
    LocalDate modified;
    LocalDate created;
    LocalDate accessed;
    bool readOnly = false;
    bool hidden = false;
    bool archive = false;
};

// The form as the window fills it from `status`; nothing when one of its times cannot be
// broken down into a local date.
std::optional<StatusEdit> EditOf(const CFileStatus& status);

// `old` with each time moved to its new date (keeping its time of day) and the attribute
// byte rebuilt from the three boxes alone: system and every other bit are cleared.
// Nothing when a date cannot be represented; `refused` then receives it.
std::optional<CFileStatus> EditedStatus(const CFileStatus& old, const StatusEdit& edit,
                                        LocalDate& refused);

// Writes `edited` to the file at `path`: the attributes of a normal file first (which
// lifts read-only), then the times and the new attributes. Throws CFileException.
StatusWrite ApplyEditedStatus(const std::string& path, const CFileStatus& edited);

// "JJ/MM/AAAA", the way dates are shown outside the fields.
std::string DateText(const LocalDate& date);

}  // namespace scx::tools
