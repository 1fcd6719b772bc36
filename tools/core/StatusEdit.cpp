#include "StatusEdit.h"

#include <cstdio>

#include "File.h"
#include "FileErrorText.h"
#include "ResourceIds.h"
#include "Resources.h"

namespace scx::tools {

StatusEdit EditOf(const CFileStatus& status) {
    const auto date = [](const FileTime& time) -> std::optional<LocalDate> {
        const auto local = ToLocal(time);
        return local ? std::optional(local->date) : std::nullopt;
    };
    StatusEdit edit;
    edit.modified = date(status.m_mtime);
    edit.created = date(status.m_ctime);
    edit.accessed = date(status.m_atime);
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
        const std::optional<LocalDate>& date;
    } moves[] = {{&CFileStatus::m_mtime, edit.modified},
                 {&CFileStatus::m_ctime, edit.created},
                 {&CFileStatus::m_atime, edit.accessed}};
    for (const auto& move : moves) {
        if (!move.date) {
            continue;
        }
        const auto moved = MoveToDate(old.*move.time, *move.date);
        if (!moved) {
            refused = *move.date;
            return std::nullopt;
        }
        edited.*move.time = *moved;
    }
    edited.m_attribute = (edit.readOnly ? attr::readOnly : 0) | (edit.hidden ? attr::hidden : 0) |
                         (edit.archive ? attr::archive : 0);
    return edited;
}

namespace {

// The parts in which `edited` differs from `old`.
StatusParts ChangedParts(const CFileStatus& old, const CFileStatus& edited) {
    return (old.m_mtime != edited.m_mtime ? part::modified : 0) |
           (old.m_ctime != edited.m_ctime ? part::created : 0) |
           (old.m_atime != edited.m_atime ? part::accessed : 0) |
           (old.m_attribute != edited.m_attribute ? part::attributes : 0);
}

// The dates, in the order the editor shows them.
constexpr struct {
    StatusParts part;
    FileTime CFileStatus::*time;
    unsigned name;
} kDates[] = {{part::modified, &CFileStatus::m_mtime, res::IDS_PART_MODIFIED},
              {part::created, &CFileStatus::m_ctime, res::IDS_PART_CREATED},
              {part::accessed, &CFileStatus::m_atime, res::IDS_PART_ACCESSED}};

std::string LocalDateText(const FileTime& time) {
    const auto local = ToLocal(time);
    return local ? DateText(local->date) : "?";
}

// "attributs, date de modification": the parts named in the editor's order.
std::string PartsText(StatusParts parts) {
    std::string text;
    const auto add = [&](unsigned name) {
        text += (text.empty() ? "" : ", ") + res::LoadString(name);
    };
    if ((parts & part::attributes) != 0) {
        add(res::IDS_PART_ATTRIBUTES);
    }
    for (const auto& date : kDates) {
        if ((parts & date.part) != 0) {
            add(date.name);
        }
    }
    return text;
}

}  // namespace

AppliedStatus ApplyEditedStatus(const std::string& path, const CFileStatus& old,
                                const CFileStatus& edited) {
    StatusParts parts = ChangedParts(old, edited);
    AppliedStatus applied;
    applied.write = SetFileStatus(path, edited, parts);
    if (applied.write == StatusWrite::withoutExtendedAttributes) {
        parts &= ~part::created;  // already reported as not kept
    }
    if ((parts & (part::modified | part::created | part::accessed)) == 0) {
        return applied;
    }
    CFile file(path, CFile::modeRead | CFile::shareExclusive);
    applied.notKept = DatesNotKept(edited, GetFileStatus(file), parts);
    return applied;
}

CFileStatus WithAppliedParts(const CFileStatus& old, const CFileStatus& edited,
                             StatusParts applied) {
    CFileStatus status = old;
    for (const auto& date : kDates) {
        if ((applied & date.part) != 0) {
            status.*date.time = edited.*date.time;
        }
    }
    if ((applied & part::attributes) != 0) {
        status.m_attribute = edited.m_attribute;
    }
    return status;
}

std::vector<DateNotKept> DatesNotKept(const CFileStatus& asked, const CFileStatus& stored,
                                      StatusParts parts) {
    std::vector<DateNotKept> notKept;
    for (const auto& date : kDates) {
        const FileTime& wanted = asked.*date.time;
        const FileTime& kept = stored.*date.time;
        if ((parts & date.part) != 0 && LocalDateText(wanted) != LocalDateText(kept)) {
            notKept.push_back({date.part, wanted, kept});
        }
    }
    return notKept;
}

std::vector<std::string> AppliedStatusRemarks(const std::string& path,
                                              const AppliedStatus& applied) {
    std::vector<std::string> remarks;
    if (applied.write == StatusWrite::withoutExtendedAttributes) {
        remarks.push_back(res::FormatString(res::IDS_NO_EXTENDED_ATTRIBUTES, {path}));
    }
    for (const DateNotKept& date : applied.notKept) {
        remarks.push_back(res::FormatString(
            res::IDS_DATE_NOT_KEPT,
            {path, PartsText(date.part), LocalDateText(date.asked), LocalDateText(date.stored)}));
    }
    return remarks;
}

std::string PartialWriteText(const CStatusWriteException& failure) {
    return DescribeFileError(failure) + "\n" +
           res::FormatString(res::IDS_STATUS_PARTLY_WRITTEN,
                             {PartsText(failure.m_applied), PartsText(failure.m_notApplied)});
}

std::string DateText(const LocalDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.day, date.month, date.year);
    return text;
}

}  // namespace scx::tools
