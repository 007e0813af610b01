#include "speech/espeak_text.h"
#include "speech/phrases.h"

#include <gtest/gtest.h>

#include <string>

namespace quill {
namespace {

struct PhraseRow {
    char array;
    int index;
    std::u16string_view phrase;
};

std::u16string_view phraseOf(char array, int index) {
    switch (array) {
    case 'N': return numKeyPhrase(index);
    case 'O': return opKeyPhrase(index);
    default: return menuKeyPhrase(index);
    }
}

TEST(Phrases, KeypadButtonsSayTheirPhrase) {
    const PhraseRow rows[] = {
        {'N', 0, u"<NUMK VAL=0>"},
        {'N', 7, u"<NUMK VAL=7>"},
        {'N', 10, u"てん"},
        {'N', 64, u"<NUMK VAL=16>しん"},
        {'N', 65, u"え'ー"},
        {'N', 68, u"でぃ'ー"},
        {'N', 70, u"え'ふ"},
        {'N', 11, u""},
        {'N', 71, u""},
        {'O', 0, u"あまり"},
        {'O', 1, u""}, // "=" speaks the result
        {'O', 4, u"かけ'る"},
        {'O', 8, u"えっくすお'あー"},
        {'O', 11, u"る'－と"},
        {'O', 14, u"か'っこと/じ'る"},
        {'O', 18, u"した"},
        {'O', 19, u""},
        {'M', 0, u"ばっくすぺ'ーす"},
        {'M', 1, u"くり'あえ'んとりー"},
        {'M', 5, u"かい/ぎょ'う"},
        {'M', 7, u"デリ'ート"},
        {'M', 8, u""}, // "日時" says nothing
        {'M', 9, u""},
        {'M', 10, u"え'んざんけ'っかを/こ'ぴ/ーしま'した"},
        {'M', -1, u""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.array << row.index);
        EXPECT_EQ(phraseOf(row.array, row.index), row.phrase);
    }
}

TEST(Phrases, EveryDigitKeySaysItsDigit) {
    for (int digit = 0; digit <= 9; ++digit) {
        const std::u16string expected =
            u"<NUMK VAL=" + std::u16string(1, static_cast<char16_t>(u'0' + digit)) + u">";
        EXPECT_EQ(numKeyPhrase(digit), expected) << digit;
    }
}

TEST(Phrases, VersionJoinsMinorAndRevisionIntoOneNumber) {
    EXPECT_EQ(versionPhrase(1, 5, 7), u"バージョンわ,<NUMK VAL=1.57>,で'す。");
    EXPECT_EQ(versionPhrase(2, 10, 0), u"バージョンわ,<NUMK VAL=2.100>,で'す。");
    EXPECT_EQ(versionPhrase(), versionPhrase(1, 5, 7));
    EXPECT_EQ(espeakText(speedPhrase(120)), u"はやさ、ひゃくにじゅうぱーせんと");
    EXPECT_EQ(kReadMePhrase, u"よ'め");
    EXPECT_EQ(kHomePagePhrase, u"ほ'ーむぺ'ーじ");
}

} // namespace
} // namespace quill
