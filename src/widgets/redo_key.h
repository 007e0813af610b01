#pragma once
// Both redo keys in a text box, whatever key scheme the desktop's theme gives Qt: Ctrl+Y (users
// coming from Windows press it) and Ctrl+Shift+Z (the Linux desktops' key). Nothing happens in
// a read-only box.
class QLineEdit;
class QPlainTextEdit;

namespace quill {

void redoOnBothKeys(QPlainTextEdit* box);
void redoOnBothKeys(QLineEdit* box);

} // namespace quill
