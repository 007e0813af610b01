#include "sheet/calculation.h"

#include "engine/convert.h"
#include "engine/datetime.h"
#include "engine/error.h"
#include "engine/eval.h"
#include "engine/jtext.h"
#include "engine/operators.h"
#include "engine/scan.h"
#include "sheet/date_calc.h"
#include "sheet/format.h"
#include "sheet/line_kind.h"
#include "sheet/phrase.h"

namespace quill {
namespace {

constexpr std::u16string_view kBusyDone = u"計算が完了しました";

struct Line {
    std::u16string_view text;
    std::u16string_view ending; // "\n", "\r\n" or "" for the last line
};

std::vector<Line> splitLines(std::u16string_view sheet) {
    std::vector<Line> lines;
    size_t start = 0;
    while (true) {
        size_t nl = sheet.find(u'\n', start);
        if (nl == std::u16string_view::npos) {
            lines.push_back({sheet.substr(start), u""});
            return lines;
        }
        size_t end = (nl > start && sheet[nl - 1] == u'\r') ? nl - 1 : nl;
        lines.push_back({sheet.substr(start, end - start), sheet.substr(end, nl + 1 - end)});
        start = nl + 1;
    }
}

bool hasWideCandidate(std::u16string_view t) {
    for (char16_t c : t)
        if (c >= 0x80) return true;
    return false;
}

// Full-width characters become half-width, line by line so that ASCII lines cost nothing.
// Returns true when some line changed; `narrowed` then holds the whole new text.
bool narrowSheet(const std::vector<Line>& lines, std::vector<std::u16string>& owned,
                 std::u16string& narrowed) {
    bool changed = false;
    owned.resize(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!hasWideCandidate(lines[i].text)) continue;
        owned[i] = toHalfWidth(lines[i].text);
        changed = changed || owned[i] != lines[i].text;
    }
    if (!changed) return false;
    for (size_t i = 0; i < lines.size(); ++i) {
        narrowed += hasWideCandidate(lines[i].text) ? std::u16string_view(owned[i]) : lines[i].text;
        narrowed.append(lines[i].ending);
    }
    return true;
}

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

// Each step of a line is one statement: a failing operation leaves the total as it was, a
// failing display leaves the line's text out.
template <typename F> void statement(F&& f) {
    try {
        f();
    } catch (const EvalError&) {
    }
}

} // namespace

PassResult calculateSheet(std::u16string_view sheet, Grouping grouping) {
    PassResult r;
    if (sheet.empty()) return r;
    r.ran = true;
    std::vector<Line> lines = splitLines(sheet);
    std::vector<std::u16string> narrowedLines;
    std::u16string narrowed;
    r.sheetChanged = narrowSheet(lines, narrowedLines, narrowed);
    r.sheet = r.sheetChanged ? std::move(narrowed) : std::u16string(sheet);
    if (r.sheetChanged) lines = splitLines(r.sheet);

    Value total = Value::int16(0);
    std::u16string rewritten;
    r.results.resize(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        SheetLine line = classifyLine(lines[i].text, rewritten);
        if (line.kind == LineKind::Blank) continue;
        // A failing line gives the empty value; its message is replaced when the pass ends.
        Value value = Eval(line.expression);
        std::u16string& out = r.results[i];
        if (i == 0) {
            total = value;
        } else {
            statement([&] { total = applyLine(line.kind, total, value); });
            out = line.prefix;
        }
        statement([&] { out += displayText(value, grouping); });
    }
    statement([&] { r.total = displayText(total, grouping); });
    r.phrase = resultPhrase(total);
    r.status = kBusyDone;
    return r;
}

} // namespace quill
