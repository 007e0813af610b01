#include "window/results_writer.h"

#include "widgets/results_column.h"

namespace quill {

bool ResultsWriter::inStep() const {
    return valid_ && column_->lineCount() == shownLines_;
}

void ResultsWriter::clear() {
    column_->clear();
    // The next pass brings every line again.
    valid_ = false;
}

bool ResultsWriter::show(PassUpdate& update) {
    if (update.wholeColumn) {
        rewriteAll(std::move(update.wholeTexts));
        return true;
    }
    if (!inStep()) return false;
    for (const ColumnSplice& s : update.splices) {
        if (s.added > 0) column_->insertLines(int(s.first), int(s.added));
        if (s.removed > 0) column_->removeLines(int(s.first), int(s.removed));
    }
    for (NumberedLine& line : update.lines) column_->setLine(int(line.line), std::move(line.text));
    shownLines_ = column_->lineCount();
    return true;
}

void ResultsWriter::rewriteAll(std::shared_ptr<const ResultTexts> texts) {
    // The column makes the texts of the lines it shows; the rest wait until asked for.
    const size_t count = texts->size();
    column_->setLines(count, [texts = std::move(texts)](size_t line) { return texts->text(line); });
    shownLines_ = column_->lineCount();
    valid_ = true;
}

} // namespace quill
