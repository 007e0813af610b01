#pragma once
// Text exchange with the system clipboard, independent of the edit boxes' own cut and paste.
#include <QString>

namespace quill {

// The clipboard's text up to its first NUL; empty when it holds no text.
QString getClipboardText();
// Puts the text on the clipboard; true when the clipboard took it.
bool putClipboardText(const QString& text);

} // namespace quill
