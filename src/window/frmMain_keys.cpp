// What each keypad key does to the sheet. In move mode the keys do nothing at all: the
// buttons are being dragged instead.
#include "speech/phrases.h"
#include "widgets/sheet_editing.h"
#include "window/clipboard.h"
#include "window/frmMain.h"
#include "window/pass_announcer.h"
#include "window/results_writer.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace quill {

namespace {
const QString kPi = QStringLiteral("3.14159265358979");
const QString kNewLine = QStringLiteral("\n");
} // namespace

void frmMain::speakKey(KeyArray array, int index) {
    switch (array) {
    case KeyArray::Num: speech_.Speak(numKeyPhrase(index)); break;
    case KeyArray::Op: speech_.Speak(opKeyPhrase(index)); break;
    case KeyArray::Menu: speech_.Speak(menuKeyPhrase(index)); break;
    }
}

void frmMain::sendKey(int key) {
    // Posted like typed keys, so the sheet's key-release triggers see them too.
    sheet_->setFocus();
    QCoreApplication::postEvent(sheet_, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    QCoreApplication::postEvent(sheet_, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}

void frmMain::cmdNum_Click(int index) {
    if (moveMode()) return;
    QString text = keyCaption(KeyArray::Num, index);
    if (index == 64) text = QStringLiteral("&H"); // the caption's "＆" is full-width
    if (text.isEmpty()) return;
    insertText(text);
    speakKey(KeyArray::Num, index);
    if (recalcOnEveryInput()) requestCalculation();
    sheet_->setFocus();
}

void frmMain::cmdOp_Click(int index) {
    if (moveMode()) return;
    switch (index) {
    case 1: runCalculationPass(); break;
    case 0:
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
        insertText(QLatin1Char(' ') + keyCaption(KeyArray::Op, index) + QLatin1Char(' '));
        break;
    case 2: insertText(QStringLiteral(" + ")); break;
    case 3: insertText(QStringLiteral(" - ")); break;
    case 4: insertText(QStringLiteral(" * ")); break;
    case 5: insertText(QStringLiteral(" / ")); break;
    case 11:
        wrapOrInsert(sheet_, QStringLiteral("SQR("), QStringLiteral(")"), QStringLiteral("SQR("));
        break;
    case 12: insertText(kPi); break;
    case 13:
        wrapOrInsert(sheet_, QStringLiteral("("), QStringLiteral(")"), QStringLiteral("("));
        break;
    case 14:
        wrapOrInsert(sheet_, QStringLiteral("("), QStringLiteral(")"), QStringLiteral(")"));
        break;
    case 15: sendKey(Qt::Key_Left); break;
    case 16: sendKey(Qt::Key_Right); break;
    case 17: sendKey(Qt::Key_Up); break;
    case 18: sendKey(Qt::Key_Down); break;
    default: return;
    }
    if (index != 1) speakKey(KeyArray::Op, index);
    // "π" and ")" complete a number or an expression; the other operators leave it open.
    if ((index == 12 || index == 14) && recalcOnEveryInput()) requestCalculation();
    sheet_->setFocus();
}

void frmMain::cmdMenu_Click(int index) {
    if (moveMode()) return;
    switch (index) {
    case 0: sendKey(Qt::Key_Backspace); break;
    case 1:
        deleteCaretLine(sheet_);
        // The line's value leaves the total: with recalculation on every input the total
        // follows at once, as after Back, Del and the menu's line clearing.
        if (recalcOnEveryInput()) requestCalculation();
        break;
    case 2: clearAll(); break;
    case 3: caretToLineStart(sheet_); break;
    case 4: caretToLineEnd(sheet_); break;
    case 5:
        insertText(kNewLine);
        sheet_->setFocus();
        // With recalculation on Enter the result is spoken instead of the key.
        if (recalcOnEnter())
            runCalculationPass();
        else
            speakKey(KeyArray::Menu, 5);
        TextBoxCaretPosChange();
        return;
    case 6: insertText(QStringLiteral(" ")); break;
    case 7: sendKey(Qt::Key_Delete); break;
    case 10: copyResult(); return;
    default: return; // "日時" has no action
    }
    speakKey(KeyArray::Menu, index);
    sheet_->setFocus();
}

void frmMain::clearAll() {
    // Emptying through an edit keeps the sheet's undo: Ctrl+Z brings a cleared sheet back.
    QTextCursor cursor = sheet_->textCursor();
    cursor.select(QTextCursor::Document);
    cursor.removeSelectedText();
    sheet_->setTextCursor(cursor);
    totalBox_->clear();
    resultsWriter_->clear();
    sheet_->setFocus();
    setStatusText(QString());
    // The sheet no longer describes a total it does not show.
    announcer_->announce(QString(), QString());
}

void frmMain::copyResult() {
    const QString total = totalBox_->text();
    if (total.isEmpty()) return;
    putClipboardText(total);
    speakKey(KeyArray::Menu, 10);
    setStatusText(QStringLiteral("演算結果をコピーしました"));
}

} // namespace quill
