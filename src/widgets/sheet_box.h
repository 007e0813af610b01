#pragma once
// The sheet's edit box. Whatever way text comes in (typing, pasting with Ctrl+V or the Edit
// menu, dropping, an input method) it arrives as plain lines: every Enter is an ordinary line
// break, and pasted, dropped and committed text goes through cleanIncomingText. The line keys
// and the calculation pass then see the same lines as the screen. Ctrl+Y and
// Ctrl+Shift+Z both redo.
#include <QPlainTextEdit>

namespace quill {

class SheetBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit SheetBox(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

// The text with cleanIncomingText applied (the same text when nothing needs cleaning).
QString cleanedForSheet(const QString& text);

} // namespace quill
