#include "speech/japanese_number.h"

#include <array>

namespace quill::speech {
namespace {

using Kind = NumberWord::Kind;

constexpr std::array<std::u16string_view, 10> kDigits{
    u"ぜろ", u"いち", u"に", u"さん", u"よん", u"ご", u"ろく", u"なな", u"はち", u"きゅう"};

// Tens, hundreds and thousands by their digit (index 0 unused); 1 is silent before each.
constexpr std::array<std::u16string_view, 10> kTens{
    u"",         u"じゅう",     u"にじゅう",   u"さんじゅう", u"よんじゅう",
    u"ごじゅう", u"ろくじゅう", u"ななじゅう", u"はちじゅう", u"きゅうじゅう"};
constexpr std::array<std::u16string_view, 10> kHundreds{
    u"",         u"ひゃく",     u"にひゃく",   u"さんびゃく", u"よんひゃく",
    u"ごひゃく", u"ろっぴゃく", u"ななひゃく", u"はっぴゃく", u"きゅうひゃく"};
constexpr std::array<std::u16string_view, 10> kThousands{
    u"",       u"せん",     u"にせん",   u"さんぜん", u"よんせん",
    u"ごせん", u"ろくせん", u"ななせん", u"はっせん", u"きゅうせん"};

// One unit every four digits: 万, 億, 兆, 京, 垓, 𥝱, 穣.
constexpr std::array<std::u16string_view, 8> kUnits{u"",     u"まん", u"おく", u"ちょう",
                                                    u"けい", u"がい", u"じょ", u"じょう"};
constexpr std::size_t kChoIndex = 3;
constexpr std::size_t kKeiIndex = 4;

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

int digitAt(std::u16string_view digits, std::size_t i) {
    return digits[i] - u'0';
}

std::u16string_view digitsIn(std::u16string_view text, std::size_t& at) {
    const std::size_t from = at;
    while (at < text.size() && isDigit(text[at])) ++at;
    return text.substr(from, at - from);
}

// The words of one group of four digits (1-9999) standing before the given unit.
void appendGroup(NumberWords& words, int group, std::size_t unit) {
    const std::size_t first = words.size();
    const int thousands = group / 1000, hundreds = group / 100 % 10, tens = group / 10 % 10,
              ones = group % 10;
    // A lone thousand before a unit is いっせん (いっせんまん); 1000 on its own is せん.
    if (thousands == 1 && group == 1000 && unit > 0)
        words.push_back({Kind::Thousand, 1, u"いっせん"});
    else if (thousands > 0)
        words.push_back({Kind::Thousand, thousands, std::u16string(kThousands[thousands])});
    if (hundreds > 0)
        words.push_back({Kind::Hundred, hundreds, std::u16string(kHundreds[hundreds])});
    if (tens > 0) words.push_back({Kind::Ten, tens, std::u16string(kTens[tens])});
    if (ones > 0) words.push_back({Kind::Digit, ones, std::u16string(kDigits[ones])});
    if (unit == 0) return;
    // Before ちょう and けい the group's last sound doubles: いっちょう, はっけい, じゅっちょう.
    const bool kei = unit == kKeiIndex;
    if (words.size() > first && (unit == kChoIndex || kei)) {
        NumberWord& last = words.back();
        if (doublesBefore(last, kei ? NextSound::K : NextSound::T)) last.text = doubled(last.text);
    }
    words.push_back({Kind::Unit, 0, std::u16string(kUnits[unit])});
}

void appendFractionDigits(std::u16string& spoken, std::u16string_view digits) {
    // A zero after the point is read れい, as in れいてんれいご.
    for (char16_t c : digits) spoken += c == u'0' ? u"れい" : kDigits[c - u'0'];
}

} // namespace

std::u16string_view digitReading(int digit) {
    return kDigits.at(static_cast<std::size_t>(digit));
}

NumberWords wholeNumberWords(std::u16string_view digits) {
    while (!digits.empty() && digits.front() == u'0') digits.remove_prefix(1);
    NumberWords words;
    if (digits.empty()) {
        words.push_back({Kind::Zero, 0, std::u16string(kDigits[0])});
        return words;
    }
    if (digits.size() > kMaxGroupedDigits) {
        for (std::size_t i = 0; i < digits.size(); ++i) {
            const int d = digitAt(digits, i);
            words.push_back({Kind::Single, d, std::u16string(kDigits[d])});
        }
        return words;
    }
    const std::size_t groups = (digits.size() + 3) / 4;
    std::size_t end = digits.size() - (groups - 1) * 4; // end of the first (short) group
    std::size_t begin = 0;
    for (std::size_t g = groups; g-- > 0;) {
        int value = 0;
        for (std::size_t i = begin; i < end; ++i) value = value * 10 + digitAt(digits, i);
        if (value > 0) appendGroup(words, value, g);
        begin = end;
        end += 4;
    }
    return words;
}

std::u16string doubled(std::u16string_view word) {
    if (word.empty()) return {};
    return std::u16string(word.substr(0, word.size() - 1)) + u"っ";
}

bool doublesBefore(const NumberWord& word, NextSound next) {
    switch (word.kind) {
    case Kind::Digit:
        return word.digit == 1 || word.digit == 8 || (word.digit == 6 && next == NextSound::K);
    case Kind::Ten: return true;
    case Kind::Hundred: return next == NextSound::K;
    default: return false;
    }
}

std::u16string joined(const NumberWords& words) {
    std::u16string text;
    for (const auto& w : words) text += w.text;
    return text;
}

NumberText splitNumber(std::u16string_view text) {
    NumberText n;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) n.negative = text[at++] == u'-';
    n.whole = digitsIn(text, at);
    if (at < text.size() && text[at] == u'.') {
        n.hasPoint = true;
        ++at;
        n.fraction = digitsIn(text, at);
    }
    if (n.whole.empty() && n.fraction.empty()) return n;
    if (at < text.size() && (text[at] == u'E' || text[at] == u'e')) {
        ++at;
        if (at < text.size() && (text[at] == u'-' || text[at] == u'+'))
            n.negativeExponent = text[at++] == u'-';
        n.exponent = digitsIn(text, at);
        if (n.exponent.empty()) return n;
        n.hasExponent = true;
    }
    n.valid = at == text.size();
    return n;
}

std::u16string readNumber(std::u16string_view text) {
    const NumberText n = splitNumber(text);
    if (!n.valid) return {};
    std::u16string spoken = n.negative ? u"マイナス" : u"";
    NumberWords whole = wholeNumberWords(n.whole);
    if (!n.fraction.empty()) {
        // Before てん the whole part's last sound changes as before ちょう: いってん, じゅってん.
        NumberWord& last = whole.back();
        if (last.kind == Kind::Zero)
            last.text = u"れい";
        else if (doublesBefore(last, NextSound::T))
            last.text = doubled(last.text);
        spoken += joined(whole) + u"てん";
        appendFractionDigits(spoken, n.fraction);
    } else {
        spoken += joined(whole);
    }
    if (n.hasExponent) {
        spoken += u"かけるじゅうの";
        if (n.negativeExponent) spoken += u"マイナス";
        spoken += joined(wholeNumberWords(n.exponent)) + u"じょう";
    }
    return spoken;
}

} // namespace quill::speech
