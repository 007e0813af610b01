#include "window/results_writer.h"

#include <QTextBlock>
#include <QTextDocument>

namespace quill {

ResultsWriter::ResultsWriter(QPlainTextEdit* column) : QObject(column), column_(column) {
    // Someone else changing the column (a user edit) makes what we know of it stale.
    connect(column_->document(), &QTextDocument::contentsChange, this, [this](int, int, int) {
        if (!writing_) valid_ = false;
    });
}

bool ResultsWriter::inStep() const {
    return valid_ && column_->document()->blockCount() == shownLines_;
}

void ResultsWriter::clear() {
    writing_ = true;
    column_->clear();
    writing_ = false;
    // The next pass brings every line again.
    valid_ = false;
}

namespace {

// A result text holding a line break (a text value such as CHR$(10)) takes more than one line
// of the column, so the column's lines no longer match the sheet's.
bool breaksLines(const std::vector<NumberedLine>& lines) {
    for (const NumberedLine& line : lines)
        for (char16_t c : line.text)
            if (c == u'\n' || c == u'\r' || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1) return true;
    return false;
}

} // namespace

bool ResultsWriter::costsMoreThanRewriting(const PassUpdate& update) const {
    // A line added or removed in place costs about what a line of a whole new text costs; a
    // named line showing the same text as before costs little.
    size_t spliced = 0;
    for (const ColumnSplice& s : update.splices) spliced += s.removed + s.added;
    return spliced > 64 && spliced * 2 > size_t(column_->document()->blockCount());
}

bool ResultsWriter::show(const PassUpdate& update) {
    if (update.wholeColumn) {
        rewriteAll(update.lines);
        return true;
    }
    if (!inStep() || breaksLines(update.lines) || costsMoreThanRewriting(update)) return false;
    writing_ = true;
    if (update.splices.empty() && update.lines.size() <= kLinesOneByOne) {
        // A key typed: each line is its own edit, so the column repaints just those lines (an
        // edit block reports one change reaching from the first line to the last).
        writeLines(update.lines, true);
    } else {
        // One edit block: the column lays itself out once, not after every line.
        QTextCursor block(column_->document());
        block.beginEditBlock();
        for (const ColumnSplice& s : update.splices) splice(s);
        writeLines(update.lines, false);
        block.endEditBlock();
    }
    writing_ = false;
    shownLines_ = column_->document()->blockCount();
    return true;
}

void ResultsWriter::rewriteAll(const std::vector<NumberedLine>& lines) {
    QString text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += QLatin1Char('\n');
        text += QStringView(lines[i].text);
    }
    // Replacing the whole text through a cursor costs less than setting a new one.
    QTextCursor cursor(column_->document());
    cursor.select(QTextCursor::Document);
    writing_ = true;
    if (text.isEmpty())
        cursor.removeSelectedText();
    else
        cursor.insertText(text);
    writing_ = false;
    shownLines_ = column_->document()->blockCount();
    // Line breaks inside results leave the column's lines apart from the sheet's for good.
    valid_ = size_t(shownLines_) == std::max<size_t>(lines.size(), 1);
}

void ResultsWriter::splice(const ColumnSplice& s) {
    QTextDocument* doc = column_->document();
    QTextCursor cursor(doc);
    const int first = int(s.first);
    if (s.added > 0) {
        const QString breaks(qsizetype(s.added), QLatin1Char('\n'));
        if (first < doc->blockCount())
            cursor.setPosition(doc->findBlockByNumber(first).position());
        else
            cursor.movePosition(QTextCursor::End);
        cursor.insertText(breaks);
        return;
    }
    if (s.removed == 0) return;
    const int end = first + int(s.removed);
    if (end < doc->blockCount()) {
        // The lines and the line break after each.
        cursor.setPosition(doc->findBlockByNumber(first).position());
        cursor.setPosition(doc->findBlockByNumber(end).position(), QTextCursor::KeepAnchor);
    } else {
        // The last lines and the line break before them.
        const QTextBlock before = doc->findBlockByNumber(first - 1);
        cursor.setPosition(before.position() + before.length() - 1);
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    }
    cursor.removeSelectedText();
}

void ResultsWriter::writeLines(const std::vector<NumberedLine>& lines, bool repaintLines) {
    QTextDocument* doc = column_->document();
    QTextCursor cursor(doc);
    QTextBlock block;
    size_t number = 0;
    for (const NumberedLine& line : lines) {
        block = (block.isValid() && line.line == number + 1)
                    ? block.next()
                    : doc->findBlockByNumber(int(line.line));
        number = line.line;
        if (!block.isValid()) continue;
        const QStringView text(line.text);
        if (block.text() == text) continue;
        if (repaintLines) {
            replaceLine(cursor, block, text);
            continue;
        }
        cursor.setPosition(block.position());
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        if (text.isEmpty())
            cursor.removeSelectedText();
        else
            cursor.insertText(text.toString());
    }
}

void ResultsWriter::replaceLine(QTextCursor& cursor, const QTextBlock& block, QStringView text) {
    // The column's layout takes an edit that removes more than stays of its line as reaching
    // into the lines below, and repaints the whole column. So the old text is cut down to its
    // last character in pieces no longer than what stays, the new text goes in before it, and
    // then that character goes. The line is never empty on the way (an empty line may be
    // lower than one of full-width text), nor wider than the old or the new text.
    const int start = block.position();
    int old = block.length() - 1;
    for (; old > 1; old -= old / 2) {
        cursor.setPosition(start);
        cursor.setPosition(start + old / 2, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
    cursor.setPosition(start);
    if (!text.isEmpty()) cursor.insertText(text.toString());
    if (old == 0) return;
    cursor.setPosition(start + int(text.size()));
    cursor.setPosition(start + int(text.size()) + 1, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

} // namespace quill
