#include "sheet/line_step.h"

#include "engine/convert.h"
#include "engine/datetime.h"
#include "engine/error.h"
#include "engine/eval.h"
#include "engine/jtext.h"
#include "engine/operators.h"
#include "engine/scan.h"
#include "sheet/date_calc.h"
#include "sheet/format.h"
#include "sheet/narrowing.h"

namespace quill {
namespace {

// Adding to or from a date moves it by days; two dates combine their calendar fields.
Value addToTotal(const Value& total, const Value& value) {
    auto totalDate = readsAsDate(total);
    auto valueDate = readsAsDate(value);
    if (!totalDate && !valueDate) return applyOperator(OpAdd, total, value);
    if (readsAsNumber(total))
        return Value::date(dateAdd(DateUnit::Day, toDouble(total), *valueDate));
    if (readsAsNumber(value))
        return Value::date(dateAdd(DateUnit::Day, toDouble(value), *totalDate));
    return DateCalc(total, value);
}

Value applyLine(LineKind kind, const Value& total, const Value& value) {
    switch (kind) {
    case LineKind::Subtract: return applyOperator(OpSub, total, value);
    case LineKind::Multiply: return applyOperator(OpMul, total, value);
    case LineKind::Divide: return applyOperator(OpDiv, total, value);
    case LineKind::IntDivide: return applyOperator(OpIntDiv, total, value);
    default: return addToTotal(total, value);
    }
}

std::u16string_view prefixOf(LineKind kind) {
    switch (kind) {
    case LineKind::Subtract: return u"- ";
    case LineKind::Multiply: return u"* ";
    case LineKind::Divide: return u"/ ";
    case LineKind::IntDivide: return u"\\ ";
    default: return u"+ ";
    }
}

// Each step of a line is one statement: a failing operation leaves the total as it was, a
// failing display leaves the line's text out.
template <typename F> void statement(F&& f) {
    try {
        f();
    } catch (const EvalError&) {
    }
}

} // namespace

bool narrowLine(std::u16string_view line, std::u16string& narrowed) {
    if (!hasNonAscii(line)) return false;
    narrowed = narrowLine(line);
    return narrowed != line;
}

EvaluatedLine evaluateLine(std::u16string_view text) {
    std::u16string rewritten;
    return evaluateLine(text, rewritten);
}

EvaluatedLine evaluateLine(std::u16string_view text, std::u16string& rewritten) {
    SheetLine line = classifyLine(text, rewritten);
    if (line.kind == LineKind::Blank) return {};
    return {line.kind, Eval(line.expression)};
}

void carryTotal(Value& total, size_t index, LineKind kind, const Value& value) {
    if (kind == LineKind::Blank) return;
    if (index == 0)
        total = value;
    else
        statement([&] { total = applyLine(kind, total, value); });
}

void appendResultText(std::u16string& out, size_t index, LineKind kind, const Value& value,
                      Grouping grouping) {
    if (kind == LineKind::Blank) return;
    if (index > 0) out += prefixOf(kind);
    statement([&] { appendDisplayText(out, value, grouping); });
}

std::u16string totalText(const Value& total, Grouping grouping) {
    std::u16string text;
    statement([&] { text = displayText(total, grouping); });
    return text;
}

} // namespace quill
