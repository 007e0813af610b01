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
    sums_.clear();
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
    // Lines replaced one for one are reset where they are; only the difference moves the lines
    // after them.
    const size_t kept = std::min(removed, added);
    std::fill_n(entries_.begin() + static_cast<std::ptrdiff_t>(first), kept, Entry{});
    auto at = entries_.begin() + static_cast<std::ptrdiff_t>(first + kept);
    if (removed > kept)
        entries_.erase(at, at + static_cast<std::ptrdiff_t>(removed - kept));
    else
        entries_.insert(at, added - kept, Entry{});
    // Only the first line shows no prefix: a line that becomes or stops being the first one is
    // shown again.
    if (first == 0) {
        entries_[0].changed = true;
        if (added < entries_.size()) entries_[added].changed = true;
    }
    // The sums of the blocks holding changed lines no longer hold; when lines were added or
    // removed, every block after them holds other lines.
    if (added != removed)
        forgetSums(first, entries_.size());
    else if (added > 0)
        forgetSums(first, std::max(first + added - 1, first == 0 ? added : 0));
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

// Forgets the sums of the blocks holding lines first..last.
void IncrementalPass::forgetSums(size_t first, size_t last) {
    const size_t end = std::min(sums_.size(), last / checkpointLines_ + 1);
    for (size_t k = first / checkpointLines_; k < end; ++k) sums_[k].reset();
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
    const size_t firstBlock = std::min(from, n - 1) / checkpointLines_;
    const size_t blocks = (n + checkpointLines_ - 1) / checkpointLines_;
    checkpoints_.resize(blocks);
    sums_.resize(blocks);
    Value total = firstBlock == 0 ? Value::int16(0) : checkpoints_[firstBlock];
    firstReadingSystem_ = kNone;
    for (size_t k = firstBlock; k < blocks; ++k) {
        checkpoints_[k] = total;
        // The first block sets the total with its first line; the block where the pass starts
        // holds the changed lines.
        if (k != 0 && k != firstBlock) {
            if (std::optional<Value> after = carryBlock(k, total)) {
                total = std::move(*after);
                continue;
            }
        }
        // A block whose lines were all kept as they were keeps its sum (or its refusal).
        const size_t end = std::min(n, (k + 1) * checkpointLines_);
        bool kept = true;
        for (size_t i = k * checkpointLines_; i < end; ++i)
            kept &= carryLine(source, i, total, grouping, update);
        if (!kept) sums_[k].reset();
    }
    total_ = std::move(total);
}

// The total after block k in one step, when the block's lines are all unchanged, read nothing
// of the system and only add amounts whose sum carries exactly.
std::optional<Value> IncrementalPass::carryBlock(size_t k, const Value& total) {
    std::optional<BlockSum>& sum = sums_[k];
    if (!sum) {
        sum.emplace();
        const size_t end = std::min(entries_.size(), (k + 1) * checkpointLines_);
        for (size_t i = k * checkpointLines_; i < end; ++i) {
            const Entry& e = entries_[i];
            if (e.changed || e.readsSystem) {
                sum->refuse();
                break;
            }
            sum->add(e.kind, e.value);
        }
    }
    return sum->carry(total);
}

// Returns false when the line was evaluated again or now reads the system.
bool IncrementalPass::carryLine(LineSource& source, size_t i, Value& total, Grouping grouping,
                                PassUpdate& update) {
    std::u16string narrowed;
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
    return !again && !e.readsSystem;
}

} // namespace quill
