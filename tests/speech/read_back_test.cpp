// Reading the tape back: which lines are read, in which words, from where.
#include "speech/read_back.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quill {
namespace {

struct Expected {
    int line;
    std::u16string_view text;
};

TEST(ReadBack, EachNonBlankLineIsReadAsItsResultThenTheTotal) {
    constexpr int T = kTotalPhraseLine;
    struct Row {
        const char* name;
        std::u16string_view sheet;
        Grouping grouping;
        std::vector<Expected> phrases;
    };
    const Row rows[] = {
        {"additions, a subtraction, a blank line",
         u"100\n+50\n\n- 30",
         Grouping::None,
         {{0, u"<NUMK VAL=100>"},
          {1, u"たす,<NUMK VAL=50>"},
          {3, u"ひく,<NUMK VAL=30>"},
          {T, u"ごうけい,<NUMK VAL=120>"}}},
        {"every tape operator has its word; integer division is told apart",
         u"7\n* 6\n/ 4\n\\ 2\n-5",
         Grouping::None,
         {{0, u"<NUMK VAL=7>"},
          {1, u"かけ'る,<NUMK VAL=6>"},
          {2, u"わる,<NUMK VAL=4>"},
          {3, u"せ'いすう/わる,<NUMK VAL=2>"},
          {4, u"たす,マイナス<NUMK VAL=5>"},
          {T, u"ごうけい,<NUMK VAL=0>"}}},
        {"a failed line is an error and leaves the total",
         u"10\n1/0\n+ 2",
         Grouping::None,
         {{0, u"<NUMK VAL=10>"},
          {1, u"たす,エラー"},
          {2, u"たす,<NUMK VAL=2>"},
          {T, u"ごうけい,<NUMK VAL=12>"}}},
        {"a failed first line", u"1/0", Grouping::None, {{0, u"エラー"}, {T, u"ごうけい,エラー"}}},
        {"the first line's operator is not applied, so it is not read",
         u"* 5",
         Grouping::None,
         {{0, u"<NUMK VAL=5>"}, {T, u"ごうけい,<NUMK VAL=5>"}}},
        {"a date line and days after it",
         u"\"2009/03/07\"\n30",
         Grouping::None,
         {{0, u"<NUMK VAL=2009 COUNTER=ねん>;<NUMK VAL=3 COUNTER=がつ>;<NUMK VAL=7 COUNTER=にち>"},
          {1, u"たす,<NUMK VAL=30>"},
          {T, u"ごうけい,<NUMK VAL=2009 COUNTER=ねん>;<NUMK VAL=4 COUNTER=がつ>;<NUMK VAL=6 "
              u"COUNTER=にち>"}}},
        {"a time line",
         u"\"14:05:09\"",
         Grouping::None,
         {{0, u"<NUMK VAL=14 COUNTER=じ>;<NUMK VAL=5 COUNTER=ふん>;<NUMK VAL=9 COUNTER=びょー>"},
          {T, u"ごうけい,<NUMK VAL=14 COUNTER=じ>;<NUMK VAL=5 COUNTER=ふん>;<NUMK VAL=9 "
              u"COUNTER=びょー>"}}},
        {"grouping by 万、億、兆 is read as the number it shows",
         u"123456789\n- 12345.5",
         Grouping::Units,
         {{0, u"<NUMK VAL=123456789>"},
          {1, u"ひく,<NUMK VAL=12345.5>"},
          {T, u"ごうけい,<NUMK VAL=123444443.5>"}}},
        {"grouping by three and by four",
         u"-1234567\n+ 0.5",
         Grouping::Three,
         {{0, u"マイナス<NUMK VAL=1234567>"},
          {1, u"たす,<NUMK VAL=0.5>"},
          {T, u"ごうけい,マイナス<NUMK VAL=1234566.5>"}}},
        {"the exponent form and a truth value",
         u"2^100\n1=1",
         Grouping::Four,
         {{0, u"<NUMK VAL=1.26765060022823E+30>"},
          {1, u"たす,しん"},
          {T, u"ごうけい,<NUMK VAL=1.26765060022823E+30>"}}},
        {"a text is read as its letters without the notation's marks",
         u"\"<あ>;い,う\"",
         Grouping::None,
         {{0, u"あいう"}, {T, u"ごうけい,あいう"}}},
        {"an empty sheet reads nothing", u"", Grouping::None, {}},
        {"blank lines read nothing either", u"\n\n", Grouping::None, {}},
        {"a text the voice cannot read is read as the pass would speak it, or left out",
         u"1\n\"abc\"\n\"+7\"\n\"abc\"",
         Grouping::None,
         {{0, u"<NUMK VAL=1>"}, {2, u"たす,<NUMK VAL=7>"}, {T, u"ごうけい,<NUMK VAL=8>"}}},
        {"a text total that says nothing", u"\"abc\"", Grouping::None, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::vector<ReadBackPhrase> phrases =
            readBackPhrases(shownTape(row.sheet, row.grouping), 0);
        ASSERT_EQ(phrases.size(), row.phrases.size());
        for (size_t i = 0; i < phrases.size(); ++i) {
            EXPECT_EQ(phrases[i].line, row.phrases[i].line) << "phrase " << i;
            EXPECT_EQ(phrases[i].text, row.phrases[i].text) << "phrase " << i;
        }
    }
}

TEST(ReadBack, StartsOnTheCaretsLineOrAtTheTopFromTheLastLine) {
    struct Row {
        int caretLine, lineCount, start;
    };
    const Row rows[] = {{0, 5, 0}, {2, 5, 2}, {3, 5, 3}, {4, 5, 0}, {0, 1, 0}, {7, 5, 0}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.caretLine << " of " << r.lineCount);
        EXPECT_EQ(readBackStart(r.caretLine, r.lineCount), r.start);
    }
    // From the middle: the lines above are left out, the total is still read.
    const std::vector<ReadBackPhrase> phrases =
        readBackPhrases(shownTape(u"1\n2\n\n3", Grouping::None), 1);
    ASSERT_EQ(phrases.size(), 3u);
    EXPECT_EQ(phrases[0].text, u"たす,<NUMK VAL=2>");
    EXPECT_EQ(phrases[1].line, 3);
    EXPECT_EQ(phrases[2].text, u"ごうけい,<NUMK VAL=6>");
}

// Only the plain number form a result shows is read as a number; anything else is read as its
// letters where the voice reads them, else as the result phrase of a pass would say it.
TEST(ReadBack, ShownValuesReadAsNumbersOnlyInTheirPlainForm) {
    const struct {
        std::u16string_view shown;
        Grouping grouping;
        std::u16string_view phrase;
    } rows[] = {
        {u"-.5", Grouping::None, u"マイナス<NUMK VAL=.5>"},
        {u"1e-07", Grouping::None, u"<NUMK VAL=1e-07>"},
        {u"12,345", Grouping::Three, u"<NUMK VAL=12345>"},
        {u"1万2345", Grouping::Units, u"<NUMK VAL=12345>"},
        {u"+7", Grouping::None, u"<NUMK VAL=7>"}, // as a pass with that total says it
        {u"1.", Grouping::None, u"<NUMK VAL=1>"},
        {u"1E", Grouping::None, u""},
        {u"--5", Grouping::None, u""},
        {u"+ あ", Grouping::None, u"+ あ"},
        {u"  ", Grouping::None, u"エラー"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.shown.begin(), row.shown.end()));
        EXPECT_EQ(spokenValue(row.shown, row.grouping), row.phrase);
    }
}

} // namespace
} // namespace quill
