#include "widgets/line_helpers.h"

#include <QTextBlock>
#include <QTextDocument>

namespace quill {

int SelectionStart(const QPlainTextEdit* edit) {
    return edit->textCursor().selectionStart();
}

int GetLine(const QPlainTextEdit* edit) {
    return edit->document()->findBlock(SelectionStart(edit)).blockNumber() + 1;
}

int CaretLine(const QPlainTextEdit* edit) {
    return GetLine(edit);
}

int GetTextBoxLineIndex(const QPlainTextEdit* edit, int line) {
    if (line < 0) return -1;
    const QTextBlock block = edit->document()->findBlockByNumber(line);
    return block.isValid() ? block.position() : -1;
}

int LineStart(const QPlainTextEdit* edit, int line) {
    return GetTextBoxLineIndex(edit, line - 1);
}

void sJumpLine(QPlainTextEdit* edit, int line) {
    if (line < 1) return;
    const int position = GetTextBoxLineIndex(edit, line - 1);
    if (position < 0) return;
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(position);
    edit->setTextCursor(cursor);
}

QString GetTextBoxLineString(const QPlainTextEdit* edit, int line) {
    if (line < 0) return {};
    const QTextBlock block = edit->document()->findBlockByNumber(line);
    return block.isValid() ? block.text() : QString();
}

int CaretLineColumn(const QPlainTextEdit* edit, int& line, int& column) {
    line = CaretLine(edit);
    const int start = LineStart(edit, line);
    column = SelectionStart(edit) - start + 1;
    return start;
}

} // namespace quill
