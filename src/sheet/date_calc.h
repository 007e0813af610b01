#pragma once
// Date and time arithmetic of the sheet: classifying a date value by the shape of its text and
// adding the calendar fields of one date value to another.
#include "engine/value.h"

namespace quill {

// 1 "*/*/*:*:*" (date and time), 2 "*/*/*" (date), 3 "*/*:*:*" (month/day and time),
// 4 "*/*" (month/day), 6 "*:*:*" (time), 5 anything else; "*" is any run of characters.
int fDateFormat(const Value& value);

// Adds the calendar fields written in one value's text to the other value: the more complete
// date (smaller kind; `a` on a tie) is the base. Every field is one calendar date-add; a field
// that is not a number or leaves the calendar is skipped. Never throws.
Value DateCalc(const Value& a, const Value& b);

} // namespace quill
