#include "StatusEdit.h"

#include <cstdio>

namespace scx::tools {

std::optional<StatusEdit> EditOf(const CFileStatus& status) {
    const auto modified = ToLocal(status.m_mtime);
    const auto created = ToLocal(status.m_ctime);
    const auto accessed = ToLocal(status.m_atime);
    if (!modified || !created || !accessed) {
        return std::nullopt;
    }
    StatusEdit edit;
    edit.modified = modified->date;
    edit.created = created->date;
    edit.accessed = accessed->date;
    edit.readOnly = (status.m_attribute & attr::readOnly) != 0;
    edit.hidden = (status.m_attribute & attr::hidden) != 0;
    edit.archive = (status.m_attribute & attr::archive) != 0;
    return edit;
}

std::optional<CFileStatus> EditedStatus(const CFileStatus& old, const StatusEdit& edit,
                                        LocalDate& refused) {
    CFileStatus edited = old;
    const struct {
        FileTime CFileStatus::*time;
        const LocalDate& date;
    } moves[] = {{&CFileStatus::m_mtime, edit.modified},
                 {&CFileStatus::m_ctime, edit.created},
                 {&CFileStatus::m_atime, edit.accessed}};
    for (const auto& move : moves) {
        const auto moved = MoveToDate(old.*move.time, move.date);
        if (!moved) {
            refused = move.date;
            return std::nullopt;
        }
        edited.*move.time = *moved;
    }
    edited.m_attribute = (edit.readOnly ? attr::readOnly : 0) | (edit.hidden ? attr::hidden : 0) |
                         (edit.archive ? attr::archive : 0);
    return edited;
}

StatusWrite ApplyEditedStatus(const std::string& path, const CFileStatus& edited) {
    // Its failure shows in the status write that follows, which needs it on platforms
    // where a read-only file's times cannot be changed.
    WriteFileAttributes(path, attr::normal);
    return SetFileStatus(path, edited);
}

std::string DateText(const LocalDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.day, date.month, date.year);
    return text;
}

}  // namespace scx::tools
