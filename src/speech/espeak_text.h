#pragma once
// The text handed to espeak-ng's Japanese voice for a phrase in the speech notation.
#include <string>
#include <string_view>

namespace quill {

// Turns the speech notation into text that espeak-ng's Japanese voice reads correctly: accent
// marks and "/" separators dropped, ";" and "," read as short pauses ("、"), every number tag
// read in kana as Japanese reads numbers, with its counter's own forms. Only kana, the long
// vowel mark and the pauses "、" and "。" ever come out: the voice would read digits in Western
// groups and kanji or Latin letters as English words, so anything else is dropped.
std::u16string espeakText(std::u16string_view phrase);

// Whether a character may reach the voice: hiragana, katakana, "ー", "、" and "。".
bool isSpeakableCharacter(char16_t c);

} // namespace quill
