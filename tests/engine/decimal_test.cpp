#include "engine/decimal.h"

#include "engine/error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace quill {
namespace {

constexpr const char* kMax = "79228162514264337593543950335";

Decimal dec(const char* text) {
    const std::optional<Decimal> d = Decimal::parse(text);
    if (!d) ADD_FAILURE() << "not a number: " << text;
    return d.value_or(Decimal{});
}

Decimal apply(const Decimal& a, char op, const Decimal& b) {
    switch (op) {
    case '+': return a + b;
    case '-': return a - b;
    case '*': return a * b;
    default: return a / b;
    }
}

struct ArithRow {
    const char* a;
    char op;
    const char* b;
    const char* expected; // nullptr: the operation fails
    int scale = -1;       // -1: not checked
};

TEST(DecimalArithmetic, WorkedResults) {
    const ArithRow rows[] = {
        {"1", '/', "3", "0.3333333333333333333333333333", 28},
        {"2", '/', "3", "0.6666666666666666666666666667", 28},
        {"10", '/', "3", "3.3333333333333333333333333333", 28},
        {"100", '/', "3", "33.333333333333333333333333333", 27},
        {"1", '/', "7", "0.1428571428571428571428571429", 28},
        {"-1", '/', "3", "-0.3333333333333333333333333333"},
        {"1", '/', "4", "0.25", 2},
        {"45", '/', "0.9", "50", 0},
        {"1.20", '/', "1", "1.2", 2},
        {"1", '/', "0.0000000000000000000000000001", "10000000000000000000000000000", 0},
        {"79228162514264337593543950335", '/', "1", kMax, 0},
        {"3", '/', "20000000000000000000000000000", "0.0000000000000000000000000002"},
        {"1", '/', "20000000000000000000000000000", "0", -1},
        // The quotient rounds up past 96 bits at scale 1 and is taken one digit shorter.
        {"23768448754279301278063185100.7", '/', "3", "7922816251426433759354395034", 0},
        {"0.0005", '*', "0.002", "0.000001", 7},
        {"12345678901234.5678", '*', "98765432109876.54321", "1219326311370217943348574911.2"},
        {"1.5", '*', "2", "3", 1},
        {"-2", '*', "-3", "6"},
        {"-2", '*', "3", "-6"},
        {"0.0000000000000000000000000015", '*', "0.1", "0.0000000000000000000000000002", 28},
        {"0.0000000000000000000000000025", '*', "0.1", "0.0000000000000000000000000002", 28},
        {"0.0000000000000000000000000001", '*', "0.0000000000000000000000000001", "0", -1},
        {"-123.456", '+', kMax, "79228162514264337593543950212", 0},
        {"7922816251426433759354395033.5", '+', "0.1", "7922816251426433759354395034", 0},
        {kMax, '+', "0.123456", kMax, 0},
        {"79228162514264337593543950330", '+', "0.5", "79228162514264337593543950330", 0},
        {"79228162514264337593543950331", '+', "0.5", "79228162514264337593543950332", 0},
        {"79228162514264337593543950330", '+', "0.50001", "79228162514264337593543950331", 0},
        {"1.1", '-', "1.10", "0", 2},
        {"0.1", '+', "0.2", "0.3", 1},
        {"1", '+', "0.0000000000000000000000000001", "1.0000000000000000000000000001", 28},
        {"0.3333333333333333333333333333", '+', "12345", "12345.333333333333333333333333", 24},
        {"-0.3333333333333333333333333333", '+', "12345", "12344.666666666666666666666667", 24},
        {"1000000000000", '+', "0.0000000000000000000000000001", "1000000000000", 16},
        {"-0.0000000000000000000000000001", '+', "1000000000000", "1000000000000", 16},
        {"-5", '+', "3", "-2"},
        {"3", '-', "5", "-2"},
        {"-3", '-', "-5", "2"},
        {kMax, '-', kMax, "0"},
        // Failures: no fit at scale 0, division by zero.
        {kMax, '*', "10", nullptr},
        {kMax, '+', "1.23456", nullptr},
        {kMax, '+', "1", nullptr},
        {"-79228162514264337593543950335", '-', "1", nullptr},
        {"10", '/', "0.0000000000000000000000000001", nullptr},
        {kMax, '/', "0.9", nullptr},
        {"1", '/', "0", nullptr},
        {"0", '/', "0.000", nullptr},
    };
    for (const ArithRow& row : rows) {
        SCOPED_TRACE(std::string(row.a) + " " + row.op + " " + row.b);
        const Decimal a = dec(row.a);
        const Decimal b = dec(row.b);
        if (!row.expected) {
            EXPECT_THROW(apply(a, row.op, b), EvalError);
            continue;
        }
        const Decimal r = apply(a, row.op, b);
        EXPECT_EQ(r.toString(), row.expected);
        if (row.scale >= 0) {
            EXPECT_EQ(r.scale(), row.scale);
        }
    }
}

TEST(DecimalArithmetic, ZeroResultsAreNeverNegative) {
    EXPECT_FALSE((dec("-1") + dec("1")).isNegative());
    EXPECT_FALSE((dec("-0.5") * dec("0")).isNegative());
    EXPECT_EQ((-Decimal{}).toString(), "0");
    EXPECT_EQ((dec("-0.0000000000000000000000000001") * dec("0.1")).toString(), "0");
}

std::string intText(__int128 v) {
    if (v == 0) return "0";
    const bool neg = v < 0;
    unsigned __int128 m = neg ? 0 - static_cast<unsigned __int128>(v) : v;
    std::string s;
    for (; m != 0; m /= 10) s.insert(s.begin(), char('0' + int(m % 10)));
    return neg ? "-" + s : s;
}

// Integer sums, differences and products must agree with exact 128-bit integer arithmetic,
// and a product divided by one factor gives the other back.
TEST(DecimalArithmetic, AgreesWithIntegerArithmetic) {
    const std::int64_t values[] = {
        0, 1, -1, 7, -13, 999999937, -2147483648, 4611686018427387903, -9223372036854775807 - 1};
    const __int128 limit = static_cast<__int128>(Decimal::kMaxMantissa);
    for (std::int64_t x : values) {
        for (std::int64_t y : values) {
            SCOPED_TRACE(std::to_string(x) + ", " + std::to_string(y));
            const Decimal a = Decimal::fromInt(x);
            const Decimal b = Decimal::fromInt(y);
            const __int128 prod = static_cast<__int128>(x) * y;
            EXPECT_EQ((a + b).toString(), intText(static_cast<__int128>(x) + y));
            EXPECT_EQ((a - b).toString(), intText(static_cast<__int128>(x) - y));
            if (prod > limit || prod < -limit) {
                EXPECT_THROW(a * b, EvalError);
                continue;
            }
            EXPECT_EQ((a * b).toString(), intText(prod));
            if (y != 0) {
                EXPECT_EQ(((a * b) / b).toString(), intText(x));
            }
        }
    }
}

struct ParseRow {
    const char* text;
    const char* expected; // nullptr: not a number
    int scale = -1;
};

TEST(DecimalParse, Texts) {
    const ParseRow rows[] = {
        {"12,345.50", "12345.5", 2},
        {"1E5", "100000", 0},
        {"1.5e1", "15", 0},
        {"1.50E-1", "0.15", 3},
        {"  -1.5e-3\t", "-0.0015", 4},
        {"+7", "7", 0},
        {".5", "0.5", 1},
        {"5.", "5", 0},
        {"0.00", "0", 2},
        {"-0", "0", 0},
        {"007", "7", 0},
        {"1,234,567", "1234567", 0},
        {kMax, kMax, 0},
        {"0.0000000000000000000000000001", "0.0000000000000000000000000001", 28},
        {"0.33333333333333333333333333333333", "0.3333333333333333333333333333", 28},
        {"7922816251426433759354395033.56", "7922816251426433759354395034", 0},
        {"1.5e-28", "0.0000000000000000000000000002", 28},
        {"2.5e-28", "0.0000000000000000000000000002", 28},
        // A digit far beyond the 38 held ones still lifts an exact half.
        {"2.50000000000000000000000000000000000000000000001e-28", "0.0000000000000000000000000003"},
        {"1e-30", "0"},
        {"1e-99999999999999999999", "0"},
        {"0e99999999999999", "0"},
        {"123456789012345678901234567890123456789012e-20", "1234567890123456789012.3456789"},
        {"abc", nullptr},
        {"", nullptr},
        {"   ", nullptr},
        {"1.2.3", nullptr},
        {"--1", nullptr},
        {"+-1", nullptr},
        {".", nullptr},
        {"-.", nullptr},
        {"1e", nullptr},
        {"1e+", nullptr},
        {"e5", nullptr},
        {",1", nullptr},
        {"1,", nullptr},
        {"1,,000", nullptr},
        {"1.000,5", nullptr},
        {"1 2", nullptr},
        {"0x10", nullptr},
        {"1-", nullptr},
    };
    for (const ParseRow& row : rows) {
        SCOPED_TRACE(std::string("\"") + row.text + "\"");
        const std::optional<Decimal> d = Decimal::parse(row.text);
        if (!row.expected) {
            EXPECT_FALSE(d.has_value());
            continue;
        }
        ASSERT_TRUE(d.has_value());
        EXPECT_EQ(d->toString(), row.expected);
        if (row.scale >= 0) {
            EXPECT_EQ(d->scale(), row.scale);
        }
    }
}

TEST(DecimalParse, BeyondRangeFails) {
    for (const char* text :
         {"79228162514264337593543950336", "-79228162514264337593543950336", "1e29", "8e28",
          "1e999999999999999999999", "100000000000000000000000000000000000000000"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(Decimal::parse(text), EvalError);
    }
}

struct DoubleRow {
    const char* label;
    double value;
    const char* expected; // nullptr: the conversion fails
};

TEST(DecimalFromDouble, RoundsTo15Digits) {
    const DoubleRow rows[] = {
        {"0.1", 0.1, "0.1"},
        {"0.1+0.2", 0.1 + 0.2, "0.3"},
        {"1/3", 1.0 / 3, "0.333333333333333"},
        {"2/3", 2.0 / 3, "0.666666666666667"},
        {"-2/3", -2.0 / 3, "-0.666666666666667"},
        {"12345678901234567890", 12345678901234567890.0, "12345678901234600000"},
        {"123456789.123456789", 123456789.123456789, "123456789.123457"},
        {"1e-20", 1e-20, "0.00000000000000000001"},
        {"4.9e-29", 4.9e-29, "0"},
        {"5e-29", 5e-29, "0"},
        {"6e-29", 6e-29, "0.0000000000000000000000000001"},
        {"1.5e-28", 1.5e-28, "0.0000000000000000000000000002"},
        {"denormal", 5e-324, "0"},
        {"-0.0", -0.0, "0"},
        {"42", 42.0, "42"},
        {"-999999999999999", -999999999999999.0, "-999999999999999"},
        {"1e15", 1e15, "1000000000000000"},
        {"2.5", 2.5, "2.5"},
        {"7.9228162514264e28", 7.9228162514264e28, "79228162514264000000000000000"},
        {"2^96", std::ldexp(1.0, 96), nullptr},
        {"-2^96", -std::ldexp(1.0, 96), nullptr},
        {"2^96 - 2^43", std::ldexp(1.0, 96) - std::ldexp(1.0, 43), "79228162514264300000000000000"},
        {"1e300", 1e300, nullptr},
        {"NaN", std::numeric_limits<double>::quiet_NaN(), nullptr},
        {"inf", std::numeric_limits<double>::infinity(), nullptr},
        {"-inf", -std::numeric_limits<double>::infinity(), nullptr},
    };
    for (const DoubleRow& row : rows) {
        SCOPED_TRACE(row.label);
        if (!row.expected) {
            EXPECT_THROW(Decimal::fromDouble(row.value), EvalError);
            continue;
        }
        EXPECT_EQ(Decimal::fromDouble(row.value).toString(), row.expected);
    }
}

TEST(DecimalToDouble, NearestDouble) {
    const struct {
        const char* text;
        double expected;
    } rows[] = {
        {"0.1", 0.1},
        {"-2.5", -2.5},
        {"0", 0.0},
        {"0.3333333333333333333333333333", 1.0 / 3},
        {"123456789012345678", 123456789012345678.0},
        {kMax, 79228162514264337593543950335.0},
        {"0.0000000000000000000000000001", 1e-28},
        {"1234567890.0987654321", 1234567890.0987654321},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(dec(row.text).toDouble(), row.expected);
    }
}

TEST(DecimalToString, PlainForm) {
    EXPECT_EQ(Decimal::fromParts(9000, 7, false).toString(), "0.0009");
    EXPECT_EQ(Decimal::fromParts(0, 5, true).toString(), "0");
    EXPECT_EQ(Decimal::fromParts(1, 28, true).toString(), "-0.0000000000000000000000000001");
    EXPECT_EQ(Decimal::fromParts(Decimal::kMaxMantissa, 28, false).toString(),
              "7.9228162514264337593543950335");
    EXPECT_EQ(Decimal::fromParts(Decimal::kMaxMantissa, 0, true).toString(),
              "-79228162514264337593543950335");
    EXPECT_EQ(Decimal::fromParts(10000000000000000000ULL, 0, false).toString(),
              "10000000000000000000");
    EXPECT_EQ(Decimal::fromParts(u128(10000000000000000000ULL) * 10 + 7, 1, false).toString(),
              "10000000000000000000.7");
    EXPECT_EQ(Decimal::fromInt(std::numeric_limits<std::int64_t>::min()).toString(),
              "-9223372036854775808");
}

TEST(DecimalParts, InvalidPartsFail) {
    EXPECT_THROW(Decimal::fromParts(Decimal::kMaxMantissa + 1, 0, false), EvalError);
    EXPECT_THROW(Decimal::fromParts(1, 29, false), EvalError);
    EXPECT_THROW(Decimal::fromParts(1, -1, false), EvalError);
}

TEST(DecimalCompare, NumericAcrossScales) {
    const struct {
        const char* a;
        const char* b;
        int expected; // sign of a <=> b
    } rows[] = {
        {"1.10", "1.1", 0},
        {"-0", "0", 0},
        {"0.000", "-0.0", 0},
        {"0.1", "0.2", -1},
        {"-1", "0.5", -1},
        {"-2", "-1", -1},
        {"-1.5", "-1.50", 0},
        {"0.0000000000000000000000000001", "0", 1},
        {"-0.0000000000000000000000000001", "0", -1},
        {kMax, "7.9228162514264337593543950335", 1},
        {"1", "1.0000000000000000000000000001", -1},
        {"1", "1.0000000000000000000000000000", 0},
        {"-1", "-1.0000000000000000000000000001", 1},
        {"100", "99.99999", 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.a) + " vs " + row.b);
        const auto a = dec(row.a);
        const auto b = dec(row.b);
        const auto order = a <=> b;
        const int got = order < 0 ? -1 : (order > 0 ? 1 : 0);
        EXPECT_EQ(got, row.expected);
        EXPECT_EQ(a == b, row.expected == 0);
        const auto back = b <=> a;
        EXPECT_EQ(back < 0 ? -1 : (back > 0 ? 1 : 0), -row.expected);
    }
}

TEST(DecimalRounding, RoundTruncateFloor) {
    const struct {
        const char* value;
        int places;
        const char* rounded;
    } rows[] = {
        {"2.5", 0, "2"},       {"3.5", 0, "4"},      {"-2.5", 0, "-2"},    {"-3.5", 0, "-4"},
        {"1.2345", 2, "1.23"}, {"1.235", 2, "1.24"}, {"1.245", 2, "1.24"}, {"1.2451", 2, "1.25"},
        {"1.5", 3, "1.5"},     {"-0.4", 0, "0"},     {kMax, 0, kMax},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.value) + " to " + std::to_string(row.places));
        EXPECT_EQ(dec(row.value).roundTo(row.places).toString(), row.rounded);
    }
    const struct {
        const char* value;
        const char* truncated;
        const char* floored;
    } whole[] = {
        {"-8.4", "-8", "-9"}, {"8.4", "8", "8"},    {"-8", "-8", "-8"},
        {"-0.5", "0", "-1"},  {"0.9999", "0", "0"}, {"7.9228162514264337593543950335", "7", "7"},
    };
    for (const auto& row : whole) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(dec(row.value).truncate().toString(), row.truncated);
        EXPECT_EQ(dec(row.value).floor().toString(), row.floored);
    }
}

TEST(DecimalRounding, ToInt64) {
    const struct {
        const char* value;
        std::optional<std::int64_t> expected; // nullopt: does not fit
    } rows[] = {
        {"0.5", 0},
        {"1.5", 2},
        {"2.5", 2},
        {"-0.5", 0},
        {"-1.5", -2},
        {"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
        {"9223372036854775807.49", std::numeric_limits<std::int64_t>::max()},
        {"9223372036854775807.5", std::nullopt},
        {"-9223372036854775808.5", std::numeric_limits<std::int64_t>::min()},
        {"-9223372036854775808.51", std::nullopt},
        {"-9223372036854775809", std::nullopt},
        {kMax, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        if (!row.expected) {
            EXPECT_THROW(dec(row.value).toInt64(), EvalError);
            continue;
        }
        EXPECT_EQ(dec(row.value).toInt64(), *row.expected);
    }
}

} // namespace
} // namespace quill
