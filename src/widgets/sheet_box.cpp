#include "widgets/sheet_box.h"

#include "sheet/incoming_text.h"
#include "sheet/narrowing.h"
#include "widgets/redo_key.h"
#include "widgets/undo_budget.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace quill {

namespace {

std::u16string_view view(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())};
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
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool adds = enter || (!event->text().isEmpty() && event->text().at(0).isPrint());
    // Typing, Enter, BackSpace, Delete and Ctrl+X replace or remove the selection.
    const bool edits = adds || key == Qt::Key_Backspace || key == Qt::Key_Delete ||
                       event->matches(QKeySequence::Cut);
    if (edits && !takes(adds ? (enter ? QStringLiteral("\n") : event->text()) : QString())) {
        event->accept();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QKeyEvent plain(event->type(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"),
                        event->isAutoRepeat(), ushort(event->count()));
        QPlainTextEdit::keyPressEvent(&plain);
        event->setAccepted(plain.isAccepted());
        return;
    }
    // A typed character that the pass narrows is an edit of its own, which the narrowing then
    // joins: one undo takes back both (typed text outside an edit cannot be joined).
    const QString typed = event->text();
    if (!typed.isEmpty() && narrowLine(view(typed)) != view(typed)) {
        QTextCursor edit = textCursor();
        edit.beginEditBlock();
        QPlainTextEdit::keyPressEvent(event);
        edit.endEditBlock();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void SheetBox::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
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

} // namespace quill
