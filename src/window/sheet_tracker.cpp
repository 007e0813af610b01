#include "window/sheet_tracker.h"

#include "sheet/narrowing.h"

#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <vector>

namespace quill {
namespace {

// A position as its line and its column in that line; narrowing keeps the lines.
struct LinePlace {
    int line;
    int column;
};

LinePlace placeOf(QTextDocument* doc, int position) {
    const QTextBlock block = doc->findBlock(position);
    return {block.blockNumber(), position - block.position()};
}

int positionOf(QTextDocument* doc, LinePlace place) {
    const QTextBlock block = doc->findBlockByNumber(place.line);
    return block.position() + std::min(place.column, block.length() - 1);
}

// The sheet's lines are the document's blocks; they are mostly asked for in order. One
// block's text costs a search through the document, its whole text one copy: a pass after
// many lines changed (the first pass over a pasted sheet) takes the whole text once.
class BlockSource : public LineSource {
public:
    BlockSource(QTextDocument* doc, bool manyLines)
        : doc_(doc), blocks_(size_t(doc->blockCount())) {
        if (manyLines) readWholeText();
    }
    std::u16string text(size_t line) override {
        if (!starts_.empty()) return lineOfWholeText(line);
        if (block_.isValid() && line == number_ + 1)
            block_ = block_.next();
        else
            block_ = doc_->findBlockByNumber(int(line));
        number_ = line;
        return block_.text().toStdU16String();
    }

private:
    void readWholeText() {
        // Blocks are separated by paragraph separators, which no block's text holds.
        whole_ = doc_->toRawText();
        std::vector<qsizetype> starts{0};
        starts.reserve(blocks_ + 1);
        for (qsizetype i = 0; i < whole_.size(); ++i)
            if (whole_.at(i) == QChar::ParagraphSeparator) starts.push_back(i + 1);
        starts.push_back(whole_.size() + 1);
        // Anything else (a frame in the document) keeps reading block by block.
        if (starts.size() == blocks_ + 1) starts_ = std::move(starts);
    }
    std::u16string lineOfWholeText(size_t line) const {
        if (line >= blocks_) return {};
        const qsizetype start = starts_[line];
        const auto* text = reinterpret_cast<const char16_t*>(whole_.constData());
        return std::u16string(text + start, size_t(starts_[line + 1] - 1 - start));
    }

    QTextDocument* doc_;
    QTextBlock block_;
    size_t number_ = 0;
    size_t blocks_;
    QString whole_;
    std::vector<qsizetype> starts_; // where each line starts in whole_, and one past the end
};

} // namespace

SheetTracker::SheetTracker(QPlainTextEdit* sheet)
    : QObject(sheet), sheet_(sheet), pass_(size_t(sheet->document()->blockCount())),
      linesToRead_(pass_.lineCount()) {
    connect(sheet_->document(), &QTextDocument::contentsChange, this,
            [this](int from, int, int charsAdded) {
                if (!writing_) linesChanged(from, charsAdded);
            });
}

void SheetTracker::reset(size_t lines) {
    pass_.reset(lines);
    linesToRead_ = lines;
}

void SheetTracker::linesChanged(int from, int charsAdded) {
    // The lines from the one holding `from` to the one holding the end of the new text
    // replace as many old lines as the count of lines says.
    QTextDocument* doc = sheet_->document();
    const long blocks = doc->blockCount();
    const QTextBlock first = doc->findBlock(from);
    const QTextBlock last = doc->findBlock(from + charsAdded);
    if (!first.isValid()) {
        reset(size_t(blocks));
        return;
    }
    const long firstLine = first.blockNumber();
    const long added = (last.isValid() ? last.blockNumber() : blocks - 1) - firstLine + 1;
    const long removed = added - (blocks - long(pass_.lineCount()));
    if (removed < 1 || firstLine + removed > long(pass_.lineCount())) {
        reset(size_t(blocks));
        return;
    }
    pass_.replaceLines(size_t(firstLine), size_t(removed), size_t(added));
    linesToRead_ += size_t(added);
}

PassUpdate SheetTracker::run(Grouping grouping, bool columnInStep) {
    QTextDocument* doc = sheet_->document();
    if (pass_.lineCount() != size_t(doc->blockCount())) reset(size_t(doc->blockCount()));
    if (!columnInStep) pass_.forgetColumn();
    BlockSource source(doc, linesToRead_ > pass_.lineCount() / 8);
    linesToRead_ = 0;
    PassUpdate update = pass_.run(source, grouping);
    if (!update.narrowed.empty()) writeNarrowed(update.narrowed);
    return update;
}

void SheetTracker::writeNarrowed(const std::vector<NumberedLine>& lines) {
    // Joined to the edit that brought the text in (an opened file, a paste, an input method's
    // commit), so that undo takes both back together: undoing the narrowing alone let the next
    // pass narrow again, and undo never got past it. The caret and the selection's anchor stay with
    // their characters: a character that narrows into two (ガ into ｶﾞ) moves what follows it on its
    // line.
    QTextDocument* doc = sheet_->document();
    const QTextCursor before = sheet_->textCursor();
    LinePlace anchor = placeOf(doc, before.anchor()), caret = placeOf(doc, before.position());
    QTextCursor cursor(doc);
    writing_ = true;
    cursor.joinPreviousEditBlock();
    for (const NumberedLine& line : lines) {
        const QTextBlock block = doc->findBlockByNumber(int(line.line));
        for (LinePlace* place : {&anchor, &caret})
            if (place->line == int(line.line))
                place->column =
                    int(narrowedColumn(block.text().toStdU16String(), size_t(place->column)));
        cursor.setPosition(block.position());
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        cursor.insertText(QString::fromStdU16String(line.text));
    }
    cursor.endEditBlock();
    writing_ = false;
    cursor.setPosition(positionOf(doc, anchor));
    cursor.setPosition(positionOf(doc, caret), QTextCursor::KeepAnchor);
    sheet_->setTextCursor(cursor);
}

} // namespace quill
