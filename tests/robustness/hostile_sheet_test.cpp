// Hostile sheets and expressions: huge sheets, huge lines, deep nesting and extreme numbers
// take bounded time, never crash, and fail through the ordinary failure path.
#include "engine/eval.h"
#include "engine/jtext.h"
#include "engine/platform.h"
#include "sheet/calculation.h"

#include <gtest/gtest.h>

#include <cmath>

#include <sys/resource.h>

namespace quill {
namespace {

// These inputs must come back (CTest's timeout catches a hang) with bounded memory.

std::u16string repeated(std::u16string_view piece, std::size_t times) {
    std::u16string s;
    s.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i) s += piece;
    return s;
}

std::u16string nested(std::u16string_view open, std::u16string_view core, std::u16string_view close,
                      std::size_t depth) {
    return repeated(open, depth) + std::u16string(core) + repeated(close, depth);
}

struct Outcome {
    Value value;
    int messages = 0;
};

Outcome evaluate(std::u16string_view text) {
    Outcome o;
    o.value = Eval(text, [&](std::u16string_view) { ++o.messages; });
    return o;
}

// A value that made it out of Eval is never a NaN or an infinity.
void expectSound(const Value& v) {
    if (v.is(Kind::Double)) {
        EXPECT_TRUE(std::isfinite(v.asDouble()));
    }
    if (v.is(Kind::Single)) {
        EXPECT_TRUE(std::isfinite(v.asSingle()));
    }
    if (v.is(Kind::Date)) {
        EXPECT_TRUE(std::isfinite(v.asDate()));
    }
}

class FixedClock {
public:
    FixedClock() { platform::setFixedNow(45000.5); }
    ~FixedClock() { platform::setFixedNow(std::nullopt); }
};

TEST(HostileSheet, HundredThousandLinesAddUp) {
    const std::u16string sheet = repeated(u"1\r\n", 99999) + u"1";
    const PassResult r = calculateSheet(sheet, Grouping::Three);
    ASSERT_EQ(r.results.size(), 100000u);
    EXPECT_EQ(r.total, u"100,000");
}

TEST(HostileSheet, HundredThousandMixedAndFailingLinesFinish) {
    const std::u16string block = u"+ 5\n- 2\n* 1\n/ 1\n\\ 1\nSQR(-1)\n\"text\"\n\n(((\n";
    const std::u16string sheet = repeated(block, 11112);
    const PassResult r = calculateSheet(sheet, Grouping::Units);
    EXPECT_EQ(r.results.size(), 100009u);
    EXPECT_TRUE(r.ran);
}

struct HugeLine {
    const char* name;
    std::u16string text;
};

std::vector<HugeLine> megabyteLines() {
    constexpr std::size_t kMega = 1 << 20;
    return {
        {"digits", repeated(u"9", kMega)},
        {"grouped digits", repeated(u"999,", kMega / 4)},
        {"sum", repeated(u"1+", kMega / 2) + u"1"},
        {"opening brackets", repeated(u"(", kMega)},
        {"closing brackets", repeated(u")", kMega)},
        {"minus signs", repeated(u"-", kMega) + u"1"},
        {"letters", repeated(u"A", kMega)},
        {"unclosed string", u"\"" + repeated(u"x", kMega)},
        {"string", u"\"" + repeated(u"x", kMega) + u"\""},
        {"calls", repeated(u"SIN(", kMega / 4)},
        {"nots", repeated(u"Not ", kMega / 4) + u"1"},
        {"keywords", repeated(u"1 And ", kMega / 6) + u"1"},
        {"commas in a call", u"MAX(" + repeated(u",", kMega) + u")"},
        {"hexadecimal", u"&H" + repeated(u"F", kMega)},
        {"binary", repeated(u"1", kMega) + u"b"},
        {"wide digits", repeated(u"１", kMega)},
        {"blanks", repeated(u" ", kMega)},
    };
}

TEST(HostileSheet, MegabyteLinesFinish) {
    for (const HugeLine& line : megabyteLines()) {
        SCOPED_TRACE(line.name);
        expectSound(evaluate(line.text).value);
        const PassResult r = calculateSheet(line.text + u"\n+ 1", Grouping::Four);
        EXPECT_EQ(r.results.size(), 2u);
    }
}

struct Nesting {
    const char* name;
    std::u16string_view open, core, close;
};

constexpr Nesting kNestings[] = {
    {"brackets", u"(", u"1", u")"},          {"sums in brackets", u"(1+", u"1", u")"},
    {"calls", u"ABS(", u"1", u")"},          {"two-argument calls", u"MAX(1,", u"1", u")"},
    {"negations", u"-(", u"1", u")"},        {"evaluations", u"EVAL(", u"1", u")"},
    {"conditions", u"IIF(1,", u"1", u",0)"},
};

TEST(HostileSheet, ModerateNestingEvaluates) {
    for (const Nesting& n : kNestings) {
        SCOPED_TRACE(n.name);
        const Outcome o = evaluate(nested(n.open, n.core, n.close, 40));
        EXPECT_EQ(o.messages, 0);
        EXPECT_FALSE(o.value.isEmpty());
    }
}

// Past the nesting limits the evaluation fails; plain brackets are stripped without nesting, so
// they still evaluate.
TEST(HostileSheet, DeepNestingGivesAValueOrTheFailure) {
    for (const Nesting& n : kNestings) {
        for (std::size_t depth : {199u, 200u, 201u, 254u, 255u, 256u, 1000u, 100000u}) {
            SCOPED_TRACE(std::string(n.name) + " " + std::to_string(depth));
            const Outcome o = evaluate(nested(n.open, n.core, n.close, depth));
            expectSound(o.value);
            if (depth > 256 && n.open != u"(") {
                EXPECT_GE(o.messages, 1) << "a nesting past every limit fails somewhere";
            }
        }
    }
}

// A line past a bound of the whole evaluation fails as a whole: the empty value and one failure
// message, never a result made from what was left (LEN of an over-long text gave 0).
TEST(HostileSheet, ALinePastTheEvaluationsBoundsFailsWhole) {
    std::u16string built;
    for (int i = 0; i < 17; ++i) built += u"SPACE$(1048576)+";
    const struct {
        const char* name;
        std::u16string text;
    } rows[] = {
        {"a text longer than the scan bound", u"LEN(\"" + repeated(u"a", 8400000) + u"\")"},
        {"nesting past the depth bound", u"1+" + nested(u"ABS(", u"1", u")", 201)},
        {"texts built past the budget", u"LEN(" + built + u"\"\")"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Outcome o = evaluate(row.text);
        EXPECT_TRUE(o.value.isEmpty());
        EXPECT_EQ(o.messages, 1);
        const PassResult r = calculateSheet(u"5\n+ " + row.text + u"\n+ 1", Grouping::None);
        EXPECT_EQ(r.results, (std::vector<std::u16string>{u"5", u"+ ", u"+ 1"}));
        EXPECT_EQ(r.total, u"6") << "the failed line leaves the total alone";
    }
}

long peakRssMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// Ninety-nine SPACE$ calls of a megabyte each at every level of an eight-level nesting: every
// level holds its texts until its operators apply, so without a budget for the whole line this
// 13 KB line took 1.6 GB (and a 100 KB line more memory than any machine has).
TEST(HostileSheet, TextsBuiltByOneLineStayWithinABudget) {
    std::u16string level;
    for (int i = 0; i < 99; ++i) level += u"SPACE$(1048576)=";
    std::u16string text = u"1";
    for (int d = 0; d < 8; ++d) text = level + u"(" + text + u")";
    const long before = peakRssMegabytes();
    const Outcome o = evaluate(text);
    EXPECT_GE(o.messages, 1) << "the budget ran out";
    EXPECT_LT(peakRssMegabytes() - before, 1024);
}

// Every nesting level keeps copies of its text while the levels inside it run: a megabyte
// sum inside 190 calls took 730 MB and two seconds before the texts of one evaluation were
// bounded together.
TEST(HostileSheet, MegabyteLineNestedDeepStaysWithinABudget) {
    const std::u16string text = nested(u"ABS(", u"1" + repeated(u"+1", 500000), u")", 190);
    const long before = peakRssMegabytes();
    const Outcome o = evaluate(text);
    EXPECT_GE(o.messages, 1);
    EXPECT_LT(peakRssMegabytes() - before, 512);
}

TEST(HostileSheet, ExtremeNumbersGiveNumbersOrFailures) {
    FixedClock clock;
    const char16_t* const lines[] = {
        u"1E308*10",
        u"1E308+1E308",
        u"-1E308-1E308",
        u"1E-320",
        u"4.9E-324/2",
        u"1E+400",
        u"2^1024",
        u"2^-1075",
        u"10^-400",
        u"(-8)^(1/3)",
        u"0^-1",
        u"79228162514264337593543950335+1",
        u"-79228162514264337593543950335-1",
        u"79228162514264337593543950335*79228162514264337593543950335",
        u"0.0000000000000000000000000001/10",
        u"1/0.0000000000000000000000000001",
        u"1/3*3",
        u"-2147483648\\-1",
        u"-2147483648 Mod -1",
        u"-32768*-1",
        u"EXP(710)",
        u"EXP(-746)",
        u"LOG(4.9E-324)",
        u"HSIN(1000)",
        u"HTAN(1000)",
        u"TRUNCATE(1E300,400)",
        u"ROUND(1E300,2147483647)",
        u"ROUND(79228162514264337593543950335,28)",
        u"CSNG(1E39)",
        u"CINT(32767.5)",
        u"CINT(-32768.5)",
        u"ABS(-2147483648)",
        u"FIX(-1E308)",
        u"INT(1E308)",
        u"TAN(1E308)",
        u"SIN(1E308)",
        u"HEX$(1E10)",
        u"STR$(1E308)",
        u"NOW+1E308",
        u"\"9999/12/31\"+1",
        u"\"0100/01/01\"-1",
        u"SPACE$(2147483647)",
        u"STRING$(1E9,65)",
        u"LEFT$(\"abc\",2147483647)",
        u"MID$(\"abc\",2147483647,2147483647)",
        u"INSTR(2147483647,\"abc\",\"\")",
        u"KNJ$(\"FFFFFFFF\")",
        u"VAL(\"1E99999\")",
        u"VAL(\"&HFFFFFFFFFF\")",
        u"&HFFFFFFFFFFFFFFFFFFFF",
        u"11111111111111111111111111111111111b",
        u"1E308\n+ 1E308",
    };
    for (const char16_t* line : lines) {
        SCOPED_TRACE(toUtf8(line));
        const Outcome o = evaluate(line);
        expectSound(o.value);
        if (o.value.isEmpty()) {
            EXPECT_GE(o.messages, 1) << "a failure shows the message";
        }
        const PassResult r = calculateSheet(line, Grouping::Units);
        EXPECT_TRUE(r.ran);
    }
}

} // namespace
} // namespace quill
