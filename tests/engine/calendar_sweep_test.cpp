// The calendar runs on std::chrono. These sweeps hold it to the hand-written day arithmetic it
// replaced, kept here as the reference: every day of the range, every month length, and month
// steps up to and beyond the ends of the range must give the same results.
#include "engine/datetime.h"

#include "engine/error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>

namespace quill {
namespace {

namespace handwritten {

// Days from 0000-03-01 to 1899-12-30: counting from 0000-03-01 puts the leap day at the end
// of each 400-year era.
constexpr long long kMarchZeroShift = 693'899;

struct Civil {
    long long year;
    int month;
    int day;
};

long long floorDiv(long long a, long long b) {
    long long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

bool isLeapYear(long long y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(long long year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool validCalendarDate(long long year, int month, int day) {
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysInMonth(year, month);
}

Civil civilFromDays(long long days) {
    const long long z = days + kMarchZeroShift;
    const long long era = floorDiv(z, 146'097);
    const long long doe = z - era * 146'097;
    const long long yoe = (doe - doe / 1460 + doe / 36'524 - doe / 146'096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

long long daysFromCivil(long long year, int month, int day) {
    const long long y = year - (month <= 2 ? 1 : 0);
    const long long era = floorDiv(y, 400);
    const long long yoe = y - era * 400;
    const long long doy = (153LL * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146'097 + doe - kMarchZeroShift;
}

// The day a whole number of months away, keeping the day of the month or moving it to the last
// day of a shorter month; nothing outside the years 100 to 9999.
std::optional<long long> addMonths(long long day, long long months) {
    const Civil c = civilFromDays(day);
    const long long index = c.year * 12 + (c.month - 1) + months;
    const long long year = floorDiv(index, 12);
    const int month = static_cast<int>(index - year * 12) + 1;
    if (year < 100 || year > 9999) return std::nullopt;
    return daysFromCivil(year, month, std::min(c.day, daysInMonth(year, month)));
}

} // namespace handwritten

constexpr long long kFirstDay = -657434; // 100-01-01
constexpr long long kLastDay = 2958465;  // 9999-12-31

std::optional<long long> libraryAddMonths(long long day, long long months) {
    try {
        return static_cast<long long>(
            dateAdd(DateUnit::Month, static_cast<double>(months), static_cast<double>(day)));
    } catch (const EvalError&) {
        return std::nullopt;
    }
}

std::string describe(long long day, const handwritten::Civil& c, const std::string& what) {
    std::ostringstream out;
    out << "day " << day << " (" << c.year << '-' << c.month << '-' << c.day << "): " << what;
    return out.str();
}

// The first day on which the library and the reference part, described; empty when none does.
std::string firstDifferenceOverEveryDay() {
    static constexpr long long kMonthSteps[] = {1, -1, 13, -25};
    for (long long day = kFirstDay; day <= kLastDay; ++day) {
        const handwritten::Civil c = handwritten::civilFromDays(day);
        const DateTimeFields f = dateFields(static_cast<double>(day));
        if (f.year != c.year || f.month != c.month || f.day != c.day)
            return describe(day, c, "fields differ");
        if (daysFromCivil(f.year, f.month, f.day) != day)
            return describe(day, c, "day count differs");
        for (long long months : kMonthSteps) {
            if (libraryAddMonths(day, months) != handwritten::addMonths(day, months))
                return describe(day, c, "adding " + std::to_string(months) + " months differs");
        }
    }
    return {};
}

TEST(CalendarSweep, EveryDayOfTheRangeMatchesTheHandWrittenArithmetic) {
    EXPECT_EQ(firstDifferenceOverEveryDay(), "");
}

TEST(CalendarSweep, ValidityOfEveryMonthEndMatches) {
    for (int year : {99, 100, 1899, 1900, 2000, 9999, 10000, -1, 0}) {
        for (int month : {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 257}) {
            for (int day : {-1, 0, 1, 28, 29, 30, 31, 32, 256, 257}) {
                SCOPED_TRACE(testing::Message() << year << '-' << month << '-' << day);
                const bool valid = handwritten::validCalendarDate(year, month, day);
                bool accepted = true;
                try {
                    dateSerial({year, month, day});
                } catch (const EvalError&) {
                    accepted = false;
                }
                EXPECT_EQ(accepted, valid);
            }
        }
    }
    // Every month of every year: its last day is valid and the day after it is not.
    for (int year = 100; year <= 9999; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const int last = handwritten::daysInMonth(year, month);
            ASSERT_NO_THROW(dateSerial({year, month, last})) << year << '-' << month;
            ASSERT_THROW(dateSerial({year, month, last + 1}), EvalError) << year << '-' << month;
        }
    }
}

TEST(CalendarSweep, MonthStepsToAndPastTheEndsOfTheRange) {
    const long long starts[] = {kFirstDay, kFirstDay + 30, -1,      0, 59, 60,
                                36585,     kLastDay - 30,  kLastDay};
    const long long steps[] = {0,        118'787,    -118'787,    118'799,     -118'799,
                               118'800,  -118'800,   119'999,     -119'999,    120'000,
                               -120'000, 12'000'000, -12'000'000, 120'000'000, -120'000'000};
    for (long long day : starts) {
        for (long long months : steps) {
            SCOPED_TRACE(testing::Message() << "day " << day << " + " << months << " months");
            EXPECT_EQ(libraryAddMonths(day, months), handwritten::addMonths(day, months));
        }
    }
}

} // namespace
} // namespace quill
