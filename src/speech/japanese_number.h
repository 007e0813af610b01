#pragma once
// Numbers read aloud the Japanese way, in hiragana: whole numbers in groups of four digits
// under 万, 億, 兆, 京, 垓, 𥝱 and 穣, each group with the sound changes people make
// (さんびゃく, はっせん, いっちょう), the fraction after "てん" digit by digit, "マイナス" for a
// minus sign, and the exponent form as "かけるじゅうの … じょう".
//
// A number is kept as a list of words until it is joined, so that what follows it (a unit,
// "てん", a counter) can still change the sound of its last word: いち before ちょう becomes
// いっ, じゅう before ぷん becomes じゅっ.
#include <string>
#include <string_view>
#include <vector>

namespace quill::speech {

struct NumberWord {
    enum class Kind {
        Zero,     // the number 0 itself
        Digit,    // the ones of a group: いち … きゅう
        Ten,      // じゅう, にじゅう, …
        Hundred,  // ひゃく, さんびゃく, …
        Thousand, // せん, さんぜん, …
        Unit,     // まん, おく, ちょう, …
        Single,   // a digit of a number too long for the units, read on its own
    };
    Kind kind;
    int digit; // the digit the word stands for (0 for units)
    std::u16string text;
};
using NumberWords = std::vector<NumberWord>;

// The reading of one digit 0-9 on its own: ぜろ, いち, …, きゅう.
std::u16string_view digitReading(int digit);

// Whole numbers of up to this many digits are read with units; longer ones digit by digit.
inline constexpr std::size_t kMaxGroupedDigits = 32;

// The words of a whole number given as ASCII digits (leading zeros allowed; no digits at all
// reads as 0). A number beyond the largest unit is read digit by digit.
NumberWords wholeNumberWords(std::u16string_view digits);

// The word with its last sound doubled ("いち" → "いっ", "じゅう" → "じゅっ", "ひゃく" → "ひゃっ"),
// as before ちょう, けい, てん and ぷん.
std::u16string doubled(std::u16string_view word);

// Whether a word's last sound doubles before a following sound: ちょう, てん (t, ch) or けい (k).
enum class NextSound { T, K };
bool doublesBefore(const NumberWord& word, NextSound next);

std::u16string joined(const NumberWords& words);

// A number in the plain text form of a result ("-12.5", "1.5E-05", "0.3333"), read aloud;
// empty when the text is not such a number.
std::u16string readNumber(std::u16string_view text);

// The parts of a number's plain text form. `valid` is false when the text is not one.
struct NumberText {
    bool valid = false;
    bool negative = false;
    std::u16string_view whole;    // ASCII digits, maybe empty (".5")
    std::u16string_view fraction; // ASCII digits after the point, maybe empty
    bool hasPoint = false;
    bool hasExponent = false;
    bool negativeExponent = false;
    std::u16string_view exponent; // ASCII digits
};
NumberText splitNumber(std::u16string_view text);

} // namespace quill::speech
