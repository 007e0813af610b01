#pragma once
// Lines and caret positions of an edit box. Every position is a character position and a line
// break counts as one character, so no code-page conversion is needed.
#include <QPlainTextEdit>
#include <QString>

namespace quill {

// 1-based number of the line that holds the caret (the start of the selection).
int GetLine(const QPlainTextEdit* edit);
// Position of the first character of a 0-based line; -1 when the line does not exist.
int GetTextBoxLineIndex(const QPlainTextEdit* edit, int line);
// Caret to the start of the 1-based line L; lines below 1 or past the last are ignored.
void sJumpLine(QPlainTextEdit* edit, int line);
// Text of a 0-based line without its line break; empty when the line does not exist.
QString GetTextBoxLineString(const QPlainTextEdit* edit, int line);

// Start of the selection (the caret when nothing is selected).
int SelectionStart(const QPlainTextEdit* edit);
// 1-based line of the selection start.
int CaretLine(const QPlainTextEdit* edit);
// Position of the first character of the 1-based line n; -1 when absent.
int LineStart(const QPlainTextEdit* edit, int line);
// Line (1-based) and column (1-based) of the caret; returns the line's start position.
int CaretLineColumn(const QPlainTextEdit* edit, int& line, int& column);

} // namespace quill
