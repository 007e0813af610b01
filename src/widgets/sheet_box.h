#pragma once
// The sheet's edit box. Whatever way text comes in (typing, pasting with Ctrl+V or the Edit
// menu, dropping, an input method) it arrives as plain lines: every Enter is an ordinary line
// break, and pasted, dropped and committed text goes through cleanIncomingText. The line keys
// and the calculation pass then see the same lines as the screen. Ctrl+Y and
// Ctrl+Shift+Z both redo.
#include <QPlainTextEdit>

namespace quill {

class UndoBudget;

class SheetBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit SheetBox(QWidget* parent = nullptr);

    // An edit that would leave the box holding more than `lines` lines or `characters`
    // characters (typing, pasting, dropping, an input method's text) is refused: the box stays
    // as it was and refused() tells how large the text would have been. Set by the program;
    // setPlainText and edits through a cursor are the program's own and not checked.
    void setLimits(qsizetype lines, qsizetype characters);

    // The bound on the undo history; the program's own large edits (opening a file) make room
    // through it first.
    UndoBudget* undoBudget() const { return undoBudget_; }

signals:
    void refused(qsizetype lines, qsizetype characters);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // False (and refused() emitted) when `incoming` in place of the selection passes a limit;
    // else the undo history makes room for the edit.
    bool takes(const QString& incoming);

    UndoBudget* undoBudget_;
    qsizetype maxLines_ = -1; // -1: no limit
    qsizetype maxCharacters_ = -1;
};

// The text with cleanIncomingText applied (the same text when nothing needs cleaning).
QString cleanedForSheet(const QString& text);

} // namespace quill
