#pragma once
// Edits the keypad makes on the sheet. Each one is an ordinary, undoable edit.
#include <QPlainTextEdit>
#include <QString>

namespace quill {

// Replaces the selection (or inserts at the caret) with text; the caret ends after it.
void insertSheetText(QPlainTextEdit* sheet, const QString& text);
// With a selection, encloses it in open and close and leaves the caret after close; without
// one, inserts bare (what the key inserts on its own).
void wrapOrInsert(QPlainTextEdit* sheet, const QString& open, const QString& close,
                  const QString& bare);
// Removes the caret's line together with the line break that follows it.
void deleteCaretLine(QPlainTextEdit* sheet);
// Caret to the end of its line, just before the line break.
void caretToLineEnd(QPlainTextEdit* sheet);
// Caret to the start of its line.
void caretToLineStart(QPlainTextEdit* sheet);

} // namespace quill
