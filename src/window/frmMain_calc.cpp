// The window half of a calculation pass and everything that starts one: the "=" key,
// Ctrl+Enter, F5, key releases in the sheet by the recalculation option.
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

bool frmMain::onSheetKeyRelease(QKeyEvent* event) {
    // A held key repeats presses; only its final release counts.
    if (event->isAutoRepeat()) return false;
    const int key = event->key();
    const bool plain = (event->modifiers() & kShiftCtrlAlt) == 0;
    // The key of a file command, pressed elsewhere: the command said how it went.
    if (commandKeyUp_) return false;
    // The pass waits until what the key typed is painted; keys typed meanwhile share it.
    if (key == Qt::Key_F5) {
        if (plain) requestCalculation();
    } else if (recalcOnEveryInput()) {
        if (!isExemptKey(key)) requestCalculation();
    } else if (isEnter(key) && recalcOnEnter() && plain) {
        requestCalculation();
    }
    return false;
}

bool frmMain::onWindowKey(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & kShiftCtrlAlt;
    if (isEnter(key) && mods == Qt::ControlModifier) {
        calculate();
        return true;
    }
    if (key == Qt::Key_E && mods == Qt::ControlModifier) {
        cmdMenu_Click(1);
        return true;
    }
    if (key == Qt::Key_Escape && mods == Qt::NoModifier) {
        cmdMenu_Click(2);
        return true;
    }
    if (key == Qt::Key_Space && mods == Qt::ControlModifier) {
        showFormulaPicker();
        return true;
    }
    return false;
}

} // namespace quill
