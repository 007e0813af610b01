#include "widgets/sheet_box.h"

#include "sheet/incoming_text.h"
#include "sheet/narrowing.h"
#include "widgets/redo_key.h"
#include "widgets/undo_budget.h"

#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace quill {

namespace {

std::u16string_view view(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())};
}

// Keys whose release never recalculates: modifiers, input-method switches, caret movement and
// the function keys other than F5.
bool isExemptKey(int key) {
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Henkan:
    case Qt::Key_Muhenkan:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_NumLock:
    case Qt::Key_Zenkaku_Hankaku:
    case Qt::Key_Zenkaku:
    case Qt::Key_Hankaku: return true;
    default: break;
    }
    return (key >= Qt::Key_F1 && key <= Qt::Key_F4) || (key >= Qt::Key_F6 && key <= Qt::Key_F16);
}

// Local files dragged from a file manager; a text dragged from elsewhere is left to the box.
QStringList droppedFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    return files;
}

} // namespace

SheetBox::SheetBox(QWidget* parent) : QPlainTextEdit(parent), undoBudget_(new UndoBudget(this)) {
    redoOnBothKeys(this);
}

void SheetBox::setLimits(qsizetype lines, qsizetype characters) {
    maxLines_ = lines;
    maxCharacters_ = characters;
}

bool SheetBox::takes(const QString& incoming) {
    const QTextCursor selection = textCursor();
    const QString selected = selection.selectedText(); // its line breaks are U+2029
    if (maxLines_ >= 0 && !incoming.isEmpty()) {
        const qsizetype lines = document()->blockCount() -
                                selected.count(QChar::ParagraphSeparator) + incoming.count(u'\n');
        const qsizetype characters =
            document()->characterCount() - 1 - selected.size() + incoming.size();
        if (lines > maxLines_ || characters > maxCharacters_) {
            emit refused(lines, characters);
            return false;
        }
    }
    undoBudget_->makeRoomFor(selected.size() + incoming.size());
    return true;
}

QString cleanedForSheet(const QString& text) {
    if (!needsCleaning(view(text))) return text;
    return QString::fromStdU16String(cleanIncomingText(view(text)));
}

// Shift+Enter would insert Qt's soft line break (U+2028), which the screen shows as a new line
// but the line keys do not count; Alt+Enter and the keypad's Enter are made plain too.
// Ctrl+Enter never arrives here: the window takes it for a calculation pass.
void SheetBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const QString typed = event->text();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool adds = enter || (!typed.isEmpty() && typed.at(0).isPrint());
    // Typing, Enter, BackSpace, Delete and Ctrl+X replace or remove the selection.
    const bool edits = adds || key == Qt::Key_Backspace || key == Qt::Key_Delete ||
                       event->matches(QKeySequence::Cut);
    if (edits && !takes(adds ? (enter ? QStringLiteral("\n") : typed) : QString())) {
        event->accept();
        return;
    }
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QKeyEvent plain(event->type(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"),
                        event->isAutoRepeat(), ushort(event->count()));
        QPlainTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    // A typed character that the pass narrows is an edit of its own, which the narrowing then
    // joins: one undo takes back both (typed text outside an edit cannot be joined).
    if (!typed.isEmpty() && narrowLine(view(typed)) != view(typed)) {
        QTextCursor edit = textCursor();
        edit.beginEditBlock();
        QPlainTextEdit::keyPressEvent(event);
        edit.endEditBlock();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void SheetBox::keyReleaseEvent(QKeyEvent* event) {
    // A held key repeats presses; only its final release counts.
    if (!event->isAutoRepeat()) {
        const int key = event->key();
        const bool plain =
            (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
        if (key == Qt::Key_F5) {
            if (plain) emit calculationKeyReleased();
        } else {
            emit keyReleased(!isExemptKey(key),
                             plain && (key == Qt::Key_Return || key == Qt::Key_Enter));
        }
    }
    QPlainTextEdit::keyReleaseEvent(event);
}

void SheetBox::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (!commit.isEmpty()) emit textCommitted();
    const QString clean = cleanedForSheet(commit);
    if (!takes(clean)) {
        QInputMethodEvent dropped(event->preeditString(), event->attributes());
        QPlainTextEdit::inputMethodEvent(&dropped);
        event->accept();
        return;
    }
    if (clean == commit) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent cleaned(event->preeditString(), event->attributes());
    cleaned.setCommitString(clean, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&cleaned);
    event->setAccepted(cleaned.isAccepted());
}

// Paste (Ctrl+V, the Edit menu) and drops both come here; only the text of the data is used.
void SheetBox::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) return;
    QMimeData plain;
    plain.setText(cleanedForSheet(source->text()));
    if (!takes(plain.text())) return;
    QPlainTextEdit::insertFromMimeData(&plain);
}

// The middle button opens the function menu instead of pasting the selection.
void SheetBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) return;
    QPlainTextEdit::mousePressEvent(event);
}

void SheetBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        emit functionMenuRequested(event->globalPosition().toPoint());
        return;
    }
    QPlainTextEdit::mouseReleaseEvent(event);
}

void SheetBox::dragEnterEvent(QDragEnterEvent* event) {
    if (droppedFiles(event->mimeData()).isEmpty()) return QPlainTextEdit::dragEnterEvent(event);
    event->acceptProposedAction();
}

void SheetBox::dragMoveEvent(QDragMoveEvent* event) {
    if (droppedFiles(event->mimeData()).isEmpty()) return QPlainTextEdit::dragMoveEvent(event);
    event->acceptProposedAction();
}

void SheetBox::dropEvent(QDropEvent* event) {
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty()) return QPlainTextEdit::dropEvent(event);
    event->acceptProposedAction();
    // The file manager waits for the drop to finish; the question about unsaved edits and the
    // reading come after.
    QMetaObject::invokeMethod(
        this, [this, files] { emit filesDropped(files); }, Qt::QueuedConnection);
}

} // namespace quill
