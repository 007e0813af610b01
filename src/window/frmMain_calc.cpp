// The window half of a calculation pass and everything that starts one: the "=" key,
// Ctrl+Enter, key releases in the sheet by the recalculation option.
#include "widgets/results_column.h"
#include "window/deferred_call.h"
#include "window/frmMain.h"
#include "window/pass_announcer.h"
#include "window/results_writer.h"
#include "window/sheet_tracker.h"
#include "window/status_line.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <malloc.h>

namespace quill {

namespace {

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

constexpr Qt::KeyboardModifiers kShiftCtrlAlt =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

} // namespace

void frmMain::requestCalculation() {
    deferredPass_->request();
}

void frmMain::runCalculationPass() {
    // Whatever asked for a pass before this one is answered by it.
    deferredPass_->cancel();
    if (moveMode()) return;
    if (sheet_->document()->isEmpty()) {
        totalBox_->clear();
        resultsWriter_->clear();
        announcer_->announce(QString(), statusText());
        return;
    }
    auto* statusLine = static_cast<StatusLine*>(statusBar());
    statusLine->showBusy(QStringLiteral("計算中..."));
    calcBusy_ = true;
    PassUpdate pass = sheetTracker_->run(grouping(), resultsWriter_->inStep());
    if (!resultsWriter_->show(pass)) resultsWriter_->rewriteAll(sheetTracker_->resultTexts());
    // A pass over the whole column leaves much freed memory behind (a long sheet's lines);
    // it goes back to the system instead of staying with the program.
    if (pass.wholeColumn) malloc_trim(0);
    const QString total = QString::fromStdU16String(pass.total);
    if (totalBox_->text() != total) totalBox_->setText(total);
    if (!pass.phrase.empty()) speech_.SpeakResult(pass.phrase);
    alignResultsWithSheet();
    calcBusy_ = false;
    statusLine->endBusy();
    setStatusText(QStringLiteral("計算が完了しました"));
    announcer_->announce(total, statusText());
    sheet_->setFocus();
}

void frmMain::alignResultsWithSheet() {
    results_->verticalScrollBar()->setValue(sheet_->verticalScrollBar()->value());
}

// The sheet's calculation triggers by the recalculation option. The pass waits until what the
// key typed is painted; keys typed meanwhile share it.
void frmMain::onSheetKeyReleased(bool mayType, bool plainEnter) {
    // The key of a file command, pressed elsewhere: the command said how it went.
    if (commandKeyUp_) return;
    if (recalcOnEveryInput()) {
        if (mayType) requestCalculation();
    } else if (plainEnter && recalcOnEnter()) {
        requestCalculation();
    }
}

bool frmMain::onWindowKey(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & kShiftCtrlAlt;
    if (isEnter(key) && mods == Qt::ControlModifier) {
        calculate();
        return true;
    }
    if (key == Qt::Key_E && mods == Qt::ControlModifier) {
        clearLineKey();
        return true;
    }
    if (key == Qt::Key_Escape && mods == Qt::NoModifier) {
        clearKey();
        return true;
    }
    if (key == Qt::Key_Space && mods == Qt::ControlModifier) {
        showFormulaPicker();
        return true;
    }
    return false;
}

} // namespace quill
