#include "widgets/undo_budget.h"

#include <QTextDocument>

namespace quill {

UndoBudget::UndoBudget(QTextDocument* document) : QObject(document), document_(document) {
    connect(document, &QTextDocument::contentsChange, this, [this](int, int removed, int added) {
        if (document_->isUndoRedoEnabled()) held_ += removed + added;
    });
    connect(document, &QTextDocument::undoCommandAdded, this, [this] { held_ += kStepCost; });
}

void UndoBudget::makeRoomFor(qsizetype size) {
    if (held_ == 0 || held_ + size + kStepCost <= kBudget) return;
    // Switching the history off lets go of its steps and of the text only they referred to.
    document_->setUndoRedoEnabled(false);
    document_->setUndoRedoEnabled(true);
    held_ = 0;
}

} // namespace quill
