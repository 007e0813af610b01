#include "sheet/calculation.h"

#include "engine/jtext.h"
#include "sheet/line_step.h"
#include "sheet/phrase.h"

#include <algorithm>

namespace quill {
namespace {

// Walks the lines of a sheet: "\n", "\r\n" or a lone "\r" end a line (a sheet saved on an old
// system, or pasted from one); the text after the last line break is the last line.
class LineCursor {
public:
    explicit LineCursor(std::u16string_view sheet) : rest_(sheet) {}
    bool next(std::u16string_view& line, std::u16string_view& ending) {
        if (done_) return false;
        // A plain loop: find_first_of tests every character against the set one by one.
        const size_t end =
            size_t(std::find_if(rest_.begin(), rest_.end(),
                                [](char16_t c) { return c == u'\n' || c == u'\r'; }) -
                   rest_.begin());
        if (end == rest_.size()) {
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

// Full-width characters become half-width, line by line so that ASCII lines cost nothing.
// Returns true when some line changed; `narrowed` then holds the whole new text.
bool narrowSheet(std::u16string_view sheet, std::u16string& narrowed) {
    if (!hasNonAscii(sheet)) return false;
    bool changed = false;
    std::u16string half;
    LineCursor lines(sheet);
    std::u16string_view line, ending;
    while (lines.next(line, ending)) {
        if (narrowLine(line, half)) {
            if (!changed) narrowed.assign(sheet.substr(0, size_t(line.data() - sheet.data())));
            changed = true;
            narrowed += half;
        } else if (changed) {
            narrowed += line;
        }
        if (changed) narrowed += ending;
    }
    return changed;
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
    std::u16string out, rewritten;
    LineCursor lines(sheet);
    std::u16string_view text, ending;
    for (size_t i = 0; lines.next(text, ending); ++i) {
        out.clear();
        // A failing line gives the empty value; its message is replaced when the pass ends.
        const EvaluatedLine line = evaluateLine(text, rewritten);
        carryTotal(total, i, line.kind, line.value);
        appendResultText(out, i, line.kind, line.value, grouping);
        if (onValues && line.kind != LineKind::Blank) onValues(line.value, total);
        onLine(out);
    }
    r.total = totalText(total, grouping);
    r.phrase = resultPhrase(total);
    r.status = kPassDoneStatus;
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
