#pragma once
// The result lines of a pass kept as values, each made into its text only when asked for: a
// column that shows a few dozen lines of a long sheet formats those alone. A copy taken at the
// end of a pass, so later passes do not change what it gives.
#include "engine/value.h"
#include "sheet/calculation.h"
#include "sheet/line_kind.h"

#include <string>
#include <vector>

namespace quill {

class ResultTexts {
public:
    struct Line {
        LineKind kind = LineKind::Blank;
        Value value;
    };
    ResultTexts(std::vector<Line> lines, Grouping grouping)
        : lines_(std::move(lines)), grouping_(grouping) {}

    size_t size() const { return lines_.size(); }
    // The text of line `index` as the results column shows it ("" past the last line).
    std::u16string text(size_t index) const;

private:
    std::vector<Line> lines_;
    Grouping grouping_;
};

} // namespace quill
