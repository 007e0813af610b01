// Over random numbers of the whole decimal range and random dates and times, nothing but kana
// and pauses reaches the voice, and every number is read.
#include "engine/datetime.h"
#include "engine/jtext.h"
#include "engine/value.h"
#include "sheet/phrase.h"
#include "speech/espeak_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace quill {
namespace {

void expectOnlySpeakable(std::u16string_view phrase) {
    const std::u16string text = espeakText(phrase);
    EXPECT_FALSE(text.empty()) << toUtf8(phrase);
    for (char16_t c : text)
        if (!isSpeakableCharacter(c)) {
            ADD_FAILURE() << toUtf8(phrase) << " gives " << toUtf8(text);
            return;
        }
}

std::u16string randomDigits(std::mt19937_64& random, std::size_t count) {
    std::u16string digits;
    std::uniform_int_distribution<int> digit(0, 9);
    for (std::size_t i = 0; i < count; ++i) digits += static_cast<char16_t>(u'0' + digit(random));
    return digits;
}

TEST(SpokenTextSweep, NumbersOverTheWholeDecimalRange) {
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<std::size_t> wholeLength(1, 29), fractionLength(0, 28);
    std::uniform_int_distribution<int> exponent(-324, 308), coin(0, 3);
    for (int i = 0; i < 20000; ++i) {
        std::u16string value = coin(random) == 0 ? u"-" : u"";
        value += randomDigits(random, wholeLength(random));
        if (const std::size_t f = fractionLength(random); f > 0 && coin(random) != 0)
            value += u"." + randomDigits(random, f);
        if (coin(random) == 0) {
            const int e = exponent(random);
            value += (e < 0 ? u"E-" : u"E+") + fromAscii(std::to_string(e < 0 ? -e : e));
        }
        expectOnlySpeakable(u"<NUMK VAL=" + value + u">");
        if (HasFailure()) return;
    }
}

TEST(SpokenTextSweep, DatesAndTimesOfEveryKind) {
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> year(100, 9999), month(1, 12), day(1, 31), hour(0, 23),
        minute(0, 59);
    int spoken = 0;
    for (int i = 0; i < 5000; ++i) {
        DateTimeFields f{year(random), month(random),  day(random),
                         hour(random), minute(random), minute(random)};
        double serial = 0;
        try {
            serial = dateSerial(f);
        } catch (...) {
            continue; // a day the month does not have
        }
        // Every kind: with and without a time, and the time alone.
        for (double date : {serial, serial - (serial - static_cast<long long>(serial)),
                            serial - static_cast<long long>(serial)}) {
            const std::u16string phrase = resultPhrase(Value::date(date));
            if (phrase.empty()) continue;
            ++spoken;
            expectOnlySpeakable(phrase);
            if (HasFailure()) return;
        }
    }
    EXPECT_GT(spoken, 10000);
}

} // namespace
} // namespace quill
