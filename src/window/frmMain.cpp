#include "window/frmMain.h"

#include "keypad/button_mover.h"
#include "keypad/keypad_keyboard.h"
#include "keypad/keypad_look.h"
#include "keypad/keypad_panel.h"
#include "widgets/results_column.h"
#include "widgets/sheet_box.h"
#include "widgets/sheet_editing.h"
#include "widgets/total_box.h"
#include "window/deferred_call.h"
#include "window/dialog_focus.h"
#include "window/divider.h"
#include "window/pass_announcer.h"
#include "window/results_writer.h"
#include "window/sheet_files.h"
#include "window/sheet_tracker.h"
#include "window/status_line.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>

namespace quill {

namespace {

template <class Box> Box* nameBox(Box* box, const QString& name, const QString& accessible) {
    box->setObjectName(name);
    box->setAccessibleName(accessible);
    return box;
}

QPlainTextEdit* makeSheetBox(QPlainTextEdit* box) {
    nameBox(box, QStringLiteral("txt0"), QStringLiteral("計算部"));
    // One text line per sheet line: the sheet and the results column line up only without
    // wrapping.
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setWordWrapMode(QTextOption::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setTabChangesFocus(true);
    return box;
}

} // namespace

frmMain::frmMain(std::unique_ptr<SpeechOutput> speechOutput, QWidget* parent)
    : QMainWindow(parent), speech_(std::move(speechOutput)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(title);
    menus_ = buildMainMenus(menuBar());
    buildWidgets();
    buildKeypad();
    connectMenus();
    connectDocument();
    connectSheetBox();
    connectReadBack();
    Form_Load();
}

frmMain::~frmMain() {
    // The boxes outlive this object's own part of the destruction; stop watching them first.
    for (QObject* o : watchedBoxes()) o->removeEventFilter(this);
}

void frmMain::buildWidgets() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    setCentralWidget(client_);

    sheet_ = new SheetBox(client_);
    makeSheetBox(sheet_);
    // The results are written by the calculation pass alone; the user may select and copy.
    results_ =
        nameBox(new ResultsColumn(client_), QStringLiteral("txt2"), QStringLiteral("各行の結果"));
    resultsWriter_ = std::make_unique<ResultsWriter>(results_);
    sheetTracker_ = new SheetTracker(sheet_);
    deferredPass_ = new DeferredCall(this, [this] { calculate(); });

    announcer_ = std::make_unique<PassAnnouncer>(sheet_);
    totalBox_ = new TotalBox(client_);
    totalBox_->setObjectName(QStringLiteral("txt1"));
    totalBox_->setAccessibleName(QStringLiteral("合計"));
    totalBox_->setReadOnly(true);

    divider_ = new Divider(client_);
    underline_ = new QWidget(client_);
    underline_->setObjectName(QStringLiteral("pic2"));
    underline_->setAutoFillBackground(true);
    underline_->setAttribute(Qt::WA_TransparentForMouseEvents);
    underline_->setGeometry(1, 0, 10, 1);

    // The results column lies over the sheet's scroll bar; divider and underline on top.
    results_->raise();
    divider_->raise();
    underline_->raise();

    for (QObject* o : watchedBoxes()) o->installEventFilter(this);
    qApp->installEventFilter(new DialogFocusReturn(this));

    connect(divider_, &Divider::dragStarted, this, [this] { setDividerDragging(true); });
    connect(divider_, &Divider::dragged, this, &frmMain::dragDivider);
    connect(divider_, &Divider::dragEnded, this, [this] {
        setDividerDragging(false);
        sheet_->setFocus();
    });

    setStatusBar(new StatusLine(this));
    statusBar()->setObjectName(QStringLiteral("st"));
    statusBar()->setSizeGripEnabled(true);
    setFocusProxy(sheet_);
}

void frmMain::buildKeypad() {
    keypad_ = new KeypadPanel(client_);
    copyButton_ = new KeypadButton(KeyArray::Menu, keyIndex(MenuKey::CopyResult), client_);
    copyButton_->setObjectName(QStringLiteral("cmdMenu_%1").arg(keyIndex(MenuKey::CopyResult)));
    mover_ = new ButtonMover(
        keypad_, [this] { return moveMode(); }, this);
    for (KeypadButton* b : keypad_->buttons()) mover_->watch(b);
    mover_->watch(copyButton_);
    connectKeys();
    connect(mover_, &ButtonMover::viewMenuRequested, this,
            [this](QPoint at) { menus_.view.menu->popup(at); });
    connect(keypad_, &KeypadPanel::optionsMenuRequested, this,
            [this](QPoint at) { menus_.opt.menu->popup(at); });
    connect(keypad_, &KeypadPanel::clicked, this, [this] { sheet_->setFocus(); });
    new KeypadKeyboard(this, keypad_, sheet_, {copyButton_});
    new KeypadLook(keypad_, {copyButton_});
}

QWidget* frmMain::txt(int index) const {
    switch (index) {
    case 0: return sheet_;
    case 1: return totalBox_;
    case 2: return results_;
    default: return nullptr;
    }
}

QWidget* frmMain::pic(int index) const {
    switch (index) {
    case 0: return keypad_;
    case 1: return divider_;
    case 2: return underline_;
    default: return nullptr;
    }
}

QStatusBar* frmMain::st() const {
    return statusBar();
}

KeypadButton* frmMain::cmdNum(NumKey key) const {
    return keypad_->button(key);
}
KeypadButton* frmMain::cmdOp(OpKey key) const {
    return keypad_->button(key);
}
KeypadButton* frmMain::cmdMenu(MenuKey key) const {
    return key == MenuKey::CopyResult ? copyButton_ : keypad_->button(key);
}

QString frmMain::statusText() const {
    return statusBar()->currentMessage();
}
void frmMain::setStatusText(const QString& text) {
    // The same text again would only repeat the bar's accessibility events.
    if (statusBar()->currentMessage() != text) statusBar()->showMessage(text);
}

Grouping frmMain::grouping() const {
    if (menus_.view.isChecked(ViewItem::GroupThree)) return Grouping::Three;
    if (menus_.view.isChecked(ViewItem::GroupFour)) return Grouping::Four;
    if (menus_.view.isChecked(ViewItem::GroupUnits)) return Grouping::Units;
    return Grouping::None;
}

void frmMain::insertText(const QString& text) {
    insertSheetText(sheet_, text);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == client_ && type == QEvent::Resize) {
        placeKeypadPanel();
        Form_Resize();
        return false;
    }
    // A click on the window's own background sends the keyboard back to the sheet.
    if (watched == client_ && type == QEvent::MouseButtonRelease) {
        sheet_->setFocus();
        return false;
    }
    if (type == QEvent::KeyPress) {
        if (watched == sheet_) commandKeyUp_ = false;
        return onWindowKey(static_cast<QKeyEvent*>(event));
    }
    return QMainWindow::eventFilter(watched, event);
}

// The window keys are seen in every box before the box handles them.
std::array<QObject*, 4> frmMain::watchedBoxes() const {
    return {client_, sheet_, totalBox_, results_};
}

void frmMain::connectSheetBox() {
    SheetBox* box = sheet_;
    connect(box, &SheetBox::calculationKeyReleased, this, [this] {
        if (!commandKeyUp_) requestCalculation();
    });
    connect(box, &SheetBox::keyReleased, this, &frmMain::onSheetKeyReleased);
    // Text committed by an input method arrives without key releases of its own; the pass
    // runs once the sheet has taken the text.
    connect(box, &SheetBox::textCommitted, this, [this] {
        if (recalcOnEveryInput()) requestCalculation();
    });
    connect(box, &SheetBox::functionMenuRequested, menus_.func.menu,
            [this](QPoint at) { menus_.func.menu->popup(at); });
    connect(box, &SheetBox::filesDropped, files_, &SheetFiles::openDropped);
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    sheet_->setFocus();
}

} // namespace quill
