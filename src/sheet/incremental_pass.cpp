#include "sheet/incremental_pass.h"

#include "engine/platform.h"
#include "sheet/line_step.h"
#include "sheet/phrase.h"

#include <algorithm>

namespace quill {
namespace {
constexpr size_t kNone = static_cast<size_t>(-1);
} // namespace

void IncrementalPass::reset(size_t lines) {
    entries_.assign(std::max<size_t>(lines, 1), Entry{});
    checkpoints_.clear();
    splices_.clear();
    total_ = Value::int16(0);
    firstChanged_ = 0;
    firstReadingSystem_ = kNone;
    columnKnown_ = false;
}

void IncrementalPass::replaceLines(size_t first, size_t removed, size_t added) {
    first = std::min(first, entries_.size());
    removed = std::min(removed, entries_.size() - first);
    if (removed >= entries_.size() && added == 0) {
        // A sheet always has a line; a notice that leaves none is not to be trusted.
        reset(1);
        return;
    }
    auto at = entries_.begin() + static_cast<std::ptrdiff_t>(first);
    at = entries_.erase(at, at + static_cast<std::ptrdiff_t>(removed));
    entries_.insert(at, added, Entry{});
    // Only the first line shows no prefix: a line that becomes or stops being the first one is
    // shown again.
    if (first == 0) {
        entries_[0].changed = true;
        if (added < entries_.size()) entries_[added].changed = true;
    }
    // The saved first line reading the system may now lie elsewhere, but never before `first`
    // when it moved, so the next pass, starting no later than `first`, still reaches it.
    firstChanged_ = std::min(firstChanged_, first);
    if (columnKnown_) addSplice(first, removed, added);
}

// The lines both removed and added stay in the column and are written again (they are changed
// lines); only the difference is a splice. Lines removed and then added at the same place (an
// editor's text replaced whole: emptied, then filled) make one splice.
void IncrementalPass::addSplice(size_t first, size_t removed, size_t added) {
    size_t kept = std::min(removed, added);
    first += kept, removed -= kept, added -= kept;
    if (removed == added) return;
    if (added > 0 && !splices_.empty() && splices_.back().added == 0 &&
        splices_.back().first == first) {
        removed = splices_.back().removed;
        splices_.pop_back();
        kept = std::min(removed, added);
        first += kept, removed -= kept, added -= kept;
        if (removed == added) return;
    }
    splices_.push_back({first, removed, added});
}

size_t IncrementalPass::firstToRecalculate() const {
    return std::min(firstChanged_, firstReadingSystem_);
}

PassUpdate IncrementalPass::run(LineSource& source, Grouping grouping) {
    PassUpdate update;
    if (entries_.size() == 1 && source.text(0).empty()) {
        // An empty sheet: the caller clears what it shows, so nothing of it is known any more.
        reset(1);
        return update;
    }
    update.ran = true;
    if (grouping != grouping_) columnKnown_ = false;
    grouping_ = grouping;
    update.wholeColumn = !columnKnown_;
    if (!update.wholeColumn) update.splices = std::move(splices_);
    splices_.clear();

    if (firstToRecalculate() != kNone) recalculate(source, firstToRecalculate(), grouping, update);
    if (update.wholeColumn) update.wholeTexts = resultTexts();
    columnKnown_ = true;
    firstChanged_ = kNone;
    update.total = totalText(total_, grouping);
    update.phrase = resultPhrase(total_);
    update.status = kPassDoneStatus;
    return update;
}

std::shared_ptr<const ResultTexts> IncrementalPass::resultTexts() const {
    std::vector<ResultTexts::Line> lines;
    lines.reserve(entries_.size());
    for (const Entry& e : entries_) lines.push_back({e.kind, e.value});
    return std::make_shared<const ResultTexts>(std::move(lines), grouping_);
}

void IncrementalPass::recalculate(LineSource& source, size_t from, Grouping grouping,
                                  PassUpdate& update) {
    const size_t n = entries_.size();
    const size_t firstCheckpoint = std::min(from, n - 1) / checkpointLines_;
    checkpoints_.resize((n + checkpointLines_ - 1) / checkpointLines_);
    Value total = firstCheckpoint == 0 ? Value::int16(0) : checkpoints_[firstCheckpoint];
    firstReadingSystem_ = kNone;
    std::u16string narrowed;
    for (size_t i = firstCheckpoint * checkpointLines_; i < n; ++i) {
        if (i % checkpointLines_ == 0) checkpoints_[i / checkpointLines_] = total;
        Entry& e = entries_[i];
        const std::uint64_t readsBefore = platform::systemReads();
        const bool again = e.changed || e.readsSystem;
        if (again) {
            std::u16string text = source.text(i);
            if (narrowLine(text, narrowed)) {
                text = narrowed;
                update.narrowed.push_back({i, std::move(narrowed)});
            }
            EvaluatedLine line = evaluateLine(text);
            e.kind = line.kind;
            e.value = std::move(line.value);
        }
        carryTotal(total, i, e.kind, e.value);
        if (again && !update.wholeColumn) {
            update.lines.push_back({i, {}});
            appendResultText(update.lines.back().text, i, e.kind, e.value, grouping);
        }
        e.changed = false;
        e.readsSystem = platform::systemReads() != readsBefore;
        if (e.readsSystem && firstReadingSystem_ == kNone) firstReadingSystem_ = i;
    }
    total_ = std::move(total);
}

} // namespace quill
