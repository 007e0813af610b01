#pragma once
// The sheet's edit box. Whatever way text comes in (typing, pasting with Ctrl+V or the Edit
// menu, dropping, an input method) it arrives as plain lines: every Enter is an ordinary line
// break, and pasted, dropped and committed text goes through cleanIncomingText. The line keys
// and the calculation pass then see the same lines as the screen. Ctrl+Y and
// Ctrl+Shift+Z both redo.
//
// The box tells what happened through its signals and leaves the answer to its owner: keys let
// go (whether they may have typed something), text committed by an input method, the middle
// button (which would otherwise paste the selection) and files dropped from a file manager
// (dragged text is taken as text).
#include <QPlainTextEdit>
#include <QStringList>

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
    // F5 let go without Shift, Ctrl or Alt.
    void calculationKeyReleased();
    // Any other key let go (held keys count once, at their last release). `mayType` is false
    // for the keys that never change the text: modifiers, input-method switches, caret
    // movement and the function keys; `plainEnter` for Enter without Shift, Ctrl or Alt.
    void keyReleased(bool mayType, bool plainEnter);
    // An input method committed text.
    void textCommitted();
    void functionMenuRequested(QPoint globalPos);
    // Local files dropped on the box, told once the drop has finished.
    void filesDropped(const QStringList& paths);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

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
