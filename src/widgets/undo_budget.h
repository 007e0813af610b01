#pragma once
// A bound on what the sheet's undo history holds. The editor keeps every step's text and one
// record per line it touched for as long as the history lasts, so a long session of large
// pastes and clears grew by megabytes a minute. Each step is counted by the characters it
// inserted and removed plus a fixed cost per step; before a step that would pass the budget
// the older history is let go (the editor can only let go of all of it), so the newest step,
// however large (an opened file, a paste, a cleared sheet), can always be taken back, and so
// can every small edit since. Letting go of the steps alone frees little: the editor keeps all
// text ever inserted in one buffer while its history is on, so the text is put back into a
// fresh buffer, unchanged, without telling anyone who listens to the document's changes.
#include <QObject>

class QPlainTextEdit;
class QTextDocument;

namespace quill {

class UndoBudget : public QObject {
public:
    // Characters (with kStepCost for each step) the history may hold before it is let go.
    static constexpr qsizetype kBudget = 1'000'000;
    static constexpr qsizetype kStepCost = 32;

    explicit UndoBudget(QPlainTextEdit* box);

    // Called before an edit that inserts and removes `size` characters in all: lets the
    // history go first when the edit would pass the budget.
    void makeRoomFor(qsizetype size);
    qsizetype held() const { return held_; }

private:
    void letGo();

    QPlainTextEdit* box_;
    QTextDocument* document_;
    qsizetype held_ = 0;
};

} // namespace quill
