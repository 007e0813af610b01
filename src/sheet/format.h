#pragma once
// Display text of values in the results column and the total box, by the grouping option.
#include "engine/value.h"
#include "sheet/calculation.h"

#include <string>

namespace quill {

// The first `position` characters of `text`, then `piece`, then the rest.
std::u16string StrInsert(std::u16string_view text, size_t position, std::u16string_view piece);

// Groups the integer digits of a numeric value's plain text form: mode 1 with 万, 億, 兆 after
// the 4th, 8th and 12th digit from the right, mode 4 with "," every four digits, any other mode
// with "," every three. The sign and the fraction are kept as they are; values that are not
// numbers give their plain text form.
std::u16string FormatGrouped(const Value& value, int mode);

// What the results column and the total box show for a value: FormatGrouped, or the plain
// text form without grouping. Throws EvalError when the value has no text (a date outside the
// calendar).
std::u16string displayText(const Value& value, Grouping grouping);
// displayText appended to `out`, numbers without temporary texts. When it throws, `out` is as
// it was.
void appendDisplayText(std::u16string& out, const Value& value, Grouping grouping);

} // namespace quill
