#include "widgets/sheet_editing.h"

#include "widgets/line_helpers.h"
#include "widgets/sheet_box.h"

#include <algorithm>

namespace quill {

void insertSheetText(QPlainTextEdit* sheet, const QString& text) {
    QTextCursor cursor = sheet->textCursor();
    cursor.insertText(cleanedForSheet(text));
    sheet->setTextCursor(cursor);
}

void wrapOrInsert(QPlainTextEdit* sheet, const QString& open, const QString& close,
                  const QString& bare) {
    QTextCursor cursor = sheet->textCursor();
    const int start = cursor.selectionStart();
    const int length = cursor.selectionEnd() - start;
    if (length <= 0) {
        insertSheetText(sheet, bare);
        return;
    }
    // One undo step takes the whole wrap back.
    cursor.beginEditBlock();
    cursor.setPosition(start);
    cursor.insertText(open);
    cursor.setPosition(start + int(open.size()) + length);
    cursor.insertText(close);
    cursor.endEditBlock();
    sheet->setTextCursor(cursor);
}

void deleteCaretLine(QPlainTextEdit* sheet) {
    const int line = GetLine(sheet);
    sJumpLine(sheet, line);
    const int start = GetTextBoxLineIndex(sheet, line - 1);
    if (start < 0) return;
    const int length = int(GetTextBoxLineString(sheet, line - 1).size());
    QTextCursor cursor = sheet->textCursor();
    cursor.setPosition(start);
    // The line break after the line goes with it; the last line has none.
    const int end = std::min(start + length + 1, sheet->document()->characterCount() - 1);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    sheet->setTextCursor(cursor);
}

void caretToLineEnd(QPlainTextEdit* sheet) {
    const int line = GetLine(sheet);
    const int next = GetTextBoxLineIndex(sheet, line);
    QTextCursor cursor = sheet->textCursor();
    if (next < 0)
        cursor.movePosition(QTextCursor::End);
    else
        cursor.setPosition(next - 1);
    sheet->setTextCursor(cursor);
}

void caretToLineStart(QPlainTextEdit* sheet) {
    sJumpLine(sheet, GetLine(sheet));
}

} // namespace quill
