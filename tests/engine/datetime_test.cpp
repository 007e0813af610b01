#include "engine/datetime.h"

#include "engine/error.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

namespace quill {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::u16string wide(const char* s) {
    return std::u16string(s, s + std::char_traits<char>::length(s));
}
std::string narrow(const std::u16string& s) {
    return std::string(s.begin(), s.end());
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

TEST(DateCivil, KnownDaysAndEveryDayOfTheRange) {
    struct Row {
        DateTimeFields date;
        long long days;
    };
    const Row rows[] = {{at(1899, 12, 30), 0},     {at(1899, 12, 29), -1},
                        {at(1900, 3, 1), 61},      {at(2000, 2, 29), 36585},
                        {at(1600, 3, 1), -109511}, {at(1800, 2, 28), -36464},
                        {at(100, 1, 1), -657434},  {at(9999, 12, 31), 2958465}};
    for (const Row& r : rows) {
        SCOPED_TRACE(show(r.date));
        EXPECT_EQ(daysFromCivil(r.date.year, r.date.month, r.date.day), r.days);
        EXPECT_EQ(dateFields(static_cast<double>(r.days)), r.date);
    }
    // Every day of the calendar maps to valid fields that map back to the same day.
    for (long long day = -657434; day <= 2958465; ++day) {
        const DateTimeFields f = dateFields(static_cast<double>(day));
        ASSERT_EQ(dateSerial(f), static_cast<double>(day)) << show(f);
    }
}

TEST(DateFields, TimeRoundingAndNegativeSerials) {
    struct Row {
        double serial;
        const char* fields;
    };
    const Row rows[] = {
        {0.25, "1899-12-30 06:00:00"},
        {-0.25, "1899-12-30 06:00:00"},
        {-1.25, "1899-12-29 06:00:00"},
        {-2.75, "1899-12-28 18:00:00"},
        {0.7508765432, "1899-12-30 18:01:16"},
        {39879.587, "2009-03-07 14:05:17"},
        // A time that rounds to midnight is the next day, forward in time for negatives too.
        {0.999999, "1899-12-31 00:00:00"},
        {-0.999999, "1899-12-31 00:00:00"},
        {-1.999999, "1899-12-30 00:00:00"},
        {59.9999999, "1900-02-28 00:00:00"},
        {-657434.5, "0100-01-01 12:00:00"},
        {kMaxDateSerial, "9999-12-31 23:59:59"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "serial " << r.serial);
        EXPECT_EQ(show(dateFields(r.serial)), r.fields);
    }
    EXPECT_DOUBLE_EQ(dateSerial(at(1899, 12, 29, 6)), -1.25);
    EXPECT_DOUBLE_EQ(dateSerial(at(1850, 6, 15, 13, 59, 59)), -18095.58332175926);
    EXPECT_EQ(show(dateFields(dateSerial(at(1850, 6, 15, 13, 59, 59)))), "1850-06-15 13:59:59");
}

TEST(DateFields, OutOfRangeAndInvalidFieldsThrow) {
    for (double s : {-657435.0, 2958466.0, 2958465.999999, 1e300, -1e300, kNaN, kInf}) {
        SCOPED_TRACE(testing::Message() << "serial " << s);
        EXPECT_THROW(dateFields(s), EvalError);
        EXPECT_THROW(formatDate(s), EvalError);
    }
    const DateTimeFields bad[] = {
        at(2009, 2, 29),       at(1900, 2, 29),          at(2009, 4, 31),   at(2009, 13, 1),
        at(2009, 1, 0),        at(99, 12, 31),           at(10000, 1, 1),   at(2009, 1, 1, 24),
        at(2009, 1, 1, 0, 60), at(2009, 1, 1, 0, 0, 60), at(2009, 1, 1, -1)};
    for (const DateTimeFields& f : bad) {
        SCOPED_TRACE(show(f));
        EXPECT_THROW(dateSerial(f), EvalError);
    }
}

TEST(DateAdd, EachUnit) {
    using U = DateUnit;
    struct Row {
        U unit;
        double count;
        DateTimeFields from;
        const char* to;
    };
    const Row rows[] = {
        {U::Month, 1, at(1995, 1, 31), "1995-02-28 00:00:00"},
        {U::Month, 1, at(1996, 1, 31), "1996-02-29 00:00:00"},
        {U::Month, -1, at(1995, 3, 31), "1995-02-28 00:00:00"},
        {U::Month, -1, at(2024, 3, 31), "2024-02-29 00:00:00"},
        {U::Month, -13, at(2009, 1, 10, 8, 30), "2007-12-10 08:30:00"},
        {U::Month, 2.5, at(2009, 1, 1), "2009-03-01 00:00:00"}, // half to even
        {U::Month, 0.4, at(2009, 1, 1), "2009-01-01 00:00:00"},
        {U::Year, 1, at(2024, 2, 29), "2025-02-28 00:00:00"},
        {U::Year, 4, at(2024, 2, 29, 1, 2, 3), "2028-02-29 01:02:03"},
        {U::Year, 1, at(1899, 12, 29, 6), "1900-12-29 06:00:00"},
        {U::Year, -1899, at(1999, 1, 1), "0100-01-01 00:00:00"},
        {U::Day, 1, at(2008, 2, 28), "2008-02-29 00:00:00"},
        {U::Day, 1, at(2009, 12, 31, 10), "2010-01-01 10:00:00"},
        {U::Day, 30, at(2009, 3, 7), "2009-04-06 00:00:00"},
        {U::Day, -0.25, at(2009, 3, 7), "2009-03-06 18:00:00"},
        {U::Day, -1, at(1899, 12, 30, 6), "1899-12-29 06:00:00"},
        {U::Day, 0.5, at(1899, 12, 29, 6), "1899-12-29 18:00:00"},
        {U::Day, -0.5, at(1899, 12, 30, 6), "1899-12-29 18:00:00"},
        {U::Hour, 1, at(2009, 12, 31, 23, 30), "2010-01-01 00:30:00"},
        {U::Hour, 20, at(1899, 12, 29, 6), "1899-12-30 02:00:00"},
        {U::Minute, -1, at(2009, 1, 1), "2008-12-31 23:59:00"},
        {U::Second, -1, at(1899, 12, 30), "1899-12-29 23:59:59"},
        {U::Second, -3600, at(1899, 12, 29, 0, 30), "1899-12-28 23:30:00"},
        {U::Second, 1, at(9999, 12, 31, 23, 59, 58), "9999-12-31 23:59:59"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message()
                     << show(r.from) << " + " << r.count << " unit " << static_cast<int>(r.unit));
        EXPECT_EQ(show(dateFields(dateAdd(r.unit, r.count, dateSerial(r.from)))), r.to);
    }
}

TEST(DateAdd, WholeSecondInputsGiveExactResults) {
    // A value a hair below the whole second would show a second early wherever it is
    // truncated, so repeated steps must land exactly on the serial of the result.
    for (const DateTimeFields& start : {at(2009, 3, 7, 13), at(1850, 6, 1, 13)}) {
        SCOPED_TRACE(show(start));
        double v = dateSerial(start);
        for (int i = 0; i < 3600; ++i) v = dateAdd(DateUnit::Second, 1, v);
        DateTimeFields end = start;
        end.hour = 14;
        EXPECT_EQ(v, dateSerial(end));
        EXPECT_EQ(dateAdd(DateUnit::Day, 0.1, dateSerial(start)),
                  dateSerial({start.year, start.month, start.day, 15, 24, 0}));
    }
}

TEST(DateAdd, OutOfRangeThrows) {
    using U = DateUnit;
    struct Row {
        U unit;
        double count;
        DateTimeFields from;
    };
    const Row rows[] = {
        {U::Year, 1, at(9999, 1, 1)},
        {U::Month, -1, at(100, 1, 31)},
        {U::Day, 1, at(9999, 12, 31)},
        {U::Day, -1, at(100, 1, 1, 12)},
        {U::Second, 1, at(9999, 12, 31, 23, 59, 59)},
        {U::Second, -1, at(100, 1, 1)},
        {U::Day, 1e300, at(2009, 1, 1)},
        {U::Year, -1e18, at(2009, 1, 1)},
        {U::Month, kNaN, at(2009, 1, 1)},
        {U::Hour, kInf, at(2009, 1, 1)},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message()
                     << show(r.from) << " + " << r.count << " unit " << static_cast<int>(r.unit));
        EXPECT_THROW(dateAdd(r.unit, r.count, dateSerial(r.from)), EvalError);
    }
    EXPECT_THROW(dateAdd(DateUnit::Day, 0, 2958466.0), EvalError);
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
        {0.999999, "1899/12/31"},
        {-1.25, "1899/12/29 6:00:00"},
        {-1.0, "1899/12/29"},
        {kMinDateSerial, "0100/01/01"},
        {kMaxDateSerial, "9999/12/31 23:59:59"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        EXPECT_EQ(narrow(formatDate(r.serial)), r.text);
        // The shown text reads back as the value it shows.
        const auto back = parseDateText(formatDate(r.serial), 2015);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(narrow(formatDate(*back)), r.text);
    }
}

TEST(DateParse, AcceptedForms) {
    struct Row {
        const char* text;
        const char* shown;
    };
    const Row rows[] = {
        {"2009/03/07", "2009/03/07"},
        {"2009/3/7", "2009/03/07"},
        {"03/07", "2015/03/07"},
        {"3/7 14:05:09", "2015/03/07 14:05:09"},
        {"2009/03/07 14:05:09", "2009/03/07 14:05:09"},
        {"14:05:09", "14:05:09"},
        {"1:05:09", "1:05:09"},
        {"01:05:09", "1:05:09"},
        {"  2009/3/7   1:00:00 ", "2009/03/07 1:00:00"},
        {"\t12/31 0:00:00", "2015/12/31"},
        {"0100/01/01", "0100/01/01"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const auto v = parseDateText(wide(r.text), 2015);
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(narrow(formatDate(*v)), r.shown);
    }
    EXPECT_EQ(parseDateText(u"3/7 14:05:09", 2015), dateSerial(at(2015, 3, 7, 14, 5, 9)));
    EXPECT_EQ(parseDateText(u"2/29", 2024), dateSerial(at(2024, 2, 29)));
    EXPECT_EQ(parseDateText(u"2/29", 2023), std::nullopt);
    EXPECT_EQ(parseDateText(u"1/1", 10000), std::nullopt);
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
        "123:00:00",
        "2009/03/07 14:05",
        "2009/03/07T14:05:09",
        "09/03/07",
        "20090/3/7",
        "2009/003/07",
        "003/07",
        "0099/12/31",
        "3/",
        "/3/7",
        "3//7",
        "2009/3/7/",
        "-3/7",
        "3 /7",
        "3/7x",
        "14:05:09 3/7",
        "12.5",
        "2009/03/07 14:05:09 1",
        "3/7 25:00:00",
    };
    for (const char* text : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(parseDateText(wide(text), 2015), std::nullopt);
    }
    EXPECT_EQ(parseDateText(u"２００９/03/07", 2015), std::nullopt);
}

} // namespace
} // namespace quill
