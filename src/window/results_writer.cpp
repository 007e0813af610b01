#include "window/results_writer.h"

#include <QTextBlock>
#include <QTextDocument>

namespace quill {
namespace {

QString joinLines(const std::vector<QString>& lines, int first, int end) {
    QString text;
    for (int i = first; i < end; ++i) {
        if (i > first) text += QLatin1Char('\n');
        text += lines[size_t(i)];
    }
    return text;
}

} // namespace

ResultsWriter::ResultsWriter(QPlainTextEdit* column) : QObject(column), column_(column) {
    // Someone else changing the column (the "C" key, a user edit) makes our copy stale.
    connect(column_->document(), &QTextDocument::contentsChange, this, [this](int, int, int) {
        if (!writing_) valid_ = false;
    });
}

void ResultsWriter::show(const std::vector<std::u16string>& results) {
    // A text always has at least one (possibly empty) line.
    std::vector<QString> lines;
    lines.reserve(std::max<size_t>(results.size(), 1));
    for (const auto& r : results) lines.push_back(QString::fromStdU16String(r));
    if (lines.empty()) lines.emplace_back();

    if (!valid_ || int(shown_.size()) != column_->document()->blockCount()) {
        rewriteAll(lines);
        return;
    }
    const int oldSize = int(shown_.size()), newSize = int(lines.size());
    const int common = std::min(oldSize, newSize);
    int first = 0;
    while (first < common && shown_[size_t(first)] == lines[size_t(first)]) ++first;
    if (first == oldSize && first == newSize) return;
    int tail = 0;
    while (tail < common - first &&
           shown_[size_t(oldSize - 1 - tail)] == lines[size_t(newSize - 1 - tail)])
        ++tail;
    replaceLines(first, oldSize - tail, lines, newSize - tail);
    shown_ = std::move(lines);
}

void ResultsWriter::rewriteAll(const std::vector<QString>& lines) {
    writing_ = true;
    column_->setPlainText(joinLines(lines, 0, int(lines.size())));
    writing_ = false;
    shown_ = lines;
    valid_ = true;
}

void ResultsWriter::replaceLines(int first, int oldEnd, const std::vector<QString>& lines,
                                 int newEnd) {
    QTextDocument* doc = column_->document();
    const int oldSize = int(shown_.size());
    QTextCursor cursor(doc);
    QString text = joinLines(lines, first, newEnd);
    if (oldEnd > first) {
        // Lines first..oldEnd-1 are replaced (their text, not the break after the last one).
        cursor.setPosition(doc->findBlockByNumber(first).position());
        const QTextBlock last = doc->findBlockByNumber(oldEnd - 1);
        cursor.setPosition(last.position() + last.length() - 1, QTextCursor::KeepAnchor);
        if (newEnd == first) {
            // Pure removal: take one line break along with the lines.
            if (oldEnd < oldSize)
                cursor.setPosition(doc->findBlockByNumber(oldEnd).position(),
                                   QTextCursor::KeepAnchor);
            else {
                const QTextBlock before = doc->findBlockByNumber(first - 1);
                cursor.setPosition(before.position() + before.length() - 1);
                cursor.setPosition(doc->characterCount() - 1, QTextCursor::KeepAnchor);
            }
        }
    } else if (first < oldSize) {
        // Pure insertion before line first.
        cursor.setPosition(doc->findBlockByNumber(first).position());
        text += QLatin1Char('\n');
    } else {
        // Pure insertion after the last line.
        cursor.setPosition(doc->characterCount() - 1);
        text.prepend(QLatin1Char('\n'));
    }
    writing_ = true;
    if (text.isEmpty())
        cursor.removeSelectedText();
    else
        cursor.insertText(text);
    writing_ = false;
}

} // namespace quill
