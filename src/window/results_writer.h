#pragma once
// Writes pass results into the results column. A pass names only the lines that may have
// changed and where lines came and went, so a key typed into a long sheet costs a line or two,
// not the whole column.
#include "sheet/incremental_pass.h"

#include <memory>

namespace quill {

class ResultsColumn;

class ResultsWriter {
public:
    explicit ResultsWriter(ResultsColumn* column) : column_(column) {}

    // False when the column no longer shows what the last pass wrote: the next pass must give
    // every line.
    bool inStep() const;
    // Shows a pass. False (and nothing written) when the pass named only some lines and the
    // column is not in step: then rewriteAll must be given every line.
    bool show(PassUpdate& update);
    void rewriteAll(std::shared_ptr<const ResultTexts> texts);
    void clear();

private:
    ResultsColumn* column_;
    int shownLines_ = 0;
    bool valid_ = false; // the column holds what this writer wrote
};

} // namespace quill
