#pragma once
// Conversions between the kinds of the tagged value, and its plain text form.
// Every conversion that cannot be made throws EvalError.
#include "engine/value.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quill {

// To decimal: doubles and singles are first rounded to 15 significant digits; integers
// convert exactly; true is -1; empty is 0; a date gives its day count; a text must read as a
// number (exactly, group separators allowed).
Decimal toDecimal(const Value& v);
// To double; a text must read as a number (see readNumberText).
double toDouble(const Value& v);
// Rounded half to even to 32 / 16 bits, failing outside the range (CLng / CInt).
std::int32_t toInt32(const Value& v);
std::int16_t toInt16(const Value& v);
std::int32_t roundToInt32(double v);
std::int16_t roundToInt16(double v);

// The plain text form of a value (the home locale: "." as decimal point).
std::u16string toText(const Value& v);
// toText appended to `out`; numbers are written without a temporary text.
void appendText(std::u16string& out, const Value& v);
// Doubles with 15 and singles with 7 significant digits, trailing zeros dropped, scientific
// ("1.23456789012346E+15", "1E-05") when the decimal exponent reaches the digit count or
// is -5 or less. Negative zero shows 0.
std::string formatDouble(double v, int significantDigits = 15);

// The text-to-number reading: optional surrounding blanks, optional sign, digits with ","
// group separators, one ".", an optional exponent; or "&H" and hexadecimal digits (their
// plain positive value). nullopt when the text is not a number.
std::optional<double> readNumberText(std::u16string_view text);
// The same, throwing EvalError when the text is not a number.
double numberFromText(std::u16string_view text);

// A double result of a computation: NaN and infinities (domain errors, overflow, division by
// zero) fail.
double checked(double v);

// Numbers of every kind, truth values, empty, and texts that read as numbers.
bool readsAsNumber(const Value& v);
// The day count of a date value, or of a text that reads as a date (month/day texts take the
// current year); nullopt for anything else.
std::optional<double> readsAsDate(const Value& v);

} // namespace quill
