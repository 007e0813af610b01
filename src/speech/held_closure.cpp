#include "speech/held_closure.h"

#include "engine/jtext.h"

namespace quill::speech {
namespace {

bool isPause(char16_t c) {
    return c == u'、' || c == u'。';
}

bool isPSound(char16_t c) {
    return std::u16string_view(u"ぱぴぷぺぽパピプペポ").find(c) != std::u16string_view::npos;
}

bool hasTsuBeforeP(std::u16string_view word) {
    for (std::size_t i = 0; i + 1 < word.size(); ++i)
        if ((word[i] == u'っ' || word[i] == u'ッ') && isPSound(word[i + 1])) return true;
    return false;
}

// The voice's phonemes with the breathy "hp" it gives a small tsu before a p-sound made into
// the doubled "pp" of a held closure; nothing else gives an h before a p.
std::string heldClosure(std::string phonemes) {
    for (std::size_t at = phonemes.find("hp"); at != std::string::npos;
         at = phonemes.find("hp", at + 2))
        phonemes[at] = 'p';
    return phonemes;
}

} // namespace

std::string withHeldClosures(std::u16string_view kana, const PhonemesOf& phonemesOf) {
    std::string text;
    std::size_t start = 0;
    while (start <= kana.size()) {
        std::size_t end = start;
        while (end < kana.size() && !isPause(kana[end])) ++end;
        const std::u16string_view word = kana.substr(start, end - start);
        const std::string phonemes = hasTsuBeforeP(word) ? phonemesOf(toUtf8(word)) : "";
        text += phonemes.empty() ? toUtf8(word) : "[[" + heldClosure(phonemes) + "]]";
        if (end < kana.size()) text += toUtf8(kana.substr(end, 1));
        start = end + 1;
    }
    return text;
}

} // namespace quill::speech
