#pragma once
// A calculation pass that keeps each line's value between passes and evaluates again only
// what may have changed:
//   - the lines the editor reports as changed (replaceLines);
//   - the lines whose last evaluation read the running system (the clock, the random
//     generator, the environment, the command line), every time.
// The running total is carried forward from the first line evaluated again, starting from the
// total saved every few dozen lines before it. Between two saved totals, lines that only add
// amounts are carried in one step when that is exact (see BlockSum). What a pass reports (result
// lines, total, status, phrase, narrowed lines) is exactly what a whole pass over the same text
// gives.
#include "engine/value.h"
#include "sheet/block_sum.h"
#include "sheet/calculation.h"
#include "sheet/line_kind.h"
#include "sheet/result_texts.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quill {

// The current text of the sheet's lines, asked for one line at a time (mostly in order).
class LineSource {
public:
    virtual ~LineSource() = default;
    virtual std::u16string text(size_t line) = 0;
};

// Lines first..first+removed-1 of the results column give way to `added` empty lines; one of
// removed and added is always 0.
struct ColumnSplice {
    size_t first = 0;
    size_t removed = 0;
    size_t added = 0;
};

struct NumberedLine {
    size_t line = 0;
    std::u16string text;
};

struct PassUpdate {
    bool ran = false; // false for an empty sheet: nothing else is set
    // Every result line is in `wholeTexts`; `lines` and `splices` are empty.
    bool wholeColumn = false;
    std::shared_ptr<const ResultTexts> wholeTexts;
    // Applied in order to the results column as the previous pass left it.
    std::vector<ColumnSplice> splices;
    // Result lines to show after the splices, in ascending order; lines not named keep their
    // text (a named line may still show the same text as before).
    std::vector<NumberedLine> lines;
    // Sheet lines whose text changed by narrowing, in ascending order.
    std::vector<NumberedLine> narrowed;
    std::u16string total;
    std::u16string status;
    std::u16string phrase;
};

class IncrementalPass {
public:
    // The running total is saved before every `checkpointLines`-th line.
    explicit IncrementalPass(size_t lines = 1, size_t checkpointLines = 64)
        : checkpointLines_(std::max<size_t>(checkpointLines, 1)) {
        reset(lines);
    }

    // The sheet's lines first..first+removed-1 were replaced by `added` lines.
    void replaceLines(size_t first, size_t removed, size_t added);
    // Every line changed and the results column is unknown.
    void reset(size_t lines);
    // The results column no longer shows what the last pass gave: the next pass reports
    // every result line.
    void forgetColumn() { columnKnown_ = false; }
    size_t lineCount() const { return entries_.size(); }

    PassUpdate run(LineSource& source, Grouping grouping);
    // Every result line of the last pass, from the kept values.
    std::shared_ptr<const ResultTexts> resultTexts() const;

private:
    struct Entry {
        Value value;
        LineKind kind = LineKind::Blank;
        bool changed = true;      // evaluate again: the text changed
        bool readsSystem = false; // evaluate again: the result depends on the running system
    };

    void addSplice(size_t first, size_t removed, size_t added);
    void forgetSums(size_t first, size_t last);
    size_t firstToRecalculate() const;
    void recalculate(LineSource& source, size_t from, Grouping grouping, PassUpdate& update);
    std::optional<Value> carryBlock(size_t block, const Value& total);
    bool carryLine(LineSource& source, size_t i, Value& total, Grouping grouping,
                   PassUpdate& update);

    std::vector<Entry> entries_;
    size_t checkpointLines_;
    // checkpoints_[k] is the running total before line k * checkpointLines_.
    std::vector<Value> checkpoints_;
    // sums_[k] sums the lines from checkpoint k to the next one, when known; it is forgotten
    // whenever one of those lines changes, moves or is evaluated again.
    std::vector<std::optional<BlockSum>> sums_;
    Value total_;
    std::vector<ColumnSplice> splices_;
    size_t firstChanged_ = 0;
    size_t firstReadingSystem_ = 0;
    Grouping grouping_ = Grouping::None;
    bool columnKnown_ = false;
};

} // namespace quill
