// The calculation pass: line kinds, the first line, blanks, failures, narrowing, dates, the
// status text and the result phrase.
#include "engine/jtext.h"
#include "engine/platform.h"
#include "sheet/calculation.h"

#include <gtest/gtest.h>

#include <vector>

namespace quill {
namespace {

struct PassRow {
    const char* name;
    const char* sheet;
    std::vector<const char*> results;
    const char* total;
    Grouping grouping = Grouping::None;
};

std::vector<std::string> utf8(const std::vector<std::u16string>& lines) {
    std::vector<std::string> out;
    for (const auto& l : lines) out.push_back(toUtf8(l));
    return out;
}

class CalculationTest : public testing::Test {
protected:
    void SetUp() override { platform::setFixedNow(46363.5); } // 2026-12-07 12:00
    void TearDown() override { platform::setFixedNow(std::nullopt); }

    static void expectPasses(std::initializer_list<PassRow> rows) {
        for (const auto& row : rows) {
            SCOPED_TRACE(row.name);
            PassResult r = calculateSheet(fromUtf8(row.sheet), row.grouping);
            EXPECT_EQ(utf8(r.results),
                      std::vector<std::string>(row.results.begin(), row.results.end()));
            EXPECT_EQ(toUtf8(r.total), row.total);
            EXPECT_EQ(toUtf8(r.status), "計算が完了しました");
        }
    }
};

TEST_F(CalculationTest, TapeLinesApplyTheirOperatorToTheRunningTotal) {
    expectPasses({
        {"worked example", "100\n+50\n* 2\n\n- 30", {"100", "+ 50", "* 2", "", "- 30"}, "270"},
        {"CR LF lines", "1\r\n+ 2\r\n* 3", {"1", "+ 2", "* 3"}, "9"},
        {"lone CR lines", "1+2\r3*4\r5", {"3", "+ 12", "+ 5"}, "20"},
        {"mixed line ends and blank lines", "1\r\r\n2\n\r3", {"1", "", "+ 2", "", "+ 3"}, "6"},
        {"plus rewritten", "1\n+5", {"1", "+ 5"}, "6"},
        {"minus is a negative add", "1\n-5", {"1", "+ -5"}, "-4"},
        {"minus blank subtracts", "1\n- 5", {"1", "- 5"}, "-4"},
        {"star rewritten", "2\n*3", {"2", "* 3"}, "6"},
        {"exact division", "1\n/ 3", {"1", "/ 3"}, "0.3333333333333333333333333333"},
        {"integer division", "7\n\\ 2", {"7", "\\ 2"}, "3"},
        {"expressions", "1,234+5*2\nSIN(0)", {"1244", "+ 0"}, "1244"},
        {"money stays exact", "0.1\n0.2\n- 0.3", {"0.1", "+ 0.2", "- 0.3"}, "0"},
        {"trimmed", "  5  \n  * 2 ", {"5", "* 2"}, "10"},
    });
}

TEST_F(CalculationTest, TheFirstLineIsSheetLineZero) {
    expectPasses({
        {"tape operator ignored", "* 5", {"5"}, "5"},
        {"minus tape on first line", "- 5", {"5"}, "5"},
        {"blank first line", "\n* 5", {"", "* 5"}, "0"},
        {"trailing blank lines stay aligned", "1\n\n\n2\n", {"1", "", "", "+ 2", ""}, "3"},
    });
}

TEST_F(CalculationTest, FailingStatementsAreSkipped) {
    expectPasses({
        {"failing add keeps total", "5\n1/0", {"5", "+ "}, "5"},
        {"failing multiply gives zero", "5\n* 1/0", {"5", "* "}, "0"},
        {"failing divide is skipped", "5\n/ 1/0", {"5", "/ "}, "5"},
        {"text added is skipped", "5\n\"abc\"", {"5", "+ abc"}, "5"},
        {"failing first line", "1/0\n+ 2", {"", "+ 2"}, "2"},
        {"overflow is skipped",
         "\"79228162514264337593543950335\"+0\n* 10",
         {"79228162514264337593543950335", "* 10"},
         "79228162514264337593543950335"},
    });
}

TEST_F(CalculationTest, GroupingShapesResultsAndTotal) {
    expectPasses({
        {"three", "1234567\n- 0.5", {"1,234,567", "- 0.5"}, "1,234,566.5", Grouping::Three},
        {"four", "123456789", {"1,2345,6789"}, "1,2345,6789", Grouping::Four},
        {"units", "100000000\n+ 1", {"1億0000万0000", "+ 1"}, "1億0000万0001", Grouping::Units},
        {"negative", "-12345678", {"-12,345,678"}, "-12,345,678", Grouping::Three},
    });
}

TEST_F(CalculationTest, DatesMoveByDaysAndCombine) {
    expectPasses({
        {"date plus days", "\"2009/03/07\"\n30", {"2009/03/07", "+ 30"}, "2009/04/06"},
        {"days plus date", "30\n\"2009/03/07\"", {"30", "+ 2009/03/07"}, "2009/04/06"},
        {"date plus time",
         "\"2009/03/07\"\n\"1:30:00\"",
         {"2009/03/07", "+ 1:30:00"},
         "2009/03/07 1:30:00"},
        {"month day takes this year", "\"03/07\"\n1", {"03/07", "+ 1"}, "2026/03/08"},
        {"DATE plus days", "DATE\n+ 25", {"2026/12/07", "+ 25"}, "2027/01/01"},
        {"date out of range is skipped", "\"9999/12/31\"\n1", {"9999/12/31", "+ 1"}, "9999/12/31"},
    });
}

TEST_F(CalculationTest, NarrowingRewritesTheSheet) {
    PassResult r = calculateSheet(u"１＋２\n３", Grouping::None);
    EXPECT_TRUE(r.sheetChanged);
    EXPECT_EQ(r.sheet, u"1+2\n3");
    EXPECT_EQ(r.total, u"6");
    PassResult lone = calculateSheet(u"１\r２\r\n３", Grouping::None);
    EXPECT_EQ(lone.sheet, u"1\r2\r\n3") << "every line end kept as it was";
    EXPECT_EQ(lone.total, u"6");
    PassResult plain = calculateSheet(u"1+2\n漢字", Grouping::None);
    EXPECT_FALSE(plain.sheetChanged);
}

TEST_F(CalculationTest, EmptySheetTouchesNothing) {
    PassResult r = calculateSheet(u"", Grouping::Three);
    EXPECT_FALSE(r.ran);
    EXPECT_TRUE(r.results.empty());
    EXPECT_EQ(r.total, u"");
    EXPECT_EQ(r.status, u"");
    EXPECT_EQ(r.phrase, u"");
}

TEST_F(CalculationTest, ResultPhraseSpeaksTheTotal) {
    struct Row {
        const char* sheet;
        const char* phrase;
    } rows[] = {
        {"0", "<NUMK VAL=0>"},
        {"-12.5", "マイナス<NUMK VAL=12.5>"},
        {"-0.5", "マイナス<NUMK VAL=0.5>"},
        {"1234567", "<NUMK VAL=1234567>"},
        {"\"2009/03/07\"",
         "<NUMK VAL=2009 COUNTER=ねん>;<NUMK VAL=3 COUNTER=がつ>;<NUMK VAL=7 COUNTER=にち>"},
        {"\"2009/03/07\"\n\"14:05:09\"",
         "<NUMK VAL=2009 COUNTER=ねん>;<NUMK VAL=3 COUNTER=がつ>;<NUMK VAL=7 COUNTER=にち>;"
         "<NUMK VAL=14 COUNTER=じ>;<NUMK VAL=5 COUNTER=ふん>;<NUMK VAL=9 COUNTER=びょー>;"},
        {"\"03/07\"", "<NUMK VAL=3 COUNTER=がつ>;<NUMK VAL=7 COUNTER=にち>"},
        {"\"03/07 14:05:09\"", "<NUMK VAL=3 COUNTER=がつ>;<NUMK VAL=7 COUNTER=にち>;<NUMK VAL=14 "
                               "COUNTER=じ>;<NUMK VAL=5 COUNTER=ふん>;<NUMK VAL=9 COUNTER=びょー>"},
        {"\"14:05:09\"",
         "<NUMK VAL=14 COUNTER=じ>;<NUMK VAL=5 COUNTER=ふん>;<NUMK VAL=9 COUNTER=びょー>"},
        {"\"abc\"", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sheet);
        EXPECT_EQ(toUtf8(calculateSheet(fromUtf8(row.sheet), Grouping::Three).phrase), row.phrase);
    }
}

} // namespace
} // namespace quill
