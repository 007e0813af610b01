#pragma once
// Dates as day counts: days since 1899-12-30 00:00 (2.0 is 1900-01-01), the fraction is the
// time of day. For negative values the integer part is signed but the fraction is still a
// positive time of day: -1.25 is 1899-12-29 06:00, and -0.25 and 0.25 are both
// 1899-12-30 06:00. The supported range is 100-01-01 (-657434) to 9999-12-31 23:59:59.
#include <optional>
#include <string>
#include <string_view>

namespace quill {

struct DateTimeFields {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
    friend bool operator==(const DateTimeFields&, const DateTimeFields&) = default;
};

inline constexpr double kMinDateSerial = -657434.0;
inline constexpr double kMaxDateSerial = 2958465.0 + 86399.0 / 86400.0;

// Fields of a day count; the time of day is rounded to the nearest second (.7508765432 gives
// 18:01:16; a time that rounds to 24:00:00 moves to the next day). Throws EvalError outside
// the supported range or for NaN.
DateTimeFields dateFields(double serial);
// Day count of valid fields (month 1-12, day within the month, hour 0-23, minute and second
// 0-59); throws EvalError for invalid fields or a date outside the range.
double dateSerial(const DateTimeFields& f);
// Whole days since 1899-12-30 of a calendar date with a month of 1-12 and a day of 1-31 (a day
// past the month's end counts on into the next month); the range is not checked.
long long daysFromCivil(int year, int month, int day);

enum class DateUnit { Year, Month, Day, Hour, Minute, Second };
// Calendar date-add. Years and months keep the day of the month or move it to the last day
// of a shorter target month (1995-01-31 + 1 month = 1995-02-28); the count is rounded to a
// whole number for them. Days, hours, minutes and seconds move across month and year ends,
// and a fractional count moves by that fraction of the unit. Negative counts move back.
// Throws EvalError when the result is outside the supported range.
double dateAdd(DateUnit unit, double count, double serial);

// Plain text form on the home locale: short date "yyyy/MM/dd" and long time "H:mm:ss",
// the date alone when the time is midnight, the time alone when the day count's date is
// 1899-12-30 (integer part 0). Throws EvalError outside the range.
std::u16string formatDate(double serial);

// Reads a text that has the form of a date or time: "yyyy/M/d", "M/d" (in currentYear),
// either of them followed by a blank and "H:mm:ss", or "H:mm:ss" alone (day count 0). Month,
// day and hour take one or two digits, minutes and seconds two. Surrounding blanks are
// allowed. Anything else, and invalid dates, give nullopt.
std::optional<double> parseDateText(std::u16string_view text, int currentYear);

} // namespace quill
