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

#include <algorithm>

namespace quill {
namespace {

constexpr std::u16string_view kBusyDone = u"計算が完了しました";

// Walks the lines of a sheet: "\n", "\r\n" or a lone "\r" end a line (a sheet saved on an old
// system, or pasted from one); the text after the last line break is the last line.
class LineCursor {
public:
    explicit LineCursor(std::u16string_view sheet) : rest_(sheet) {}
    bool next(std::u16string_view& line, std::u16string_view& ending) {
        if (done_) return false;
        const size_t end = rest_.find_first_of(u"\r\n");
        if (end == std::u16string_view::npos) {
            line = rest_, ending = {}, done_ = true;
            return true;
        }
        const bool crlf = rest_[end] == u'\r' && end + 1 < rest_.size() && rest_[end + 1] == u'\n';
        const size_t next = end + (crlf ? 2 : 1);
        line = rest_.substr(0, end), ending = rest_.substr(end, next - end);
        rest_.remove_prefix(next);
        return true;
    }

private:
    std::u16string_view rest_;
    bool done_ = false;
};

bool hasWideCandidate(std::u16string_view t) {
    for (char16_t c : t)
        if (c >= 0x80) return true;
    return false;
}

// Full-width characters become half-width, line by line so that ASCII lines cost nothing.
// Returns true when some line changed; `narrowed` then holds the whole new text.
bool narrowSheet(std::u16string_view sheet, std::u16string& narrowed) {
    if (!hasWideCandidate(sheet)) return false;
    bool changed = false;
    LineCursor lines(sheet);
    std::u16string_view line, ending;
    while (lines.next(line, ending)) {
        if (hasWideCandidate(line)) {
            std::u16string half = toHalfWidth(line);
            changed = changed || half != line;
            narrowed += half;
        } else {
            narrowed += line;
        }
        narrowed += ending;
    }
    return changed;
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

PassResult calculateSheet(std::u16string_view sheet, Grouping grouping,
                          const ResultLineSink& onLine) {
    return calculateSheet(sheet, grouping, onLine, nullptr);
}

PassResult calculateSheet(std::u16string_view sheet, Grouping grouping,
                          const ResultLineSink& onLine, const LineValueSink& onValues) {
    PassResult r;
    if (sheet.empty()) return r;
    r.ran = true;
    r.sheetChanged = narrowSheet(sheet, r.sheet);
    if (r.sheetChanged)
        sheet = r.sheet;
    else
        r.sheet.clear();

    Value total = Value::int16(0);
    std::u16string rewritten, out;
    LineCursor lines(sheet);
    std::u16string_view text, ending;
    for (size_t i = 0; lines.next(text, ending); ++i) {
        out.clear();
        SheetLine line = classifyLine(text, rewritten);
        if (line.kind != LineKind::Blank) {
            // A failing line gives the empty value; its message is replaced when the pass ends.
            Value value = Eval(line.expression);
            if (i == 0) {
                total = value;
            } else {
                statement([&] { total = applyLine(line.kind, total, value); });
                out = line.prefix;
            }
            statement([&] { out += displayText(value, grouping); });
            if (onValues) onValues(value, total);
        }
        onLine(out);
    }
    statement([&] { r.total = displayText(total, grouping); });
    r.phrase = resultPhrase(total);
    r.status = kBusyDone;
    return r;
}

PassResult calculateSheet(std::u16string_view sheet, Grouping grouping) {
    std::vector<std::u16string> results;
    results.reserve(static_cast<size_t>(std::count(sheet.begin(), sheet.end(), u'\n')) + 1);
    PassResult r = calculateSheet(sheet, grouping,
                                  [&](std::u16string_view line) { results.emplace_back(line); });
    r.results = std::move(results);
    return r;
}

} // namespace quill
