#include "widgets/undo_budget.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextDocument>

namespace quill {

UndoBudget::UndoBudget(QPlainTextEdit* box) : QObject(box), box_(box), document_(box->document()) {
    connect(document_, &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (document_->isUndoRedoEnabled()) held_ += removed + added;
    });
    connect(document_, &QTextDocument::undoCommandAdded, this, [this] { held_ += kStepCost; });
}

void UndoBudget::makeRoomFor(qsizetype size) {
    if (held_ == 0 || held_ + size + kStepCost <= kBudget) return;
    letGo();
    held_ = 0;
}

// The same text in a fresh buffer without history; caret, selection and scroll position stay.
// The document's listeners (the pass, the kept sheet, the unsaved mark) hear nothing: for them
// nothing changed.
void UndoBudget::letGo() {
    const QTextCursor caret = box_->textCursor();
    const int anchor = caret.anchor(), position = caret.position();
    const int scrolled = box_->verticalScrollBar()->value();
    const int across = box_->horizontalScrollBar()->value();
    {
        const QSignalBlocker quiet(document_);
        document_->setPlainText(document_->toPlainText());
    }
    QTextCursor restored(document_);
    restored.setPosition(anchor);
    restored.setPosition(position, QTextCursor::KeepAnchor);
    box_->setTextCursor(restored);
    box_->verticalScrollBar()->setValue(scrolled);
    box_->horizontalScrollBar()->setValue(across);
}

} // namespace quill
