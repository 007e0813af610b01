#pragma once
// One sheet line's part in a calculation pass: narrowing, evaluation, the running total and
// the result text. Shared by the whole pass and the pass that reuses unchanged lines.
#include "engine/value.h"
#include "sheet/calculation.h"
#include "sheet/line_kind.h"

#include <string>
#include <string_view>

namespace quill {

// Full-width characters become half-width. Returns true (and the new text in `narrowed`)
// when the line changes.
bool narrowLine(std::u16string_view line, std::u16string& narrowed);

// Classifies the line and evaluates its expression; a blank line gives the empty value. A
// failing expression gives the empty value too.
struct EvaluatedLine {
    LineKind kind = LineKind::Blank;
    Value value;
};
EvaluatedLine evaluateLine(std::u16string_view text);
// The same with the room for a rewritten line given by the caller, reused line after line.
EvaluatedLine evaluateLine(std::u16string_view text, std::u16string& rewritten);

// The running total after line `index`: the first line sets it, every later one applies its
// operation; an operation that fails leaves the total as it was.
void carryTotal(Value& total, size_t index, LineKind kind, const Value& value);

// Appends the line's result text: the kind's prefix from the second line on, then the value's
// display text (left out when the value has none). Blank lines append nothing.
void appendResultText(std::u16string& out, size_t index, LineKind kind, const Value& value,
                      Grouping grouping);

// The total box text ("" when the total has no display text).
std::u16string totalText(const Value& total, Grouping grouping);

inline constexpr std::u16string_view kPassDoneStatus = u"計算が完了しました";

} // namespace quill
