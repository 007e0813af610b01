#include "engine/datetime.h"

#include "engine/error.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace quill {
namespace {

namespace chr = std::chrono;

constexpr long long kMinDay = -657434; // 100-01-01
constexpr long long kMaxDay = 2958465; // 9999-12-31
constexpr long long kSecondsPerDay = 86'400;
constexpr long long kMsPerDay = 86'400'000;
constexpr chr::sys_days kDayZero = chr::year{1899} / 12 / 30;

// A point in time as the calendar sees it: a signed day count and a non-negative time of day
// in ticks (seconds or milliseconds). Negative day counts keep a positive time of day, so
// arithmetic on the raw day counts would move them the wrong way.
struct DayTime {
    long long day;
    long long ticks;
};

bool validCalendarDate(long long year, int month, int day) {
    // The fields are checked as integers first: chrono keeps a month or day in a byte.
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return false;
    return chr::year_month_day{chr::year{static_cast<int>(year)},
                               chr::month{static_cast<unsigned>(month)},
                               chr::day{static_cast<unsigned>(day)}}
        .ok();
}

bool validTime(int hour, int minute, int second) {
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

chr::year_month_day civilFromDays(long long days) {
    return chr::year_month_day{kDayZero + chr::days{days}};
}

long long daysFrom(const chr::year_month_day& date) {
    return (chr::sys_days{date} - kDayZero).count();
}

// Splits a day count into its day and its time of day rounded to whole ticks; a time that
// rounds up to the end of the day belongs to the next day.
DayTime splitSerial(double serial, long long ticksPerDay) {
    if (!std::isfinite(serial)) fail();
    const double whole = std::trunc(serial);
    if (whole < static_cast<double>(kMinDay) || whole > static_cast<double>(kMaxDay)) fail();
    DayTime at{static_cast<long long>(whole),
               std::llround(std::fabs(serial - whole) * static_cast<double>(ticksPerDay))};
    if (at.ticks >= ticksPerDay) {
        ++at.day;
        at.ticks -= ticksPerDay;
    }
    if (at.day > kMaxDay) fail();
    return at;
}

// The day count of a day and a time of day in milliseconds: the time adds to the day's
// magnitude, so a day before 1899-12-30 gets a more negative number.
double joinSerial(long long day, long long ms) {
    const double time = static_cast<double>(ms) / static_cast<double>(kMsPerDay);
    return day >= 0 ? static_cast<double>(day) + time : static_cast<double>(day) - time;
}

double rangeCheckedSerial(long long day, long long ms) {
    if (day < kMinDay || day > kMaxDay) fail();
    return joinSerial(day, ms);
}

// Months and years move by whole steps; the count is rounded half to even like CLng.
long long wholeCount(double count) {
    const double rounded = std::nearbyint(count);
    // The calendar spans fewer than 120,000 months: anything larger is out of range anyway.
    if (std::fabs(rounded) > 1e7) fail();
    return static_cast<long long>(rounded);
}

double addMonths(const DayTime& at, long long months) {
    // The calendar spans fewer than 120,000 months; the guard also keeps chrono's year (a
    // short) from wrapping.
    if (months <= -120'000 || months >= 120'000) fail();
    const chr::year_month_day from = civilFromDays(at.day);
    const chr::year_month to = chr::year_month{from.year(), from.month()} + chr::months{months};
    if (to.year() < chr::year{100} || to.year() > chr::year{9999}) fail();
    const chr::day day = std::min(from.day(), (to / chr::last).day());
    return rangeCheckedSerial(daysFrom(to / day), at.ticks);
}

// Days and shorter units move along the continuous time line, so they cross month and year
// ends; the step is taken in whole milliseconds so whole-second inputs stay whole seconds.
double addMilliseconds(const DayTime& at, double count, long long unitMs) {
    const double offset = count * static_cast<double>(unitMs);
    // The whole supported range is about 3.2e14 ms long.
    if (std::fabs(offset) > 1e15) fail();
    const chr::milliseconds linear{at.day * kMsPerDay + at.ticks + std::llround(offset)};
    const chr::days day = chr::floor<chr::days>(linear);
    return rangeCheckedSerial(day.count(), (linear - day).count());
}

// The longest date text is "yyyy/MM/dd HH:mm:ss": it is built in place and copied out once,
// since formatting runs for many lines in every calculation pass.
class DateTextBuilder {
public:
    void put(char16_t c) { buf_[n_++] = c; }
    // value is a calendar or clock field (0 to 9999), zero-padded to width.
    void digits(long long value, int width) {
        char16_t tmp[4];
        int n = 0;
        do {
            tmp[n++] = static_cast<char16_t>(u'0' + value % 10);
            value /= 10;
        } while (value > 0 && n < 4);
        for (int i = n; i < width; ++i) put(u'0');
        while (n > 0) put(tmp[--n]);
    }
    std::u16string text() const { return std::u16string(buf_, n_); }

private:
    char16_t buf_[24];
    size_t n_ = 0;
};

// Reading of the date text forms: a cursor over the text with digit-run and separator steps.
class DateTextReader {
public:
    explicit DateTextReader(std::u16string_view text) : text_(text) {}

    bool atEnd() const { return pos_ == text_.size(); }
    bool peek(char16_t c) const { return pos_ < text_.size() && text_[pos_] == c; }
    bool take(char16_t c) {
        if (!peek(c)) return false;
        ++pos_;
        return true;
    }
    bool skipBlanks() {
        const size_t start = pos_;
        while (pos_ < text_.size() && (text_[pos_] == u' ' || text_[pos_] == u'\t')) ++pos_;
        return pos_ > start;
    }
    // A run of minDigits to maxDigits ASCII digits, and no more digits after it.
    std::optional<int> number(int minDigits, int maxDigits) {
        int value = 0;
        int digits = 0;
        while (pos_ < text_.size() && text_[pos_] >= u'0' && text_[pos_] <= u'9') {
            if (++digits > maxDigits) return std::nullopt;
            value = value * 10 + (text_[pos_] - u'0');
            ++pos_;
        }
        if (digits < minDigits) return std::nullopt;
        return value;
    }

private:
    std::u16string_view text_;
    size_t pos_ = 0;
};

// "H:mm:ss" after the hour has been read: the seconds of the day, or nullopt.
std::optional<long long> readTimeAfterHour(DateTextReader& r, int hour) {
    if (!r.take(u':')) return std::nullopt;
    const auto minute = r.number(2, 2);
    if (!minute || !r.take(u':')) return std::nullopt;
    const auto second = r.number(2, 2);
    if (!second || !validTime(hour, *minute, *second)) return std::nullopt;
    return hour * 3600LL + *minute * 60LL + *second;
}

std::optional<long long> readTime(DateTextReader& r) {
    const auto hour = r.number(1, 2);
    if (!hour) return std::nullopt;
    return readTimeAfterHour(r, *hour);
}

// "yyyy/M/d" or "M/d" after the first number and its "/" have been read: the day count.
std::optional<long long> readDateAfterFirst(DateTextReader& r, int first, int firstDigits,
                                            int currentYear) {
    const auto second = r.number(1, 2);
    if (!second) return std::nullopt;
    long long year = currentYear;
    int month = first;
    int day = *second;
    if (r.take(u'/')) {
        const auto third = r.number(1, 2);
        if (!third || firstDigits != 4) return std::nullopt;
        year = first;
        month = *second;
        day = *third;
    } else if (firstDigits > 2) {
        return std::nullopt;
    }
    if (!validCalendarDate(year, month, day)) return std::nullopt;
    return daysFromCivil(static_cast<int>(year), month, day);
}

int countLeadingDigits(std::u16string_view text) {
    int n = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') break;
        ++n;
    }
    return n;
}

std::u16string_view trimBlanks(std::u16string_view text) {
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

} // namespace

long long daysFromCivil(int year, int month, int day) {
    return daysFrom(chr::year{year} / month / day);
}

DateTimeFields dateFields(double serial) {
    const DayTime at = splitSerial(serial, kSecondsPerDay);
    const chr::year_month_day c = civilFromDays(at.day);
    const int secs = static_cast<int>(at.ticks);
    return {static_cast<int>(c.year()),
            static_cast<int>(static_cast<unsigned>(c.month())),
            static_cast<int>(static_cast<unsigned>(c.day())),
            secs / 3600,
            secs / 60 % 60,
            secs % 60};
}

double dateSerial(const DateTimeFields& f) {
    if (!validCalendarDate(f.year, f.month, f.day) || !validTime(f.hour, f.minute, f.second))
        fail();
    const long long secs = f.hour * 3600LL + f.minute * 60LL + f.second;
    return rangeCheckedSerial(daysFromCivil(f.year, f.month, f.day), secs * 1000);
}

double dateAdd(DateUnit unit, double count, double serial) {
    if (!std::isfinite(count)) fail();
    const DayTime at = splitSerial(serial, kMsPerDay);
    switch (unit) {
    case DateUnit::Year: return addMonths(at, wholeCount(count) * 12);
    case DateUnit::Month: return addMonths(at, wholeCount(count));
    case DateUnit::Day: return addMilliseconds(at, count, kMsPerDay);
    case DateUnit::Hour: return addMilliseconds(at, count, 3'600'000);
    case DateUnit::Minute: return addMilliseconds(at, count, 60'000);
    case DateUnit::Second: return addMilliseconds(at, count, 1'000);
    }
    fail();
}

std::u16string formatDate(double serial) {
    const DayTime at = splitSerial(serial, kSecondsPerDay);
    DateTextBuilder out;
    if (at.day != 0) {
        const chr::year_month_day c = civilFromDays(at.day);
        out.digits(static_cast<int>(c.year()), 4);
        out.put(u'/');
        out.digits(static_cast<unsigned>(c.month()), 2);
        out.put(u'/');
        out.digits(static_cast<unsigned>(c.day()), 2);
        if (at.ticks == 0) return out.text();
        out.put(u' ');
    }
    out.digits(at.ticks / 3600, 1);
    out.put(u':');
    out.digits(at.ticks / 60 % 60, 2);
    out.put(u':');
    out.digits(at.ticks % 60, 2);
    return out.text();
}

std::optional<double> parseDateText(std::u16string_view text, int currentYear) {
    text = trimBlanks(text);
    // Most texts reaching here are numbers or words: a date always starts with a digit and
    // is never longer than "yyyy/MM/dd HH:mm:ss" with a few blanks.
    if (text.empty() || text.front() < u'0' || text.front() > u'9' || text.size() > 40)
        return std::nullopt;
    DateTextReader r(text);
    const int firstDigits = countLeadingDigits(text);
    const auto first = r.number(1, 4);
    if (!first) return std::nullopt;
    if (r.peek(u':')) {
        if (firstDigits > 2) return std::nullopt;
        const auto secs = readTimeAfterHour(r, *first);
        if (!secs || !r.atEnd()) return std::nullopt;
        return joinSerial(0, *secs * 1000);
    }
    if (!r.take(u'/')) return std::nullopt;
    const auto day = readDateAfterFirst(r, *first, firstDigits, currentYear);
    if (!day) return std::nullopt;
    if (r.atEnd()) return joinSerial(*day, 0);
    if (!r.skipBlanks()) return std::nullopt;
    const auto secs = readTime(r);
    if (!secs || !r.atEnd()) return std::nullopt;
    return joinSerial(*day, *secs * 1000);
}

} // namespace quill
