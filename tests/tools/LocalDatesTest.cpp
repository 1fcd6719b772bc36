// Dates in local time, under TZ=Europe/Paris as every test runs.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "LocalDates.h"
#include "StatusEdit.h"

namespace scx::test {
namespace {

using tools::LocalDate;
using tools::MoveToDate;

// Seconds of a UTC date and time.
std::int64_t Utc(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
#ifdef _WIN32
    return static_cast<std::int64_t>(::_mkgmtime(&t));
#else
    return static_cast<std::int64_t>(::timegm(&t));
#endif
}

// The tests' dates are those of Paris, which TZ names; a C library that does not read
// that name (Windows's) breaks times down in another zone.
bool ParisTime() {
    const auto local = tools::ToLocal({Utc(2002, 7, 1, 0, 0, 0), 0});
    return local && local->hour == 2;
}

TEST(LocalDatesTest, BrokenDownInLocalTime) {
    if (!ParisTime()) {
        GTEST_SKIP() << "the C library does not know TZ=Europe/Paris";
    }
    // 7 December 2002, 14:35:10 in Paris.
    const auto local = tools::ToLocal({Utc(2002, 12, 7, 13, 35, 10), 0});
    ASSERT_TRUE(local.has_value());
    EXPECT_EQ(local->date, (LocalDate{7, 12, 2002}));
    EXPECT_EQ(local->hour, 14);
    EXPECT_EQ(local->minute, 35);
    EXPECT_EQ(local->second, 10);
}

TEST(LocalDatesTest, MovedKeepingTheTimeOfDay) {
    if (!ParisTime()) {
        GTEST_SKIP() << "the C library does not know TZ=Europe/Paris";
    }
    const FileTime winter{Utc(2002, 12, 7, 13, 35, 10), 250};
    const FileTime summer{Utc(2002, 6, 1, 0, 30, 0), 0};  // 02:30 in Paris
    const struct {
        const char* what;
        FileTime old;
        LocalDate date;
        FileTime expected;
    } cases[] = {
        {"a year back", winter, {7, 12, 2001}, {Utc(2001, 12, 7, 13, 35, 10), 250}},
        {"into summer time", winter, {7, 7, 2002}, {Utc(2002, 7, 7, 12, 35, 10), 250}},
        {"31 February", winter, {31, 2, 2002}, {Utc(2002, 3, 3, 13, 35, 10), 250}},
        {"31 April", winter, {31, 4, 2002}, {Utc(2002, 5, 1, 12, 35, 10), 250}},
        {"the same date, exactly", winter, {7, 12, 2002}, winter},
        // 02:30 happens twice on 27 October 2002: the summer one comes first.
        {"the autumn hour", summer, {27, 10, 2002}, {Utc(2002, 10, 27, 0, 30, 0), 0}},
        {"the upper bound", winter, {31, 12, 2100}, {Utc(2100, 12, 31, 13, 35, 10), 250}},
    };
    for (const auto& c : cases) {
        const auto moved = MoveToDate(c.old, c.date);
        ASSERT_TRUE(moved.has_value()) << c.what;
        EXPECT_EQ(*moved, c.expected) << c.what;
    }
    // 02:30 does not exist on 31 March 2002; some instant of that morning is taken.
    const auto gap = MoveToDate(summer, {31, 3, 2002});
    ASSERT_TRUE(gap.has_value());
    EXPECT_NEAR(static_cast<double>(gap->seconds), static_cast<double>(Utc(2002, 3, 31, 1, 0, 0)),
                3600);
}

#ifndef _WIN32
// The zone TZ names for one test; Europe/Paris again after it.
class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const char* zone) : m_saved(std::getenv("TZ")) {
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ScopedTimeZone() {
        if (m_saved) {
            ::setenv("TZ", m_saved->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }

  private:
    std::optional<std::string> m_saved;
};

// A spring gap at midnight has no 00:30, and Samoa skipped 30 December 2011 altogether:
// a move lands on the day asked or is refused, never on the day before.
TEST(LocalDatesTest, DaysWithoutTheTimeOfDay) {
    const struct {
        const char* zone;
        FileTime old;
        int localHour;  // of `old`, to tell whether the C library knows the zone
        LocalDate date;
        bool representable;
    } cases[] = {
        {"America/Sao_Paulo", {Utc(2018, 10, 1, 3, 30, 0), 0}, 0, {4, 11, 2018}, true},
        {"America/Santiago", {Utc(2018, 7, 1, 4, 30, 0), 0}, 0, {12, 8, 2018}, true},
        {"Pacific/Apia", {Utc(2011, 12, 1, 22, 0, 0), 0}, 12, {29, 12, 2011}, true},
        {"Pacific/Apia", {Utc(2011, 12, 1, 22, 0, 0), 0}, 12, {30, 12, 2011}, false},
        {"Pacific/Apia", {Utc(2011, 12, 1, 22, 0, 0), 0}, 12, {31, 12, 2011}, true},
    };
    for (const auto& c : cases) {
        const ScopedTimeZone zone(c.zone);
        const auto before = tools::ToLocal(c.old);
        if (!before || before->hour != c.localHour) {
            GTEST_SKIP() << "the C library does not know " << c.zone;
        }
        const auto moved = MoveToDate(c.old, c.date);
        ASSERT_EQ(moved.has_value(), c.representable) << c.zone << " " << c.date.day;
        if (moved) {
            EXPECT_EQ(tools::ToLocal(*moved)->date, c.date) << c.zone << " " << c.date.day;
        }
    }
}
#endif

TEST(LocalDatesTest, Ranges) {
    using tools::CheckRange;
    using tools::RangeCheck;
    const struct {
        int value;
        tools::FieldRange range;
        RangeCheck expected;
    } cases[] = {
        {45, tools::kDayRange, RangeCheck::aboveMaximum},
        {0, tools::kDayRange, RangeCheck::belowMinimum},
        {31, tools::kDayRange, RangeCheck::inside},
        {13, tools::kMonthRange, RangeCheck::aboveMaximum},
        {1979, tools::kYearRange, RangeCheck::belowMinimum},
        {2101, tools::kYearRange, RangeCheck::aboveMaximum},
        {2100, tools::kYearRange, RangeCheck::inside},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckRange(c.value, c.range), c.expected) << c.value;
    }
}

// The read-back after a write, on file systems that keep less than asked.
TEST(LocalDatesTest, DatesNotKept) {
    if (!ParisTime()) {
        GTEST_SKIP() << "the C library does not know TZ=Europe/Paris";
    }
    const FileTime kAsked{Utc(2001, 6, 15, 12, 35, 10), 123456789};
    const struct {
        const char* what;
        FileTime stored;
        bool kept;
    } cases[] = {
        {"exact", kAsked, true},
        {"whole seconds (ext4's small inodes)", {kAsked.seconds, 0}, true},
        {"two seconds (FAT)", {kAsked.seconds - 1, 0}, true},
        {"the day alone (FAT's access date)", {Utc(2001, 6, 14, 22, 0, 0), 0}, true},
        {"saturated at 2038", {Utc(2038, 1, 19, 3, 14, 7), 0}, false},
        {"saturated at 1970", {0, 0}, false},
        {"the next day", {kAsked.seconds + 86400, 0}, false},
    };
    const struct {
        StatusParts part;
        FileTime CFileStatus::*time;
    } fields[] = {{part::modified, &CFileStatus::m_mtime},
                  {part::created, &CFileStatus::m_ctime},
                  {part::accessed, &CFileStatus::m_atime}};
    for (const auto& c : cases) {
        for (const auto& field : fields) {
            CFileStatus asked;
            asked.*field.time = kAsked;
            CFileStatus stored;
            stored.*field.time = c.stored;
            const auto notKept = tools::DatesNotKept(asked, stored, part::all);
            if (c.kept) {
                EXPECT_TRUE(notKept.empty()) << c.what;
                continue;
            }
            ASSERT_EQ(notKept.size(), 1u) << c.what;
            EXPECT_EQ(notKept[0].part, field.part) << c.what;
            EXPECT_EQ(notKept[0].asked, kAsked) << c.what;
            EXPECT_EQ(notKept[0].stored, c.stored) << c.what;
            // A part that was not written is not checked.
            EXPECT_TRUE(tools::DatesNotKept(asked, stored, part::all & ~field.part).empty());
        }
    }
}

}  // namespace
}  // namespace scx::test
