#pragma once
// The expression engine.
//
// Eval turns the text of one line into one tagged value without building a syntax tree:
//   1. a text of digits, commas and blanks is read as a number at once;
//   2. a normalising loop puts 0 before a leading minus, strips enclosing brackets and
//      replaces hexadecimal (&HFF, FFh) and binary (101b) literals by their decimal text;
//   3. one scan cuts the text at its top-level operators into operand texts and operator
//      codes (keywords And, Or, Xor, Mod are recognised through a window of the last letters);
//   4. a lone operand is a number, a string literal, a bracketed group, a negation, a Not or a
//      name/function call handed to Ffc;
//   5. otherwise every operand is evaluated (recursively) into a row of value slots and the
//      operators are applied in priority order, each pairing the nearest unconsumed slots.
// A failure anywhere inside one Eval call ends that call only: it reports the failure message
// through the status sink and yields the empty value, and the enclosing call goes on. Passing a
// bound of the whole evaluation (the texts its calls scan or build, their nesting, memory)
// fails the whole evaluation the same way: no result is made from a part of the line.
#include "engine/value.h"

#include <functional>
#include <string_view>

namespace quill {

using StatusSink = std::function<void(std::u16string_view message)>;

inline constexpr std::u16string_view kEvalFailedMessage =
    u"計算中にエラーが発生しました。計算式を確認して下さい";

// Evaluates one expression text (used as given; callers trim it). Never throws.
Value Eval(std::u16string_view text, const StatusSink& sink = {});

// The STR$-like text of a value for SSTR$: texts and dates give their plain text form, other
// values a leading blank when not negative. A failure gives the empty text and no message.
std::u16string SStr(const Value& v);

} // namespace quill
