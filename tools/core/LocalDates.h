#pragma once
// Dates as the editor shows and takes them: day, month and year in local time, the
// ranges of its fields, and a time moved to another date keeping its time of day.

#include <optional>

#include "FileStatus.h"

namespace scx::tools {

struct LocalDate {
    int day = 0;
    int month = 0;  // 1 to 12
    int year = 0;
    friend bool operator==(const LocalDate&, const LocalDate&) = default;
};

struct LocalDateTime {
    LocalDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Nothing when the platform cannot break the time down.
std::optional<LocalDateTime> ToLocal(const FileTime& time);

// `old` on `date` at its own local time of day, fraction of a second included; `old`
// itself, exactly, when `date` is its date. A day beyond the month's length rolls over
// into the next month (31/02/2002 is 3 March 2002). A local time that occurs twice (the
// autumn hour) gives the earlier instant. Nothing when the platform cannot represent
// the result.
std::optional<FileTime> MoveToDate(const FileTime& old, const LocalDate& date);

// The bounds of the three date fields, shared by their arrows and their checks.
struct FieldRange {
    int minimum;
    int maximum;
};
inline constexpr FieldRange kDayRange{1, 31};
inline constexpr FieldRange kMonthRange{1, 12};
inline constexpr FieldRange kYearRange{1980, 2100};

enum class RangeCheck { inside, aboveMaximum, belowMinimum };
RangeCheck CheckRange(int value, FieldRange range);

}  // namespace scx::tools
