// Ffc: every family of built-in functions, bare names and unknown names.
#include "engine/platform.h"
#include "eval_test_support.h"

#include <cstdlib>

namespace quill {
namespace {

constexpr bool kFails = true;

class FunctionsTest : public testing::Test {
protected:
    // 2026-12-07 09:30:00, so clock functions are reproducible.
    void SetUp() override { platform::setFixedNow(46363.0 + 9.5 / 24); }
    void TearDown() override { platform::setFixedNow(std::nullopt); }
};

TEST_F(FunctionsTest, ArithmeticAndRoundingKeepTheKind) {
    expectRows({
        {"ABS(-3)", Kind::Decimal, "3"},
        {"ABS(CINT(-3))", Kind::Int16, "3"},
        {"ABS(CINT(-32768))", Kind::Empty, "", kFails},
        {"ABS(1=1)", Kind::Int16, "1"}, // true is -1 as a number
        {"ABS(2>1)*5", Kind::Decimal, "5"},
        {"CEIL(2.1)", Kind::Double, "3"},
        {"CEIL(-2.1)", Kind::Decimal, "-2"},
        {"INT(-2.5)", Kind::Decimal, "-3"},
        {"INT(2.5)", Kind::Double, "2"},
        {"FIX(-2.5)", Kind::Decimal, "-2"},
        {"IP(2.5)", Kind::Int16, "2"},
        {"FP(2.7)", Kind::Double, "-0.3"},
        {"CINT(3.5)", Kind::Int16, "4"},
        {"CINT(32767.5)", Kind::Empty, "", kFails},
        {"ROUND(2.5, 0)", Kind::Double, "2"},
        {"ROUND(3.5, 0)", Kind::Double, "4"},
        {"ROUND(2.5)", Kind::Double, "2", kFails},
        {"ROUND(1/3, 2)", Kind::Decimal, "0.33"},
        {"ROUND(2.675, 2)", Kind::Double, "2.68"},
        {"ROUND(1, -1)", Kind::Empty, "", kFails},
        {"TRUNCATE(3.14159, 2)", Kind::Double, "3.14"},
        {"TRUNCATE(0.125, 2)", Kind::Double, "0.12"},
        {"TRUNCATE(400, 2)", Kind::Empty, "", kFails},
        {"SGN(-0.5)", Kind::Int16, "-1"},
        {"SQR(16)", Kind::Double, "4"},
        {"SQR(-1)", Kind::Empty, "", kFails},
        {"REMINDER(7, 2)", Kind::Double, "-1"},
        {"REMINDER(7, 0)", Kind::Empty, "", kFails},
        {"MAX(1, 2)", Kind::Text, "2"},
        {"MAX(2, 2)", Kind::Text, "2"},
        {"MIN(1/3, 1)", Kind::Text, "0.3333333333333333333333333333"},
        {"\"1,234.5\"+1", Kind::Decimal, "1235.5"},
        {"CDBL(\"1,5\")", Kind::Double, "1"}, // arguments split at every comma
        {"CDBL(\"abc\")", Kind::Empty, "", kFails},
    });
}

TEST_F(FunctionsTest, TrigonometryInRadiansAndDegrees) {
    expectRows({
        {"SIN(0)", Kind::Double, "0"},
        {"SIND(30)", Kind::Double, "0.5"},
        {"COSD(60)", Kind::Double, "0.5"},
        {"TAND(45)", Kind::Double, "1"},
        {"COTD(45)", Kind::Double, "1"},
        {"CSC(0)", Kind::Empty, "", kFails},
        {"DEGREES(1)", Kind::Double, "57.2957795130823"},
        {"RADIANS(180)", Kind::Double, "3.14159265358979"},
        {"ATAND(1)", Kind::Double, "45"},
        {"ASIN(1)", Kind::Double, "1.5707963267949"},
        {"ASIN(2)", Kind::Empty, "", kFails},
        {"ASIND(0.5)", Kind::Double, "30"},
        {"ACOS(1)", Kind::Int16, "0"},
        {"ACOS(-1)", Kind::Double, "3.14159265358979"},
        {"ACOSD(0.5)", Kind::Double, "60"},
        {"ACTD(0)", Kind::Double, "90"},
        {"ASCD(2)", Kind::Double, "139.106605350869"},
        {"ASCD(0.5)", Kind::Empty, "", kFails},
        {"ASCD(1)", Kind::Empty, "", kFails}, // its formula divides by zero there
        {"ASCD(-1)", Kind::Empty, "", kFails},
    });
}

TEST_F(FunctionsTest, HyperbolicExponentialAndLogarithms) {
    expectRows({
        {"HSIN(0)", Kind::Double, "0"},
        {"HCOS(0)", Kind::Double, "1"},
        {"HTAN(0)", Kind::Double, "0"},
        {"HSEC(0)", Kind::Empty, "", kFails},
        {"HSEC(1000)", Kind::Empty, "", kFails}, // e^1000 overflows, not 2/inf = 0
        {"HCSE(1000)", Kind::Empty, "", kFails},
        {"HCSE(-1000)", Kind::Empty, "", kFails},
        {"HTAN(1000)", Kind::Empty, "", kFails},
        {"HCSE(700)", Kind::Double, "1.97193530875195E-304"},
        {"HATN(0)", Kind::Double, "0"},
        {"HASN(2)", Kind::Empty, "", kFails},
        {"EXP(0)", Kind::Double, "1"},
        {"EXP(1000)", Kind::Empty, "", kFails},
        {"LOG(1)", Kind::Double, "0"},
        {"LOG(0)", Kind::Empty, "", kFails},
        {"LOG10(1000)", Kind::Double, "3"},
        {"LOG2(8)", Kind::Double, "3"},
        {"LOG16(256)", Kind::Double, "2"},
        {"LOG1(8)", Kind::Empty, "", kFails},
        {"LOGX(8)", Kind::Int16, "0"},
    });
}

TEST_F(FunctionsTest, TextFunctionsSeeLiteralsInUpperCase) {
    expectRows({
        {"INSTR(\"ABCABC\", \"C\")", Kind::Int32, "3"},
        {"INSTR(4, \"ABCABC\", \"C\")", Kind::Int32, "6"},
        {"INSTR(0, \"ABC\", \"C\")", Kind::Empty, "", kFails},
        {"KINSTR(\"abc\", \"x\")", Kind::Int32, "0"},
        {"MID$(\"HELLO\", 2)", Kind::Text, "ELLO"},
        {"MID$(\"Hello\", 1, 2)", Kind::Text, "HE"},
        {"MID$(\"HELLO\", 0)", Kind::Empty, "", kFails},
        {"KMID$(\"HELLO\", 9)", Kind::Text, ""},
        {"LEFT$(\"HELLO\", 2)", Kind::Text, "HE"},
        {"RIGHT$(\"HELLO\", 2)", Kind::Text, "LO"},
        {"LEFT$(\"HELLO\", -1)", Kind::Empty, "", kFails},
        {"LEN(123)", Kind::Int32, "3"},
        {"KLEN(\"漢字\")", Kind::Int32, "2"},
        {"LCASE$(\"ABC\")", Kind::Text, "abc"},
        {"UCASE(\"abc\")", Kind::Text, "ABC"},
        {"TRIM(\"  A  \")", Kind::Text, "A"},
        {"LTRIM$(\"  A \")", Kind::Text, "A "},
        {"RTRIM$(\" A  \")", Kind::Text, " A"},
        {"SPACE$(3)", Kind::Text, "   "},
        {"SPC(-1)", Kind::Empty, "", kFails},
        {"TAB(2)", Kind::Text, "\t\t"},
        {"STRING$(3, \"ab\")", Kind::Text, "AAA"},
        {"STRING$(2, 65)", Kind::Text, "AA"},
        {"STRING$(2, 256)", Kind::Empty, "", kFails},
        {"ASC(\"A\")", Kind::Int16, "65"},
        {"ASC(\"\")", Kind::Empty, "", kFails},
        {"CHR$(65)", Kind::Text, "A"},
        {"CHR$(256)", Kind::Empty, "", kFails},
    });
}

TEST_F(FunctionsTest, NumberTexts) {
    expectRows({
        {"HEX$(255)", Kind::Text, "FF"},
        {"HEX$(-1)", Kind::Text, "FFFFFFFF"},
        {"HEX$(CINT(-1))", Kind::Text, "FFFF"},
        {"OCT$(8)", Kind::Text, "10"},
        {"STR$(5)", Kind::Text, " 5"},
        {"STR$(-5)", Kind::Text, "-5"},
        {"STR$(\"12\")", Kind::Text, " 12"},
        {"STR$(\"abc\")", Kind::Empty, "", kFails},
        {"SSTR$(5)", Kind::Text, " 5"},
        {"SSTR$(\"x\")", Kind::Text, "X"},
        {"STR$(1/0)", Kind::Text, " 0", kFails}, // STR$ and SSTR$ agree on every non-text
        {"SSTR$(1/0)", Kind::Text, " 0", kFails},
        {"STR$(1=1)", Kind::Text, "True"},
        {"SSTR$(1=1)", Kind::Text, "True"},
        {"SSTR$(-1/4)", Kind::Text, "-0.25"},
        {"VAL(\" 2 45 7\")", Kind::Double, "2457"},
        {"VAL(\"24 and 57\")", Kind::Double, "24"},
        {"VAL(\"&HFFFF\")", Kind::Double, "-1"},
        {"VAL(\"&H10\")", Kind::Double, "16"},
        {"VAL(\"&O17\")", Kind::Double, "15"},
        {"VAL(\"1.5E2X\")", Kind::Double, "150"},
        {"VAL(\"abc\")", Kind::Double, "0"},
        {"VAL(\"1e400\")", Kind::Empty, "", kFails},
        {"VAL(\"-1D400\")", Kind::Empty, "", kFails},
        {"VAL(\"1e-400\")", Kind::Double, "0"},
    });
}

TEST_F(FunctionsTest, JapaneseWidthAndCodePage) {
    expectRows({
        {"JIS$(\"亜\")", Kind::Text, "889F"},
        {"JIS$(\"A\")", Kind::Text, "41"},
        {"KNJ$(\"889F\")", Kind::Text, "亜"},
        {"KNJ$(\"XYZ\")", Kind::Empty, "", kFails},
        {"AKCNV$(\"abc1\")", Kind::Text, "ＡＢＣ１"},
        {"KACNV$(\"ＡＢＣ１ガ\")", Kind::Text, "ABC1ｶﾞ"},
        {"KACNV$(\"ひらがな\")", Kind::Text, "ひらがな"},
    });
}

TEST_F(FunctionsTest, LogicClockAndSystem) {
    setenv("QUILL_TEST_VALUE", "forty-two", 1);
    expectRows({
        {"IIF(1>2, 10, 20)", Kind::Double, "20"},
        {"IIF(1, \"Y\", \"N\")", Kind::Text, "Y"},
        {"EVAL(\"1+2\")", Kind::Decimal, "3"},
        {"EVAL(\"2*\")", Kind::Empty, "", kFails},
        {"DATE", Kind::Text, "2026/12/07"},
        {"NOW", Kind::Date, "2026/12/07 9:30:00"},
        {"TIME", Kind::Date, "9:30:00"},
        {"HOUR(NOW)", Kind::Int16, "9"},
        {"MINUTE(\"14:05:09\")", Kind::Int16, "5"},
        {"ENVIRON$(\"QUILL_TEST_VALUE\")", Kind::Text, "forty-two"},
        {"ENVIRON$(\"QUILL_SURELY_UNSET\")", Kind::Text, ""},
        {"ENVIRON$(0)", Kind::Empty, "", kFails},
        {"EOF(1)", Kind::Empty, "", kFails},
        {"LOC(1)", Kind::Empty, "", kFails},
        {"LOF(1)", Kind::Empty, "", kFails},
        {"INPUT$(1)", Kind::Empty, "", kFails},
        {"INPUT$(1, 1)", Kind::Empty, ""},
        {"INP(1)", Kind::Int16, "0"},
        {"CSRLIN", Kind::Empty, ""},
        {"INKEY$", Kind::Empty, ""},
        {"ERR", Kind::Int32, "0"},
    });
    unsetenv("QUILL_TEST_VALUE");
}

TEST_F(FunctionsTest, UnknownNamesAndCalls) {
    expectRows({
        {"X", Kind::Int16, "0"},
        {"ABC", Kind::Int16, "0"},
        {"A$", Kind::Text, ""},
        {"FOO(1)", Kind::Int16, "0"},
        {"FOO$(1)", Kind::Text, ""},
        {"FOO(1/0)", Kind::Int16, "0", kFails},
        {"NOW()", Kind::Int16, "0", kFails},
        {"SIN", Kind::Int16, "0"},
        {"SIN (30)", Kind::Int16, "0"},
        {"0+SIN (30)", Kind::Decimal, "-0.988031624092862"},
    });
}

TEST_F(FunctionsTest, RandomNumbersFollowTheirArgument) {
    Value a = Eval(u"RND(-3)"), b = Eval(u"RND(-3)"), again = Eval(u"RND(0)");
    ASSERT_TRUE(a.is(Kind::Single));
    EXPECT_EQ(a.asSingle(), b.asSingle());
    EXPECT_EQ(again.asSingle(), b.asSingle());
    for (int i = 0; i < 200; ++i) {
        float r = Eval(u"RND").asSingle();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
    }
    EXPECT_NE(Eval(u"RND(1)").asSingle(), Eval(u"RND(1)").asSingle());
}

TEST_F(FunctionsTest, CommandLineIsReported) {
    platform::setCommandLine(u"--flag file.txt");
    expectRows({{"COMMAND$", Kind::Text, "--flag file.txt"}});
    platform::setCommandLine(u"");
}

} // namespace
} // namespace quill
