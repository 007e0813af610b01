// A small tsu is heard as a held consonant before every consonant, p-sounds included, as
// espeak-ng itself reports the phonemes it speaks.
#include "engine/jtext.h"
#include "speech/espeak_session.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace quill::speech {
namespace {

std::ptrdiff_t doubledConsonants(const std::string& phonemes) {
    static const std::regex doubled("([bcdfghjklmnpqrstvwxz])\\1");
    return std::distance(std::sregex_iterator(phonemes.begin(), phonemes.end(), doubled),
                         std::sregex_iterator());
}

TEST(HeldClosure, EverySmallTsuIsADoubledConsonantAndNothingIsSpelledOut) {
    if (!openEspeak()) GTEST_SKIP() << "espeak-ng or its Japanese voice is not installed";
    const char16_t* readings[] = {
        u"ろっぴゃく", u"はっぴゃく", u"はっぴゃくまん、ろっぴゃくえん",
        u"いっぽん",   u"いっぱい",   u"いっぺん",
        u"はっぴょう", u"いっぴき",   u"はっぱ",
        u"ラッパ",     u"きっぷ",     u"いっぷん",
        u"いっか",     u"はっせん",   u"いっちょう",
        u"みっつ",     u"さんびゃく", u"ろっぴゃくろくじゅうろく。",
    };
    for (const char16_t* reading : readings) {
        const std::u16string kana = reading;
        const std::string text = toUtf8(kana);
        SCOPED_TRACE(text);
        const std::string heard = phonemesSpoken(text);
        ASSERT_FALSE(heard.empty());
        const auto tsu = std::count(kana.begin(), kana.end(), u'っ') +
                         std::count(kana.begin(), kana.end(), u'ッ');
        EXPECT_EQ(doubledConsonants(heard), tsu) << heard;
        EXPECT_EQ(heard.find("hp"), std::string::npos) << "a breathy h: " << heard;
        // A switch to another language's letter names shows as "(en)".
        EXPECT_EQ(heard.find('('), std::string::npos) << heard;
    }
}

} // namespace
} // namespace quill::speech
