#include "LocalDates.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <string_view>

namespace scx::tools {

namespace {

#ifdef _WIN32
// The C runtime reads TZ in its own form only ("CET-1CEST"), and a zone's name
// ("Europe/Paris", as Unix sets it and wine passes it on) as UTC with a summer hour of its
// own. Without TZ it follows the system's zone, which wine takes from that same name.
void IgnoreUnixTimeZoneName() {
    static const bool checked = [] {
        const char* zone = std::getenv("TZ");
        if (zone != nullptr &&
            (zone[0] == ':' || std::string_view(zone).find('/') != std::string_view::npos)) {
            ::_putenv("TZ=");
            ::_tzset();
        }
        return true;
    }();
    (void)checked;
}
#endif

bool BreakDown(std::time_t time, std::tm& local) {
#ifdef _WIN32
    IgnoreUnixTimeZoneName();
    return ::localtime_s(&local, &time) == 0;
#else
    return ::localtime_r(&time, &local) != nullptr;
#endif
}

// Days from 1970-01-01 of a date of the proleptic Gregorian calendar; any month and day
// number is accepted and carried over (H. Hinnant's days_from_civil).
std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
    const std::int64_t monthIndex = month - 1;
    const std::int64_t carry = monthIndex >= 0 ? monthIndex / 12 : (monthIndex - 11) / 12;
    year += carry;
    month = monthIndex - carry * 12 + 1;
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468 + (day - 1);
}

struct CivilDate {
    std::int64_t year;
    int month;
    int day;
};

CivilDate CivilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    return {yearOfEra + era * 400 + (month <= 2), month, day};
}

bool SameDate(const std::tm& a, const std::tm& b) {
    return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday;
}

bool SameWallClock(const std::tm& a, const std::tm& b) {
    return SameDate(a, b) && a.tm_hour == b.tm_hour && a.tm_min == b.tm_min && a.tm_sec == b.tm_sec;
}

// The instant of a local wall-clock time: of two (the autumn hour) the earlier; in the
// spring gap, one of that same day, an hour off. Nothing when the day has no such
// instant: mktime would take one of a neighbouring day (in a gap at midnight, or on a
// day the zone skipped, as Samoa its 30 December 2011).
std::optional<std::time_t> FromLocal(const std::tm& wanted) {
    std::optional<std::time_t> earliest;
    std::optional<std::time_t> sameDay;
    for (const int daylightSaving : {-1, 0, 1}) {
        std::tm attempt = wanted;
        attempt.tm_isdst = daylightSaving;
        const std::time_t result = std::mktime(&attempt);
        std::tm back{};
        if (result == static_cast<std::time_t>(-1) || !BreakDown(result, back)) {
            continue;
        }
        if (SameWallClock(back, wanted)) {
            earliest = earliest ? std::min(*earliest, result) : result;
        } else if (!sameDay && SameDate(back, wanted)) {
            sameDay = result;
        }
    }
    return earliest ? earliest : sameDay;
}

}  // namespace

std::optional<LocalDateTime> ToLocal(const FileTime& time) {
    std::tm local{};
    if (!BreakDown(static_cast<std::time_t>(time.seconds), local)) {
        return std::nullopt;
    }
    return LocalDateTime{{local.tm_mday, local.tm_mon + 1, local.tm_year + 1900},
                         local.tm_hour,
                         local.tm_min,
                         local.tm_sec};
}

std::optional<FileTime> MoveToDate(const FileTime& old, const LocalDate& date) {
    const auto before = ToLocal(old);
    if (!before) {
        return std::nullopt;
    }
    if (before->date == date) {
        return old;
    }
    const CivilDate real = CivilFromDays(DaysFromCivil(date.year, date.month, date.day));
    if (real.year - 1900 > INT_MAX || real.year - 1900 < INT_MIN) {
        return std::nullopt;  // beyond what the C library's broken-down time can say
    }
    std::tm wanted{};
    wanted.tm_year = static_cast<int>(real.year - 1900);
    wanted.tm_mon = real.month - 1;
    wanted.tm_mday = real.day;
    wanted.tm_hour = before->hour;
    wanted.tm_min = before->minute;
    wanted.tm_sec = before->second;
    const auto seconds = FromLocal(wanted);
    if (!seconds) {
        return std::nullopt;
    }
    return FileTime{static_cast<std::int64_t>(*seconds), old.nanoseconds};
}

RangeCheck CheckRange(int value, FieldRange range) {
    if (value > range.maximum) {
        return RangeCheck::aboveMaximum;
    }
    if (value < range.minimum) {
        return RangeCheck::belowMinimum;
    }
    return RangeCheck::inside;
}

}  // namespace scx::tools
