#pragma once
// Writes pass results into the results column. A pass names only the lines that may have
// changed and where lines came and went, so a key typed into a long sheet costs a line or two,
// not the whole column; lines whose text is the same are left alone.
#include "sheet/incremental_pass.h"

#include <QObject>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace quill {

class ResultsWriter : public QObject {
public:
    explicit ResultsWriter(QPlainTextEdit* column);

    // False when the column no longer shows what the last pass wrote (someone else changed
    // it): the next pass must give every line.
    bool inStep() const;
    // Shows a pass. False (and nothing written) when the pass named only some lines and they
    // cannot be written one by one, or adding and removing so many lines one by one would cost
    // more than a new text: then rewriteAll must be given every line.
    bool show(const PassUpdate& update);
    void rewriteAll(const std::vector<NumberedLine>& lines);
    void clear();

private:
    bool costsMoreThanRewriting(const PassUpdate& update) const;
    void splice(const ColumnSplice& s);
    // `repaintLines`: each line is written so that the column repaints that line alone.
    void writeLines(const std::vector<NumberedLine>& lines, bool repaintLines);
    static void replaceLine(QTextCursor& cursor, const QTextBlock& block, QStringView text);

    // Passes naming at most this many lines (and no lines added or removed) write each line
    // as its own edit.
    static constexpr size_t kLinesOneByOne = 16;

    QPlainTextEdit* column_;
    int shownLines_ = 0;
    bool valid_ = false; // the column holds what this writer wrote
    bool writing_ = false;
};

} // namespace quill
