// The text handed to the voice, for any phrase: only kana, the long vowel mark and the pauses
// ever come out (no kanji, Latin letter or ASCII digit), whatever the phrase holds, and its
// length stays in proportion to the phrase.
#include "fuzz_text.h"
#include "speech/espeak_text.h"

using namespace quill;

namespace {

void check(std::u16string_view phrase) {
    const std::u16string text = espeakText(phrase);
    for (char16_t c : text) fuzz::require(isSpeakableCharacter(c));
    fuzz::require(text.size() <= 16 * phrase.size() + 64);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = fuzz::fuzzText(data, size);
    check(text);
    // The same text as a number tag's value, and split into a value and a counter.
    check(u"<NUMK VAL=" + text + u">");
    const std::size_t half = text.size() / 2;
    check(u"<NUMK VAL=" + text.substr(0, half) + u" COUNTER=" + text.substr(half) + u">;");
    return 0;
}
