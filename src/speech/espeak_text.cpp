#include "speech/speak.h"

#include <array>
#include <optional>

namespace quill {
namespace {

constexpr std::array<std::u16string_view, 10> kDigitReadings{
    u"ぜろ", u"いち", u"に", u"さん", u"よん", u"ご", u"ろく", u"なな", u"はち", u"きゅう"};

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The digits after the decimal point are read one by one, as Japanese reads them.
std::u16string digitByDigit(std::u16string_view digits) {
    std::u16string spoken;
    for (char16_t c : digits)
        if (isDigit(c)) spoken += kDigitReadings[static_cast<std::size_t>(c - u'0')];
    return spoken;
}

std::u16string keepDigits(std::u16string_view text) {
    std::u16string digits;
    for (char16_t c : text)
        if (isDigit(c)) digits += c;
    return digits;
}

// A number as espeak-ng's Japanese voice reads it: the whole part in ASCII digits (read as a
// Japanese number), "てん", the fraction digit by digit; an exponent as "かける じゅうの n じょう".
std::u16string spokenNumber(std::u16string_view number) {
    std::u16string spoken;
    if (!number.empty() && number.front() == u'-') {
        spoken += u"マイナス";
        number.remove_prefix(1);
    }
    std::u16string_view exponent;
    if (const auto e = number.find_first_of(u"Ee"); e != std::u16string_view::npos) {
        exponent = number.substr(e + 1);
        number = number.substr(0, e);
    }
    const auto point = number.find(u'.');
    spoken += keepDigits(number.substr(0, point));
    if (point != std::u16string_view::npos) spoken += u"てん" + digitByDigit(number.substr(point));
    if (!exponent.empty()) {
        spoken += u"かけるじゅうの";
        if (exponent.front() == u'-') spoken += u"マイナス";
        spoken += keepDigits(exponent) + u"じょう";
    }
    return spoken;
}

// The text of one attribute of a tag: from after "NAME=" up to the next blank.
std::u16string_view attribute(std::u16string_view tag, std::u16string_view name) {
    const auto at = tag.find(name);
    if (at == std::u16string_view::npos) return {};
    const auto value = tag.substr(at + name.size());
    return value.substr(0, value.find(u' '));
}

// "<NUMK VAL=3 COUNTER=がつ>" (without the angle brackets) is read "3がつ".
std::u16string spokenTag(std::u16string_view tag) {
    if (tag.substr(0, 5) != u"NUMK ") return {};
    return spokenNumber(attribute(tag, u"VAL=")) + std::u16string(attribute(tag, u"COUNTER="));
}

// How a mark of the notation is read; nullopt for ordinary text.
std::optional<std::u16string_view> spokenMark(char16_t c) {
    switch (c) {
    case u'\'': // accent mark
    case u'/':  // phrase separator
        return u"";
    case u';':
    case u',': return u"、";
    case u'－': return u"ー"; // written for the long vowel in "る'－と"
    default: return std::nullopt;
    }
}

} // namespace

std::u16string espeakText(std::u16string_view phrase) {
    std::u16string text;
    for (std::size_t i = 0; i < phrase.size(); ++i) {
        const char16_t c = phrase[i];
        if (c == u'<') {
            const auto close = phrase.find(u'>', i);
            if (close == std::u16string_view::npos) break; // an unfinished tag is not read
            text += spokenTag(phrase.substr(i + 1, close - i - 1));
            i = close;
            continue;
        }
        if (const auto mark = spokenMark(c)) {
            text += *mark;
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace quill
