#pragma once
// Feeds the sheet's edits to the calculation pass that reuses unchanged lines: the document's
// change notices say which lines changed, so no pass needs to copy the whole text. Also puts
// the narrowed lines of a pass back into the sheet.
#include "sheet/incremental_pass.h"

#include <QObject>
#include <QPlainTextEdit>

namespace quill {

class SheetTracker : public QObject {
public:
    explicit SheetTracker(QPlainTextEdit* sheet);

    // A pass over the sheet; `columnInStep` false when the results column no longer shows
    // what the last pass gave. Narrowed lines are already written back (caret kept).
    PassUpdate run(Grouping grouping, bool columnInStep);
    // Every result line of the last pass.
    std::shared_ptr<const ResultTexts> resultTexts() const { return pass_.resultTexts(); }

private:
    void reset(size_t lines);
    void linesChanged(int from, int charsAdded);
    void writeNarrowed(const std::vector<NumberedLine>& lines);

    QPlainTextEdit* sheet_;
    IncrementalPass pass_;
    bool writing_ = false;
    size_t linesToRead_ = 0; // lines changed since the last pass (at least)
};

} // namespace quill
