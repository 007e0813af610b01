#pragma once
// The result phrase spoken after a calculation, in the speech library's phonetic notation.
#include "engine/value.h"

#include <string>

namespace quill {

// A date total speaks its pieces by its date kind (nothing for kind 5); any other total
// speaks its absolute value as a number tag, after "マイナス" when its text begins with "-".
// "" when nothing is spoken, as for the empty value of a failed calculation.
std::u16string resultPhrase(const Value& total);

} // namespace quill
