#pragma once
// espeak-ng's Japanese voice says a small tsu before a p-sound (っぱ, っぴゃ, ッポ) as a breathy
// "hp" instead of a held closure; before every other consonant it doubles the consonant as it
// should. A word holding such a pair is handed to the voice as its own phonemes (espeak-ng's
// inline "[[...]]" form), with the "hp" made "pp"; every other word stays kana.
#include <functional>
#include <string>
#include <string_view>

namespace quill::speech {

// The voice's phonemes of a word of kana (UTF-8), in espeak-ng's mnemonics.
using PhonemesOf = std::function<std::string(const std::string& word)>;

// The UTF-8 text for the voice from the kana text of a phrase: words (the runs between "、"
// and "。") with a small tsu before a p-sound become "[[phonemes]]", the rest is unchanged.
std::string withHeldClosures(std::u16string_view kana, const PhonemesOf& phonemesOf);

} // namespace quill::speech
