#include "speech/espeak_text.h"

#include "speech/counters.h"
#include "speech/japanese_number.h"

#include <optional>

namespace quill {
namespace {

// The text of one attribute of a tag: from after "NAME=" up to the next blank.
std::u16string_view attribute(std::u16string_view tag, std::u16string_view name) {
    const auto at = tag.find(name);
    if (at == std::u16string_view::npos) return {};
    const auto value = tag.substr(at + name.size());
    return value.substr(0, value.find(u' '));
}

// "<NUMK VAL=3 COUNTER=がつ>" (without the angle brackets) is read "さんがつ"; any other tag is
// not read.
std::u16string spokenTag(std::u16string_view tag) {
    if (tag.substr(0, 5) != u"NUMK ") return {};
    const auto value = attribute(tag, u"VAL=");
    const auto counter = attribute(tag, u"COUNTER=");
    return counter.empty() ? speech::readNumber(value) : speech::readWithCounter(value, counter);
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

void appendSpeakable(std::u16string& text, std::u16string_view piece) {
    for (char16_t c : piece)
        if (isSpeakableCharacter(c)) text += c;
}

} // namespace

bool isSpeakableCharacter(char16_t c) {
    const bool hiragana = c >= u'ぁ' && c <= u'ゖ';
    const bool katakana = c >= u'ァ' && c <= u'ヺ';
    return hiragana || katakana || c == u'ー' || c == u'、' || c == u'。';
}

std::u16string espeakText(std::u16string_view phrase) {
    std::u16string text;
    for (std::size_t i = 0; i < phrase.size(); ++i) {
        const char16_t c = phrase[i];
        if (c == u'<') {
            const auto close = phrase.find(u'>', i);
            if (close == std::u16string_view::npos) break; // an unfinished tag is not read
            appendSpeakable(text, spokenTag(phrase.substr(i + 1, close - i - 1)));
            i = close;
            continue;
        }
        if (const auto mark = spokenMark(c))
            text += *mark;
        else
            appendSpeakable(text, std::u16string_view(&c, 1));
    }
    return text;
}

} // namespace quill
