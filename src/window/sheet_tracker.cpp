#include "window/sheet_tracker.h"

#include <QTextBlock>
#include <QTextDocument>

namespace quill {
namespace {

// The sheet's lines are the document's blocks; they are mostly asked for in order.
class BlockSource : public LineSource {
public:
    explicit BlockSource(QTextDocument* doc) : doc_(doc) {}
    std::u16string text(size_t line) override {
        if (block_.isValid() && line == number_ + 1)
            block_ = block_.next();
        else
            block_ = doc_->findBlockByNumber(int(line));
        number_ = line;
        return block_.text().toStdU16String();
    }

private:
    QTextDocument* doc_;
    QTextBlock block_;
    size_t number_ = 0;
};

} // namespace

SheetTracker::SheetTracker(QPlainTextEdit* sheet)
    : QObject(sheet), sheet_(sheet), pass_(size_t(sheet->document()->blockCount())) {
    connect(sheet_->document(), &QTextDocument::contentsChange, this,
            [this](int from, int, int charsAdded) {
                if (!writing_) linesChanged(from, charsAdded);
            });
}

void SheetTracker::linesChanged(int from, int charsAdded) {
    // The lines from the one holding `from` to the one holding the end of the new text
    // replace as many old lines as the count of lines says.
    QTextDocument* doc = sheet_->document();
    const long blocks = doc->blockCount();
    const QTextBlock first = doc->findBlock(from);
    const QTextBlock last = doc->findBlock(from + charsAdded);
    if (!first.isValid()) {
        pass_.reset(size_t(blocks));
        return;
    }
    const long firstLine = first.blockNumber();
    const long added = (last.isValid() ? last.blockNumber() : blocks - 1) - firstLine + 1;
    const long removed = added - (blocks - long(pass_.lineCount()));
    if (removed < 1 || firstLine + removed > long(pass_.lineCount())) {
        pass_.reset(size_t(blocks));
        return;
    }
    pass_.replaceLines(size_t(firstLine), size_t(removed), size_t(added));
}

PassUpdate SheetTracker::run(Grouping grouping, bool columnInStep) {
    QTextDocument* doc = sheet_->document();
    if (pass_.lineCount() != size_t(doc->blockCount())) pass_.reset(size_t(doc->blockCount()));
    if (!columnInStep) pass_.forgetColumn();
    BlockSource source(doc);
    PassUpdate update = pass_.run(source, grouping);
    if (!update.narrowed.empty()) writeNarrowed(update.narrowed);
    return update;
}

void SheetTracker::writeNarrowed(const std::vector<NumberedLine>& lines) {
    // One undoable edit; the caret goes back to where it was, as far as the text reaches.
    QTextDocument* doc = sheet_->document();
    const int caret = sheet_->textCursor().position();
    QTextCursor cursor(doc);
    writing_ = true;
    cursor.beginEditBlock();
    for (const NumberedLine& line : lines) {
        const QTextBlock block = doc->findBlockByNumber(int(line.line));
        cursor.setPosition(block.position());
        cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        cursor.insertText(QString::fromStdU16String(line.text));
    }
    cursor.endEditBlock();
    writing_ = false;
    cursor.setPosition(std::min(caret, doc->characterCount() - 1));
    sheet_->setTextCursor(cursor);
}

} // namespace quill
