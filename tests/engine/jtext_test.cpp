#include "engine/jtext.h"

#include <gtest/gtest.h>

#include <thread>

namespace quill {
namespace {

struct WidthRow {
    const char* name;
    std::u16string input;
    std::u16string expected;
};

TEST(JText, HalfWidth) {
    const WidthRow rows[] = {
        {"digits, symbols, voiced kana, letters", u"１＋２ガＡ", u"1+2ｶﾞA"},
        {"ascii passes unchanged", u"1+2*(3/4)", u"1+2*(3/4)"},
        {"empty", u"", u""},
        {"hiragana untouched", u"がぎぐ１", u"がぎぐ1"},
        {"kanji untouched", u"亜１", u"亜1"},
        {"semi-voiced and long vowel", u"パーセント", u"ﾊﾟｰｾﾝﾄ"},
        {"ideographic space", u"１　２", u"1 2"},
        {"wave dash and minus", u"～－", u"~-"},
        {"punctuation", u"「。」、・", u"｢｡｣､･"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(toHalfWidth(row.input), row.expected);
    }
}

TEST(JText, FullWidth) {
    const WidthRow rows[] = {
        {"voiced marks recombined", u"ｶﾞA1+", u"ガＡ１＋"},
        {"semi-voiced", u"ﾊﾟ", u"パ"},
        {"hiragana untouched", u"がa", u"がａ"},
        {"empty", u"", u""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(toFullWidth(row.input), row.expected);
    }
}

TEST(JText, WidthRoundTripOnOtherThreads) {
    // Each thread keeps its own transliterators; they must work there too.
    std::u16string half, full;
    std::thread worker([&] {
        half = toHalfWidth(u"ガ１");
        full = toFullWidth(u"ｶﾞ1");
    });
    worker.join();
    EXPECT_EQ(half, u"ｶﾞ1");
    EXPECT_EQ(full, u"ガ１");
}

struct Cp932Row {
    const char* name;
    std::u16string text;
    std::string bytes;
};

TEST(JText, Cp932RoundTrip) {
    const Cp932Row rows[] = {
        {"kanji", u"亜", "\x88\x9F"},
        {"fullwidth tilde", u"\uFF5E", "\x81\x60"},
        {"fullwidth minus", u"\uFF0D", "\x81\x7C"},
        {"ascii", u"A1+", "A1+"},
        {"byte 5C is a backslash", u"\\", "\x5C"},
        {"halfwidth katakana", u"ｶ", "\xB6"},
        {"hiragana", u"あ", "\x82\xA0"},
        {"empty", u"", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(encodeCp932(row.text), row.bytes);
        EXPECT_EQ(encodeCp932Strict(row.text), row.bytes);
        EXPECT_EQ(decodeCp932(row.bytes), row.text);
    }
}

TEST(JText, Cp932Unmappable) {
    const Cp932Row rows[] = {
        {"emoji (surrogate pair)", u"a\U0001F600b", "a?b"},
        {"hangul", u"한", "?"},
        {"lone surrogate", u"x\xD800y", "x?y"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(encodeCp932(row.text), row.bytes);
        EXPECT_EQ(encodeCp932Strict(row.text), std::nullopt);
    }
}

TEST(JText, Cp932WindowsFallbacks) {
    // Files written from text typed with the wave dash or minus sign keep their meaning.
    EXPECT_EQ(encodeCp932(u"\u301C"), "\x81\x60");
    EXPECT_EQ(encodeCp932(u"\u2212"), "\x81\x7C");
    // A failed strict encode must not disturb the next one on the same converter.
    EXPECT_EQ(encodeCp932Strict(u"한"), std::nullopt);
    EXPECT_EQ(encodeCp932Strict(u"亜"), "\x88\x9F");
}

TEST(JText, Cp932BadBytes) {
    const Cp932Row rows[] = {
        {"lead byte at the end", u"A\uFFFD", "A\x88"},
        {"lead byte with bad trail", u"\uFFFD", "\x88\x20"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::u16string decoded = decodeCp932(row.bytes);
        EXPECT_NE(decoded.find(u'\uFFFD'), std::u16string::npos) << "no replacement";
        EXPECT_EQ(decoded.substr(0, 1), row.text.substr(0, 1));
    }
    // A truncated pair must not leak into the next decode.
    decodeCp932("\x88");
    EXPECT_EQ(decodeCp932("\x9F"), u"\uFFFD");
}

struct Utf8Row {
    const char* name;
    std::string bytes;
    bool valid;
    std::u16string text;
};

TEST(JText, Utf8) {
    const Utf8Row rows[] = {
        {"ascii", "abc", true, u"abc"},
        {"japanese", "\xE4\xBA\x9C\xE3\x81\x82", true, u"亜あ"},
        {"four bytes", "\xF0\x9F\x98\x80", true, u"\U0001F600"},
        {"empty", "", true, u""},
        {"cp932 bytes", "\x88\x9F", false, u"\uFFFD\uFFFD"},
        {"truncated", "a\xE4\xBA", false, u"a\uFFFD"},
        {"overlong", "\xC0\xAF", false, u"\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", false, u"\uFFFD\uFFFD\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", false, u"\uFFFD\uFFFD\uFFFD\uFFFD"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(isValidUtf8(row.bytes), row.valid);
        EXPECT_EQ(fromUtf8(row.bytes), row.text);
        if (row.valid) {
            EXPECT_EQ(toUtf8(row.text), row.bytes);
        }
    }
    EXPECT_EQ(toUtf8(u"a\xD800"), "a\xEF\xBF\xBD");
    EXPECT_EQ(fromAscii("1+2"), u"1+2");
}

} // namespace
} // namespace quill
