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
        rewriteAll(std::move(update.lines));
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

void ResultsWriter::rewriteAll(std::vector<NumberedLine> lines) {
    std::vector<std::u16string> texts;
    texts.reserve(lines.size());
    for (NumberedLine& line : lines) texts.push_back(std::move(line.text));
    column_->setLines(std::move(texts));
    shownLines_ = column_->lineCount();
    valid_ = true;
}

} // namespace quill
