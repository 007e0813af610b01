// Text on its way into the sheet: the filter every entry goes through, and the narrowing of a
// calculation pass with the caret positions it moves.
#include "engine/jtext.h"
#include "sheet/incoming_text.h"
#include "sheet/narrowing.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(IncomingText, LeavesOnlyPlainLinesAndTabs) {
    struct Row {
        const char* name;
        std::u16string in;
        std::u16string out;
    };
    const Row rows[] = {
        {"clean text stays", u"1+2\n\t3 漢字", u"1+2\n\t3 漢字"},
        {"cut at the first NUL",
         std::u16string(u"1+2\n3\0"
                        u"4\n5",
                        8),
         u"1+2\n3"},
        {"NUL first",
         std::u16string(u"\0"
                        u"12",
                        3),
         u""},
        {"CR LF", u"1\r\n2\r\n", u"1\n2\n"},
        {"lone CR", u"1+2\r3*4\r5", u"1+2\n3*4\n5"},
        {"CR CR LF", u"1\r\r\n2", u"1\n\n2"},
        {"line separator", u"4\u20285", u"4\n5"},
        {"paragraph separator", u"4\u20295", u"4\n5"},
        {"NEL", u"4\u00855", u"4\n5"},
        {"vertical tab and form feed", u"4\v5\f6", u"4\n5\n6"},
        {"other C0 controls", u"1\u00012\u001B[3\u007F4", u"12[34"},
        {"C1 controls", u"1\u00802\u009F3", u"123"},
        {"not controls", u"\u00A0\u00A5\uFEFF\uFFFD", u"\u00A0\u00A5\uFEFF\uFFFD"},
        {"next to the separators", u"~\u2027\u202A\u2030", u"~\u2027\u202A\u2030"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(cleanIncomingText(row.in), row.out);
        // The text is looked through in blocks: the same text anywhere in a long sheet.
        for (size_t before : {0, 255, 256, 257, 1000}) {
            const std::u16string padded = std::u16string(before, u'1') + row.in + u"\n2";
            EXPECT_EQ(needsCleaning(padded), row.in != row.out) << before;
        }
    }
}

TEST(IncomingText, AnyCharacterBeyondAsciiIsFoundWhereverItIs) {
    for (char16_t c : {u'\u007F', u'\u0080', u'\u00FF', u'\u3042', u'\uFF11', u'\uFFFF'}) {
        for (size_t at : {0, 1, 255, 256, 257, 511, 512, 999}) {
            std::u16string text(1000, u'7');
            text[at] = c;
            EXPECT_EQ(hasNonAscii(text), c >= 0x80) << int(c) << " at " << at;
        }
    }
    EXPECT_FALSE(hasNonAscii(u""));
}

TEST(Narrowing, InputMethodCharactersBecomeTheOperatorMeant) {
    struct Row {
        const char* in;
        const char* out;
    };
    const Row rows[] = {
        {"１２３＋４", "123+4"},
        {"７￥２", "7\\2"},
        {"7¥2", "7\\2"},
        {"LEN(”abc”)", "LEN(\"abc\")"},
        {"LEN(“abc”)", "LEN(\"abc\")"},
        {"LEN(＂ａ＂)", "LEN(\"a\")"},
        {"5−3", "5-3"},
        {"\"ガス\"", "\"ｶﾞｽ\""},
        {"漢字ひらがな", "漢字ひらがな"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.in);
        EXPECT_EQ(toUtf8(narrowLine(fromUtf8(row.in))), row.out);
    }
}

TEST(Narrowing, PositionsFollowTheirCharacters) {
    struct Row {
        const char* name;
        const char* original;
        size_t position;
        size_t expected;
    };
    const Row rows[] = {
        {"end of its line", "LEN(\"ガス\")\n", 9, 10},
        {"the next line", "LEN(\"ガス\")\n", 10, 11},
        {"before it", "LEN(\"ガス\")", 5, 5},
        {"between the kana", "LEN(\"ガス\")", 6, 7},
        {"on a later line", "ガ\nガ1\n2", 5, 7},
        {"start of a later line", "ガ\nガ", 2, 3},
        {"one-to-one narrowing", "１２\n３", 3, 3},
        {"past the end", "ガ", 9, 2},
        {"nothing narrowed", "1+2", 2, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::u16string original = fromUtf8(row.original);
        std::u16string narrowed;
        size_t from = 0;
        for (size_t nl; (nl = original.find(u'\n', from)) != std::u16string::npos; from = nl + 1)
            narrowed += narrowLine(std::u16string_view(original).substr(from, nl - from)) + u'\n';
        narrowed += narrowLine(std::u16string_view(original).substr(from));
        EXPECT_EQ(narrowedPosition(original, narrowed, row.position), row.expected);
    }
}

} // namespace
} // namespace quill
