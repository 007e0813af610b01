// Result formatting by the grouping option, and the date arithmetic of the sheet.
#include "engine/convert.h"
#include "engine/datetime.h"
#include "engine/eval.h"
#include "engine/jtext.h"
#include "sheet/date_calc.h"
#include "sheet/format.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

Value number(const char* text) {
    return Value::decimal(*Decimal::parse(text));
}
Value date(int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
    return Value::date(dateSerial({y, m, d, h, mi, s}));
}

TEST(FormatGrouped, EachModeGroupsOnlyTheIntegerDigits) {
    struct Row {
        const char* value;
        const char* units;
        const char* three;
        const char* four;
    } rows[] = {
        {"123456789", "1億2345万6789", "123,456,789", "1,2345,6789"},
        {"1234.5678", "1234.5678", "1,234.5678", "1234.5678"},
        {"12345.5", "1万2345.5", "12,345.5", "1,2345.5"},
        {"-12345678", "-1234万5678", "-12,345,678", "-1234,5678"},
        {"999", "999", "999", "999"},
        {"-1234", "-1234", "-1,234", "-1234"},
        {"-0.5", "-0.5", "-0.5", "-0.5"},
        {"10000", "1万0000", "10,000", "1,0000"},
        {"100000000", "1億0000万0000", "100,000,000", "1,0000,0000"},
        {"12345678901234567", "12345兆6789億0123万4567", "12,345,678,901,234,567",
         "1,2345,6789,0123,4567"},
        {"0.0000001", "0.0000001", "0.0000001", "0.0000001"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(toUtf8(FormatGrouped(number(row.value), 1)), row.units);
        EXPECT_EQ(toUtf8(FormatGrouped(number(row.value), 3)), row.three);
        EXPECT_EQ(toUtf8(FormatGrouped(number(row.value), 4)), row.four);
    }
}

TEST(FormatGrouped, ValuesThatAreNotNumbersKeepTheirText) {
    EXPECT_EQ(FormatGrouped(date(2009, 3, 7), 3), u"2009/03/07");
    EXPECT_EQ(FormatGrouped(Value::text(u"abc"), 1), u"abc");
    EXPECT_EQ(FormatGrouped(Value::text(u"12345"), 3), u"12,345");
    EXPECT_EQ(FormatGrouped(Value::dbl(1e20), 3), u"1E+20");
    EXPECT_EQ(FormatGrouped(Value::boolean(true), 3), u"True");
    EXPECT_EQ(FormatGrouped(Value::empty(), 4), u"");
    EXPECT_EQ(StrInsert(u"abcd", 2, u"-"), u"ab-cd");
}

TEST(DateFormatKind, ClassifiesByTheShapeOfTheText) {
    struct Row {
        Value value;
        int kind;
    } rows[] = {
        {date(2009, 3, 7, 14, 5, 9), 1},
        {date(2009, 3, 7), 2},
        {Value::text(u"03/07 14:05:09"), 3},
        {Value::text(u"03/07"), 4},
        {Value::date(0.5), 6},
        {Value::text(u"14:05:09"), 6},
        {number("12.5"), 5},
        {Value::text(u"abc"), 5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(toUtf8(toText(row.value)));
        EXPECT_EQ(fDateFormat(row.value), row.kind);
    }
}

TEST(DateCalc, TheMoreCompleteDateIsTheBase) {
    struct Row {
        const char* name;
        Value a, b;
        const char* expected;
    } rows[] = {
        {"date plus time", date(2009, 3, 7), Value::text(u"1:30:00"), "2009/03/07 1:30:00"},
        {"date time plus seconds", date(2009, 3, 7, 10, 0, 0), Value::text(u"0:00:45"),
         "2009/03/07 10:00:45"},
        {"time plus date swaps the base", Value::date(0.5), date(2009, 3, 7),
         "2009/03/07 12:00:00"},
        {"two dates add days, months, years", date(2000, 1, 31), Value::text(u"0001/01/01"),
         "2001/03/01"},
        {"month end clamps", date(2009, 1, 31), Value::text(u"0/1/0"), "2009/02/28"},
        {"hours and minutes", date(2009, 3, 7), Value::text(u"3/1 2:15:00"), "2009/06/08 2:15:00"},
        {"nothing adds", date(2009, 3, 7), Value::text(u"x/y"), "2009/03/07"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(toUtf8(toText(DateCalc(row.a, row.b))), row.expected);
    }
}

} // namespace
} // namespace quill
