#include "engine/datetime.h"

#include "engine/error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace quill {
namespace {

std::string narrow(const std::u16string& s) {
    return std::string(s.begin(), s.end());
}

std::u16string wide(const char* s) {
    std::u16string out;
    while (*s) out.push_back(static_cast<char16_t>(*s++));
    return out;
}

DateTimeFields at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    return {y, mo, d, h, mi, s};
}

std::string show(const DateTimeFields& f) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", f.year, f.month, f.day, f.hour,
                  f.minute, f.second);
    return buf;
}

TEST(DateCivil, DayCountsOfKnownDates) {
    struct Row {
        int y, m, d;
        long long days;
    };
    const Row rows[] = {
        {1899, 12, 30, 0},       {1900, 1, 1, 2},       {1899, 12, 29, -1},  {1900, 3, 1, 61},
        {2000, 2, 29, 36585},    {2000, 3, 1, 36586},   {1970, 1, 1, 25569}, {100, 1, 1, -657434},
        {9999, 12, 31, 2958465}, {1600, 3, 1, -109511}, {2009, 3, 7, 39879}, {1800, 2, 28, -36464},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.y << "-" << r.m << "-" << r.d);
        EXPECT_EQ(daysFromCivil(r.y, r.m, r.d), r.days);
        EXPECT_EQ(dateFields(static_cast<double>(r.days)), at(r.y, r.m, r.d));
    }
}

TEST(DateCivil, EveryDayOfTheRangeRoundTrips) {
    // Walks the whole calendar so that every month length and leap rule is exercised.
    DateTimeFields expected = at(100, 1, 1);
    for (long long day = -657434; day <= 2958465; day += 1) {
        const DateTimeFields f = dateFields(static_cast<double>(day));
        ASSERT_EQ(daysFromCivil(f.year, f.month, f.day), day) << show(f);
        if (day > -657434) {
            // Consecutive days: the day advances by one or wraps to the 1st.
            const bool next =
                (f.day == expected.day + 1 && f.month == expected.month &&
                 f.year == expected.year) ||
                (f.day == 1 && ((f.month == expected.month + 1 && f.year == expected.year) ||
                                (f.month == 1 && f.year == expected.year + 1)));
            ASSERT_TRUE(next) << show(expected) << " then " << show(f);
        }
        expected = f;
    }
    EXPECT_EQ(expected, at(9999, 12, 31));
}

TEST(DateFields, TimeOfDayAndNegativeSerials) {
    struct Row {
        double serial;
        DateTimeFields fields;
    };
    const Row rows[] = {
        {0.0, at(1899, 12, 30)},
        {0.25, at(1899, 12, 30, 6)},
        {-0.25, at(1899, 12, 30, 6)},
        {-1.25, at(1899, 12, 29, 6)},
        {-1.0, at(1899, 12, 29)},
        {-2.75, at(1899, 12, 28, 18)},
        {2.5, at(1900, 1, 1, 12)},
        {0.7508765432, at(1899, 12, 30, 18, 1, 16)},
        {39879.587, at(2009, 3, 7, 14, 5, 17)},
        // Just below midnight rounds up into the next day, forward in time for negatives too.
        {0.999999, at(1899, 12, 31)},
        {-0.999999, at(1899, 12, 31)},
        {-1.999999, at(1899, 12, 30)},
        {59.9999999, at(1900, 2, 28)},
        {-657434.0, at(100, 1, 1)},
        {-657434.5, at(100, 1, 1, 12)},
        {2958465.0, at(9999, 12, 31)},
        {kMaxDateSerial, at(9999, 12, 31, 23, 59, 59)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "serial " << r.serial);
        EXPECT_EQ(show(dateFields(r.serial)), show(r.fields));
    }
}

TEST(DateFields, SerialRoundTripsThroughFields) {
    const DateTimeFields rows[] = {
        at(2009, 3, 7, 14, 5, 9),     at(1899, 12, 29, 6),
        at(1899, 12, 30, 23, 59, 59), at(100, 1, 1),
        at(100, 1, 1, 0, 0, 1),       at(9999, 12, 31, 23, 59, 59),
        at(1850, 6, 15, 13, 59, 59),  at(2024, 2, 29, 0, 0, 1),
        at(1899, 1, 1, 1, 1, 1),
    };
    for (const DateTimeFields& f : rows) {
        SCOPED_TRACE(show(f));
        EXPECT_EQ(show(dateFields(dateSerial(f))), show(f));
    }
    EXPECT_DOUBLE_EQ(dateSerial(at(1899, 12, 29, 6)), -1.25);
    EXPECT_DOUBLE_EQ(dateSerial(at(1899, 12, 30, 6)), 0.25);
    EXPECT_DOUBLE_EQ(dateSerial(at(100, 1, 1)), kMinDateSerial);
    EXPECT_DOUBLE_EQ(dateSerial(at(9999, 12, 31, 23, 59, 59)), kMaxDateSerial);
}

TEST(DateFields, OutOfRangeAndInvalidInputsThrow) {
    const double badSerials[] = {
        -657435.0,
        2958466.0,
        2958465.999999, // rounds to 10000-01-01
        1e300,
        -1e300,
        std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
    };
    for (double s : badSerials) {
        SCOPED_TRACE(testing::Message() << "serial " << s);
        EXPECT_THROW(dateFields(s), EvalError);
        EXPECT_THROW(formatDate(s), EvalError);
    }
    for (double s : {-657435.0, 2958466.0, 1e300}) {
        SCOPED_TRACE(testing::Message() << "serial " << s);
        EXPECT_THROW(dateAdd(DateUnit::Day, 0, s), EvalError);
    }
    const DateTimeFields badFields[] = {
        at(2009, 2, 29),    at(2000, 2, 30),    at(1900, 2, 29),       at(2009, 13, 1),
        at(2009, 0, 1),     at(2009, 4, 31),    at(2009, 1, 0),        at(99, 12, 31),
        at(10000, 1, 1),    at(2009, 1, 1, 24), at(2009, 1, 1, 0, 60), at(2009, 1, 1, 0, 0, 60),
        at(2009, 1, 1, -1),
    };
    for (const DateTimeFields& f : badFields) {
        SCOPED_TRACE(show(f));
        EXPECT_THROW(dateSerial(f), EvalError);
    }
}

struct AddRow {
    const char* name;
    DateUnit unit;
    double count;
    DateTimeFields from;
    DateTimeFields to;
};

TEST(DateAdd, CalendarUnits) {
    const AddRow rows[] = {
        {"month clamps to 28", DateUnit::Month, 1, at(1995, 1, 31), at(1995, 2, 28)},
        {"month clamps to leap 29", DateUnit::Month, 1, at(1996, 1, 31), at(1996, 2, 29)},
        {"month back clamps", DateUnit::Month, -1, at(1995, 3, 31), at(1995, 2, 28)},
        {"month back clamps leap", DateUnit::Month, -1, at(2024, 3, 31), at(2024, 2, 29)},
        {"month to 30-day month", DateUnit::Month, 3, at(2009, 1, 31), at(2009, 4, 30)},
        {"month across year", DateUnit::Month, 2, at(2009, 11, 15, 8, 30), at(2010, 1, 15, 8, 30)},
        {"month back across year", DateUnit::Month, -13, at(2009, 1, 10), at(2007, 12, 10)},
        {"month keeps time", DateUnit::Month, 1, at(2009, 3, 7, 14, 5, 9),
         at(2009, 4, 7, 14, 5, 9)},
        {"month count rounds half even", DateUnit::Month, 2.5, at(2009, 1, 1), at(2009, 3, 1)},
        {"month count rounds", DateUnit::Month, 1.6, at(2009, 1, 1), at(2009, 3, 1)},
        {"month count small rounds to 0", DateUnit::Month, 0.4, at(2009, 1, 1), at(2009, 1, 1)},
        {"year from leap day", DateUnit::Year, 1, at(2024, 2, 29), at(2025, 2, 28)},
        {"year to leap day kept", DateUnit::Year, 4, at(2024, 2, 29), at(2028, 2, 29)},
        {"year back", DateUnit::Year, -1, at(2009, 3, 7, 1, 2, 3), at(2008, 3, 7, 1, 2, 3)},
        {"year before epoch", DateUnit::Year, -200, at(2009, 3, 7), at(1809, 3, 7)},
        {"year of negative serial", DateUnit::Year, 1, at(1899, 12, 29, 6), at(1900, 12, 29, 6)},
        {"year to range start", DateUnit::Year, -1899, at(1999, 1, 1), at(100, 1, 1)},
        {"year to range end", DateUnit::Year, 9, at(9990, 12, 31, 23, 59, 59),
         at(9999, 12, 31, 23, 59, 59)},
    };
    for (const AddRow& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(show(dateFields(dateAdd(r.unit, r.count, dateSerial(r.from)))), show(r.to));
    }
}

TEST(DateAdd, ContinuousUnits) {
    const AddRow rows[] = {
        {"day across month", DateUnit::Day, 1, at(2009, 2, 28), at(2009, 3, 1)},
        {"day across leap month", DateUnit::Day, 1, at(2008, 2, 28), at(2008, 2, 29)},
        {"day across year", DateUnit::Day, 1, at(2009, 12, 31, 10), at(2010, 1, 1, 10)},
        {"day back across year", DateUnit::Day, -1, at(2010, 1, 1), at(2009, 12, 31)},
        {"thirty days", DateUnit::Day, 30, at(2009, 3, 7), at(2009, 4, 6)},
        {"half day", DateUnit::Day, 0.5, at(2009, 3, 7), at(2009, 3, 7, 12)},
        {"fractional day back", DateUnit::Day, -0.25, at(2009, 3, 7), at(2009, 3, 6, 18)},
        {"day across epoch", DateUnit::Day, -1, at(1899, 12, 30, 6), at(1899, 12, 29, 6)},
        {"days on negative serial", DateUnit::Day, 2, at(1899, 12, 28, 18), at(1899, 12, 30, 18)},
        {"fraction on negative serial", DateUnit::Day, 0.5, at(1899, 12, 29, 6),
         at(1899, 12, 29, 18)},
        {"fraction crossing into negatives", DateUnit::Day, -0.5, at(1899, 12, 30, 6),
         at(1899, 12, 29, 18)},
        {"hour across midnight", DateUnit::Hour, 1, at(2009, 12, 31, 23, 30),
         at(2010, 1, 1, 0, 30)},
        {"hours back", DateUnit::Hour, -25, at(2009, 3, 1, 0), at(2009, 2, 27, 23)},
        {"hours on negative serial", DateUnit::Hour, 20, at(1899, 12, 29, 6), at(1899, 12, 30, 2)},
        {"minute", DateUnit::Minute, 90, at(2009, 3, 7, 23), at(2009, 3, 8, 0, 30)},
        {"minutes back", DateUnit::Minute, -1, at(2009, 1, 1), at(2008, 12, 31, 23, 59)},
        {"second", DateUnit::Second, 45, at(2009, 3, 7, 14, 5, 9), at(2009, 3, 7, 14, 5, 54)},
        {"second back across epoch", DateUnit::Second, -1, at(1899, 12, 30),
         at(1899, 12, 29, 23, 59, 59)},
        {"seconds back on negatives", DateUnit::Second, -3600, at(1899, 12, 29, 0, 30),
         at(1899, 12, 28, 23, 30)},
        {"to range start", DateUnit::Second, -1, at(100, 1, 1, 0, 0, 1), at(100, 1, 1)},
        {"to range end", DateUnit::Second, 1, at(9999, 12, 31, 23, 59, 58),
         at(9999, 12, 31, 23, 59, 59)},
    };
    for (const AddRow& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(show(dateFields(dateAdd(r.unit, r.count, dateSerial(r.from)))), show(r.to));
    }
}

TEST(DateAdd, WholeSecondsStayExact) {
    // Adding whole units to a whole-second time must give exactly the serial of the result,
    // not a value a hair below it that shows a second early once truncated.
    const double start = dateSerial(at(2009, 3, 7, 13, 0, 0));
    double v = start;
    for (int i = 0; i < 3600; ++i) v = dateAdd(DateUnit::Second, 1, v);
    EXPECT_EQ(v, dateSerial(at(2009, 3, 7, 14, 0, 0)));
    EXPECT_EQ(dateAdd(DateUnit::Hour, 1, start), dateSerial(at(2009, 3, 7, 14)));
    EXPECT_EQ(dateAdd(DateUnit::Day, 0.1, dateSerial(at(2009, 3, 7))),
              dateSerial(at(2009, 3, 7, 2, 24)));
    const double negative = dateSerial(at(1850, 6, 1, 13, 59, 59));
    EXPECT_EQ(dateAdd(DateUnit::Second, 1, negative), dateSerial(at(1850, 6, 1, 14)));
    const double fraction = (dateAdd(DateUnit::Second, 1, negative) - std::trunc(negative));
    EXPECT_EQ(std::round(std::fabs(fraction) * 86400), 50400);
}

TEST(DateAdd, OutOfRangeThrows) {
    struct Row {
        const char* name;
        DateUnit unit;
        double count;
        DateTimeFields from;
    };
    const Row rows[] = {
        {"year past end", DateUnit::Year, 1, at(9999, 1, 1)},
        {"year before start", DateUnit::Year, -1, at(100, 12, 31)},
        {"month past end", DateUnit::Month, 1, at(9999, 12, 1)},
        {"month before start", DateUnit::Month, -1, at(100, 1, 31)},
        {"day past end", DateUnit::Day, 1, at(9999, 12, 31)},
        {"day before start", DateUnit::Day, -1, at(100, 1, 1, 12)},
        {"second past end", DateUnit::Second, 1, at(9999, 12, 31, 23, 59, 59)},
        {"second before start", DateUnit::Second, -1, at(100, 1, 1)},
        {"huge days", DateUnit::Day, 1e300, at(2009, 1, 1)},
        {"huge years", DateUnit::Year, -1e18, at(2009, 1, 1)},
        {"huge seconds", DateUnit::Second, 9e18, at(2009, 1, 1)},
        {"NaN count", DateUnit::Month, std::numeric_limits<double>::quiet_NaN(), at(2009, 1, 1)},
        {"infinite count", DateUnit::Hour, std::numeric_limits<double>::infinity(), at(2009, 1, 1)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_THROW(dateAdd(r.unit, r.count, dateSerial(r.from)), EvalError);
    }
}

TEST(DateFormat, TextForms) {
    struct Row {
        double serial;
        const char* text;
    };
    const Row rows[] = {
        {dateSerial(at(2009, 3, 7, 14, 5, 9)), "2009/03/07 14:05:09"},
        {dateSerial(at(2009, 3, 7)), "2009/03/07"},
        {dateSerial(at(2009, 12, 31, 6)), "2009/12/31 6:00:00"},
        {0.25, "6:00:00"},
        {-0.25, "6:00:00"},
        {0.0, "0:00:00"},
        {0.7508765432, "18:01:16"},
        {dateSerial(at(1899, 12, 30, 23, 59, 59)), "23:59:59"},
        {0.999999, "1899/12/31"},
        {-1.25, "1899/12/29 6:00:00"},
        {1.0, "1899/12/31"},
        {-1.0, "1899/12/29"},
        {kMinDateSerial, "0100/01/01"},
        {kMaxDateSerial, "9999/12/31 23:59:59"},
        {dateSerial(at(1000, 1, 1, 0, 0, 1)), "1000/01/01 0:00:01"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(narrow(formatDate(r.serial)), r.text);
    }
}

TEST(DateParse, AcceptedForms) {
    struct Row {
        const char* text;
        DateTimeFields fields;
    };
    const Row rows[] = {
        {"2009/03/07", at(2009, 3, 7)},
        {"2009/3/7", at(2009, 3, 7)},
        {"03/07", at(2015, 3, 7)},
        {"3/7", at(2015, 3, 7)},
        {"3/7 14:05:09", at(2015, 3, 7, 14, 5, 9)},
        {"2009/03/07 14:05:09", at(2009, 3, 7, 14, 5, 9)},
        {"2009/03/07 1:05:09", at(2009, 3, 7, 1, 5, 9)},
        {"  2009/03/07   14:05:09  ", at(2009, 3, 7, 14, 5, 9)},
        {"2000/02/29", at(2000, 2, 29)},
        {"0100/01/01", at(100, 1, 1)},
        {"9999/12/31 23:59:59", at(9999, 12, 31, 23, 59, 59)},
        {"12/31 0:00:00", at(2015, 12, 31)},
        {"3/7  ", at(2015, 3, 7)},
        {"\t3/7\t1:00:00", at(2015, 3, 7, 1)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const auto v = parseDateText(wide(r.text), 2015);
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(*v, dateSerial(r.fields));
    }
    // A time alone is a day count below 1 that shows as the time alone.
    struct TimeRow {
        const char* text;
        const char* shown;
    };
    const TimeRow times[] = {
        {"14:05:09", "14:05:09"}, {"1:05:09", "1:05:09"},     {"01:05:09", "1:05:09"},
        {"0:00:00", "0:00:00"},   {" 23:59:59 ", "23:59:59"},
    };
    for (const TimeRow& r : times) {
        SCOPED_TRACE(r.text);
        const auto v = parseDateText(wide(r.text), 2015);
        ASSERT_TRUE(v.has_value());
        EXPECT_GE(*v, 0.0);
        EXPECT_LT(*v, 1.0);
        EXPECT_EQ(narrow(formatDate(*v)), r.shown);
    }
}

TEST(DateParse, FormattedTextReadsBack) {
    const DateTimeFields rows[] = {
        at(2009, 3, 7, 14, 5, 9),     at(2009, 3, 7),      at(100, 1, 1),
        at(9999, 12, 31, 23, 59, 59), at(1899, 12, 29, 6), at(1899, 12, 30, 18, 1, 16)};
    for (const DateTimeFields& f : rows) {
        SCOPED_TRACE(show(f));
        const double serial = dateSerial(f);
        const auto back = parseDateText(formatDate(serial), 2015);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, serial);
    }
}

TEST(DateParse, RejectedForms) {
    const char* rows[] = {
        "",
        " ",
        "2009",
        "1:30",
        "abc",
        "2009-03-07",
        "1/2/3/4",
        "2009/02/30",
        "13/01",
        "25:00:00",
        "24:00:00",
        "12:60:00",
        "12:00:60",
        "12:0:00",
        "12:00:0",
        "123:00:00",
        "2009/03/07 14:05",
        "2009/03/07T14:05:09",
        "09/03/07",
        "20090/3/7",
        "2009/003/07",
        "2009/03/007",
        "003/07",
        "2/29",
        "0099/12/31",
        "0000/01/01",
        "3/7 25:00:00",
        "3/",
        "/3/7",
        "3//7",
        "2009/3/7/",
        "+3/7",
        "-3/7",
        "3 /7",
        "3/7x",
        "14:05:09 3/7",
        "1e5",
        "12.5",
        "2009/03/07 14:05:09 1",
    };
    for (const char* text : rows) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseDateText(wide(text), 2015).has_value());
    }
    // Full-width digits and a full-width slash are not date text.
    EXPECT_FALSE(parseDateText(u"２００９/03/07", 2015).has_value());
    EXPECT_FALSE(parseDateText(u"2009／03／07", 2015).has_value());
}

TEST(DateParse, MonthDayUsesTheCurrentYear) {
    EXPECT_TRUE(parseDateText(u"2/29", 2024).has_value());
    EXPECT_FALSE(parseDateText(u"2/29", 2023).has_value());
    EXPECT_EQ(*parseDateText(u"12/31", 2023), dateSerial(at(2023, 12, 31)));
    // A current year outside the calendar range gives no date instead of failing.
    EXPECT_FALSE(parseDateText(u"1/1", 10000).has_value());
    EXPECT_FALSE(parseDateText(u"1/1", 0).has_value());
}

} // namespace
} // namespace quill
