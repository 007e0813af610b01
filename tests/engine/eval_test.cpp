// Eval: literals, the scan and its keywords, priorities and the pairing of slots, each kind's
// arithmetic and text form, failures and limits.
#include "engine/platform.h"
#include "eval_test_support.h"

namespace quill {
namespace {

constexpr bool kFails = true;

TEST(EvalLiterals, NumbersHexBinaryAndStrings) {
    expectRows({
        {"1,234", Kind::Double, "1234"},
        {"1,234+1", Kind::Decimal, "1235"},
        {".5", Kind::Double, "0.5"},
        {"5.", Kind::Double, "5"},
        {"&HFF", Kind::Double, "255"},
        {"&hff", Kind::Double, "255"},
        {"FFh", Kind::Double, "255"},
        {"ffh", Kind::Double, "255"},
        {"2*FFh", Kind::Decimal, "510"},
        {"101b", Kind::Double, "5"},
        {"101B", Kind::Double, "5"},
        {"b", Kind::Double, "0"},
        {"11111111111111111111111111111111b", Kind::Double, "0"},
        {"\"a\"\"b\"", Kind::Text, "a\"b"},
        {"\"abc", Kind::Text, "abc"},
        {"\"Mixed Case\"", Kind::Text, "Mixed Case"},
        {"\"\"", Kind::Text, ""},
        {"2024/1/1", Kind::Decimal, "2024"},
        {"12345678901234567890+1", Kind::Decimal, "12345678901234600001"},
        // Every "," of an amount is passed over, also one after the point.
        {"1,234.56", Kind::Double, "1234.56"},
        {"+ 1,234.56", Kind::Double, "1234.56"},
        {"1.5,0", Kind::Double, "1.5"},
        {"1,2,3.4,5", Kind::Double, "123.45"},
        {",5", Kind::Double, "5"},
        {"(677843.38+87906.77)/2", Kind::Decimal, "382875.075"},
    });
}

TEST(EvalLiterals, MalformedLiteralsFail) {
    expectRows({
        {"", Kind::Empty, "", kFails},
        {"1 2", Kind::Empty, "", kFails},
        {"&H", Kind::Empty, "", kFails},
        {"h", Kind::Empty, "", kFails},
        {"1.2.3", Kind::Empty, "", kFails},
        {"5!", Kind::Empty, "", kFails},
        {"１＋２", Kind::Empty, "", kFails},
    });
}

TEST(EvalScan, BlanksSignsAndBrackets) {
    expectRows({
        {"1 2+0", Kind::Decimal, "12"},
        {"-5", Kind::Decimal, "-5"},
        {"2*-3*4", Kind::Decimal, "-24"},
        {"2--3", Kind::Decimal, "5"},
        {"+5", Kind::Double, "5"},
        {"1;2", Kind::Decimal, "3"},
        {"((1+2))", Kind::Decimal, "3"},
        {"(1)+(2)", Kind::Decimal, "3"},
        {"-(2+3)", Kind::Decimal, "-5"},
        {"(1+(2*3))*2", Kind::Decimal, "14"},
        {"1+2)", Kind::Decimal, "3"},
        {"1:2", Kind::Double, "12"},
    });
}

TEST(EvalScan, KeywordsOnlyAfterBlankNumberOrBracket) {
    expectRows({
        {"1 AND 3", Kind::Int32, "1"},
        {"1AND3", Kind::Int32, "1"},
        {"(1)Or(2)", Kind::Int32, "3"},
        {"1 or 2", Kind::Int32, "3"},
        {"6 Xor 3", Kind::Int32, "5"},
        {"3 MOD 2", Kind::Int32, "1"},
        {"5mod2", Kind::Int32, "1"},
        {"RAND", Kind::Int16, "0"},
        {"COLOR", Kind::Int16, "0"},
        {"AND", Kind::Int16, "0"},
    });
}

TEST(EvalPriorities, LevelsBindTighterAndRunLeftToRight) {
    expectRows({
        {"1+2*3^2", Kind::Decimal, "19"},
        {"2^3^2", Kind::Double, "64"},
        {"8/4/2", Kind::Decimal, "1"},
        {"10-2-3", Kind::Decimal, "5"},
        {"7\\2*2", Kind::Int32, "1"},
        {"1+7 Mod 4", Kind::Decimal, "4"},
        {"1<2 And 2<3", Kind::Bool, "True"},
        {"1=1", Kind::Bool, "True"},
        {"1+1=2", Kind::Bool, "True"},
        {"1 Or 2 And 0", Kind::Int32, "1"},
        {"2**3", Kind::Decimal, "0"},
        {"*2", Kind::Double, "2"},
    });
}

TEST(EvalOperators, DecimalArithmeticIsExact) {
    expectRows({
        {"0.1+0.2", Kind::Decimal, "0.3"},
        {"1/3", Kind::Decimal, "0.3333333333333333333333333333"},
        {"2/3", Kind::Decimal, "0.6666666666666666666666666667"},
        {"1/3*3", Kind::Decimal, "0.9999999999999999999999999999"},
        {"1.1-1.10", Kind::Decimal, "0"},
        {"1.5*2", Kind::Decimal, "3"},
        {"1234.5*100", Kind::Decimal, "123450"},
        {"2^0.5", Kind::Double, "1.4142135623731"},
    });
}

TEST(EvalOperators, IntegerDivisionModAndBits) {
    expectRows({
        {"7\\2", Kind::Int32, "3"},
        {"7.5\\2", Kind::Int32, "4"},
        {"-7 Mod 3", Kind::Decimal, "-1"},
        {"(-7) Mod 3", Kind::Int32, "-1"},
        {"19 Mod 6.5", Kind::Int32, "1"},
        {"1 And 3", Kind::Int32, "1"},
        {"NOT 0", Kind::Int32, "-1"},
        {"NOT(1=1)", Kind::Bool, "False"},
        {"(1=1) And (2=2)", Kind::Bool, "True"},
        {"(1=1) Xor (2=2)", Kind::Bool, "False"},
    });
}

TEST(EvalOperators, ComparisonsAcrossKinds) {
    expectRows({
        {"\"a\"<\"b\"", Kind::Bool, "True"},
        {"\"B\"<\"a\"", Kind::Bool, "True"},
        {"5<\"a\"", Kind::Bool, "True"},
        {"X=0", Kind::Bool, "True"},
        {"A$=\"\"", Kind::Bool, "True"},
        {"0.1+0.2=0.3", Kind::Bool, "True"},
        {"1/3*3=1", Kind::Bool, "False"}, // a decimal against a double compares in decimal
        {"1/3*3<1", Kind::Bool, "True"},
        {"1>1/3*3", Kind::Bool, "True"},
        {"2^0.5=2^0.5", Kind::Bool, "True"},
        {"10^40>1/3", Kind::Bool, "True"}, // beyond the decimal range: simply larger
        {"1/3<10^40", Kind::Bool, "True"},
        {"CDBL(\"-1E40\")<1/3", Kind::Bool, "True"},
        {"1<>2", Kind::Bool, "True"},
        {"2><1", Kind::Bool, "True"},
        {"2=>2", Kind::Bool, "True"},
        {"2=<1", Kind::Bool, "False"},
    });
}

TEST(EvalFailures, InnermostCallReportsAndTheOuterGoesOn) {
    expectRows({
        {"2*", Kind::Empty, "", kFails},
        {"2*(1/0)", Kind::Decimal, "0", kFails},
        {"5+SQR(-1)", Kind::Decimal, "5", kFails},
        {"1/0", Kind::Empty, "", kFails},
        {"\"a\"+1", Kind::Empty, "", kFails},
        {"(1", Kind::Empty, "", kFails},
        {"79228162514264337593543950335*10", Kind::Empty, "", kFails},
        {"2147483648\\1", Kind::Empty, "", kFails},
        {"(-8)^(1/3)", Kind::Empty, "", kFails},
        {"X+1", Kind::Decimal, "1"},
        {"1E5", Kind::Int16, "0"},
    });
}

TEST(EvalKinds, PlainTextForms) {
    expectRows({
        {"CDBL(1/3)", Kind::Double, "0.333333333333333"},
        {"CDBL(12345678901234567)", Kind::Double, "1.23456789012346E+16"},
        {"CDBL(0.00001)", Kind::Double, "1E-05"},
        {"CDBL(0.0001)", Kind::Double, "0.0001"},
        {"CDBL(123456789012345)", Kind::Double, "123456789012345"},
        {"CSNG(1234.56789)", Kind::Single, "1234.568"},
        {"CSNG(100000000)", Kind::Single, "1E+08"},
        {"CINT(-2.5)", Kind::Int16, "-2"},
        {"1=2", Kind::Bool, "False"},
        {"POS(1)", Kind::Empty, ""},
    });
}

std::string repeat(const std::string& s, size_t n) {
    std::string out;
    out.reserve(s.size() * n);
    for (size_t i = 0; i < n; ++i) out += s;
    return out;
}

TEST(EvalLimits, CapacitiesFailThroughTheFailurePath) {
    std::string operands101 = repeat("1+", 100) + "1";
    std::string operands102 = repeat("1+", 101) + "1";
    std::string depth255 = repeat("(", 254) + "1+1" + repeat(")", 254) + "+0";
    std::string depth256 = "0+" + repeat("(", 256) + "1" + repeat(")", 256);
    expectRows({
        {operands101.c_str(), Kind::Decimal, "101"},
        {operands102.c_str(), Kind::Empty, "", kFails},
        {depth255.c_str(), Kind::Decimal, "2"},
        {depth256.c_str(), Kind::Empty, "", kFails},
        {"ABS(1,2,3,4,5,6,7,8)", Kind::Double, "1"},
        {"ABS(1,2,3,4,5,6,7,8,9)", Kind::Empty, "", kFails},
    });
}

// Each of these must come back (CTest's timeout catches a hang) without exhausting the stack.
TEST(EvalLimits, HostileTextsComeBack) {
    struct Hostile {
        std::string text;
        bool fails;
    };
    const Hostile rows[] = {
        {repeat("(", 100000), true},
        {repeat("(", 100000) + "1" + repeat(")", 100000), false},
        {repeat("-(", 50000) + "1" + repeat(")", 50000), true},
        {repeat("ABS(", 50000) + "1" + repeat(")", 50000), true},
        {repeat("EVAL(", 50000) + "1" + repeat(")", 50000), true},
        {repeat("1+", 500000) + "1", true},
        {repeat("\"", 1) + repeat("a", 1000000) + repeat("\"", 1), false},
        {repeat("9", 1000000), true},
        {"SPACE$(2000000000)", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.substr(0, 40));
        EXPECT_EQ(evaluate(row.text.c_str()).reported, row.fails);
    }
    evaluate(repeat("(1)", 300000).c_str()); // any value, as long as it comes back
}

} // namespace
} // namespace quill
