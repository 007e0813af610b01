#pragma once
// The sheet edits behind the Edit and Function menus that need no main window: each takes the
// sheet and changes it through its text cursor, so every change is one undoable step and the
// caret ends after the inserted text. Neither speaks nor recalculates; the menu handler does.
#include <QString>
#include <QStringList>
#include <QStringView>

class QPlainTextEdit;

namespace quill {

// --- Paste numbers only ---

// The characters of one pasted line that make up its number: ASCII digits, and a "." that a
// digit follows. Everything else (signs, group commas, units, blanks) is dropped.
QString keepNumberCharacters(QStringView line);

// Splits pasted text into lines. CR LF, a lone LF and a lone CR each end a line, since text
// copied on this desktop usually ends its lines with LF alone; a text ending with a line break
// yields a last, empty line. The empty text is one empty line.
QStringList splitPastedLines(const QString& text);

// The sheet text that "数値のみ貼り付け(&N)" makes of a clipboard text: one line per pasted line,
// each holding only its number characters.
QString numbersOnlySheet(const QString& clipboardText);

// Replaces the whole sheet by numbersOnlySheet(clipboardText), as one undoable edit, so that
// Ctrl+Z brings back the sheet that the paste replaced.
void pasteNumbersOnly(QPlainTextEdit* sheet, const QString& clipboardText);

// --- Function menu ---

// The text a function item inserts: its caption up to and including the first "(".
// A caption without "(" (the hidden "ACOSD") names its function by its first word, which then
// gets the bracket, so that it behaves like the other function items.
QString functionInsertText(const QString& caption);

// Replaces the selection (or inserts at the caret) with `text`.
void replaceSelection(QPlainTextEdit* sheet, const QString& text);

// Puts `before` in front of the selected text and `after` behind it, leaving the caret after
// `after`; the selected text itself is kept as it is.
void wrapSelection(QPlainTextEdit* sheet, const QString& before, const QString& after);

// Runs the function item with this caption on the sheet: the function's name and "(" go in
// front of the selection, which gets a closing ")" and becomes the argument, or are inserted
// alone at the caret when nothing is selected.
void insertFunctionCall(QPlainTextEdit* sheet, const QString& caption);

} // namespace quill
