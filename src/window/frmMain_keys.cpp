// What each keypad key does to the sheet. In move mode the keys do nothing at all: the
// buttons are being dragged instead.
#include "keypad/keypad_button.h"
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
#include <QPushButton>

namespace quill {

using namespace Qt::StringLiterals;

namespace {
const QString kPi = QStringLiteral("3.14159265358979");
const QString kNewLine = QStringLiteral("\n");
constexpr bool kCompletesInput = true;
} // namespace

void frmMain::connectKeys() {
    for (int index : keyIndices(KeyArray::Num)) {
        const auto key = static_cast<NumKey>(index);
        connect(cmdNum(key), &QPushButton::clicked, this, [this, key] { onNumKey(key); });
    }

    using enum OpKey;
    connect(cmdOp(Equals), &QPushButton::clicked, this, &frmMain::calculate);
    // Operators go in with a blank on each side.
    for (OpKey key : {Mod, Plus, Minus, Times, Divide, And, Or, Xor, Power, Not})
        onOpKey(key, [this, key] { insertText(u' ' + keyCaption(key) + u' '); });
    onOpKey(Sqrt, [this] { wrapOrInsert(sheet_, u"SQR("_s, u")"_s, u"SQR("_s); });
    // "π" and ")" complete a number or an expression; the other operators leave it open.
    onOpKey(Pi, kCompletesInput, [this] { insertText(kPi); });
    onOpKey(OpenBracket, [this] { wrapOrInsert(sheet_, u"("_s, u")"_s, u"("_s); });
    onOpKey(CloseBracket, kCompletesInput,
            [this] { wrapOrInsert(sheet_, u"("_s, u")"_s, u")"_s); });
    onOpKey(Left, [this] { sendKey(Qt::Key_Left); });
    onOpKey(Right, [this] { sendKey(Qt::Key_Right); });
    onOpKey(Up, [this] { sendKey(Qt::Key_Up); });
    onOpKey(Down, [this] { sendKey(Qt::Key_Down); });

    // "日時" has no action.
    onMenuKey(MenuKey::Back, [this] { sendKey(Qt::Key_Backspace); });
    connect(cmdMenu(MenuKey::ClearLine), &QPushButton::clicked, this, &frmMain::clearLineKey);
    connect(cmdMenu(MenuKey::Clear), &QPushButton::clicked, this, &frmMain::clearKey);
    onMenuKey(MenuKey::Home, [this] { caretToLineStart(sheet_); });
    onMenuKey(MenuKey::End, [this] { caretToLineEnd(sheet_); });
    connect(cmdMenu(MenuKey::NewLine), &QPushButton::clicked, this, &frmMain::newLineKey);
    onMenuKey(MenuKey::Space, [this] { insertText(u" "_s); });
    onMenuKey(MenuKey::Delete, [this] { sendKey(Qt::Key_Delete); });
    connect(cmdMenu(MenuKey::CopyResult), &QPushButton::clicked, this, [this] {
        if (!moveMode()) copyResult();
    });
}

void frmMain::speakKey(NumKey key) {
    speech_.Speak(numKeyPhrase(keyIndex(key)));
}
void frmMain::speakKey(OpKey key) {
    speech_.Speak(opKeyPhrase(keyIndex(key)));
}
void frmMain::speakKey(MenuKey key) {
    speech_.Speak(menuKeyPhrase(keyIndex(key)));
}

void frmMain::sendKey(int key) {
    // Posted like typed keys, so the sheet's key-release triggers see them too.
    sheet_->setFocus();
    QCoreApplication::postEvent(sheet_, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    QCoreApplication::postEvent(sheet_, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
}

void frmMain::recalculateAfterInput() {
    if (recalcOnEveryInput()) requestCalculation();
}

void frmMain::calculate() {
    if (moveMode()) return;
    runCalculationPass();
    sheet_->setFocus();
}

void frmMain::onNumKey(NumKey key) {
    if (moveMode()) return;
    // The caption's "＆" is full-width; the sheet takes the half-width one.
    insertText(key == NumKey::HexPrefix ? u"&H"_s : keyCaption(key));
    speakKey(key);
    recalculateAfterInput();
    sheet_->setFocus();
}

void frmMain::onOpKey(OpKey key, std::function<void()> edit) {
    onOpKey(key, false, std::move(edit));
}

void frmMain::onOpKey(OpKey key, bool completesInput, std::function<void()> edit) {
    connect(cmdOp(key), &QPushButton::clicked, this, [this, key, edit, completesInput] {
        if (moveMode()) return;
        edit();
        speakKey(key);
        if (completesInput) recalculateAfterInput();
        sheet_->setFocus();
    });
}

void frmMain::onMenuKey(MenuKey key, std::function<void()> edit) {
    connect(cmdMenu(key), &QPushButton::clicked, this, [this, key, edit] {
        if (moveMode()) return;
        edit();
        speakKey(key);
        sheet_->setFocus();
    });
}

void frmMain::clearLineKey() {
    if (moveMode()) return;
    deleteCaretLine(sheet_);
    // The line's value leaves the total: with recalculation on every input the total follows
    // at once, as after Back, Del and the menu's line clearing.
    recalculateAfterInput();
    speakKey(MenuKey::ClearLine);
    sheet_->setFocus();
}

void frmMain::clearKey() {
    if (moveMode()) return;
    clearAll();
    speakKey(MenuKey::Clear);
    sheet_->setFocus();
}

void frmMain::newLineKey() {
    if (moveMode()) return;
    insertText(kNewLine);
    sheet_->setFocus();
    // With recalculation on Enter the result is spoken instead of the key.
    if (recalcOnEnter())
        runCalculationPass();
    else
        speakKey(MenuKey::NewLine);
    TextBoxCaretPosChange();
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
    speakKey(MenuKey::CopyResult);
    setStatusText(QStringLiteral("演算結果をコピーしました"));
}

} // namespace quill
