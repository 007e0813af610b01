#pragma once
// Numbers with the counters of the date and time phrases, read with their irregular forms:
// よねん, しがつ, ついたち, なのか, じゅうよっか, よじ, くじ, れいじ, いっぷん, じゅっぷん, …
#include <string>
#include <string_view>

namespace quill::speech {

// `value` as it stands in a number tag and `counter` as the tag names it ("ねん", "がつ",
// "にち", "じ", "ふん", "びょう" or "びょー"). A whole number of 0 or more takes the counter's own
// forms; any other value, or an unknown counter, is the number read plainly followed by the
// counter. Empty when `value` is not a number.
std::u16string readWithCounter(std::u16string_view value, std::u16string_view counter);

} // namespace quill::speech
