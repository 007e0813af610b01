// What each menu item of the main window does. Option state lives in the items' check marks,
// which Qt sets before an item's action runs; the exclusive items are kept so by their groups.
#include "keypad/keypad_panel.h"
#include "settings/program_folder.h"
#include "speech/phrases.h"
#include "widgets/desktop_open.h"
#include "widgets/file_paths.h"
#include "widgets/menu_commands.h"
#include "window/clipboard.h"
#include "window/frmMain.h"
#include "window/menu_help.h"
#include "window/sheet_files.h"
#include "window/window_api.h"

#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QUrl>

namespace quill {

using namespace Qt::StringLiterals;

namespace {

QString programFile(const char* name) {
    return fromPath(programFolder() / name);
}

bool programFileExists(const char* name) {
    return QFileInfo::exists(programFile(name));
}

// Connects a menu item to what it does; checkable items pass their new check mark.
template <class Item, class Slot>
void onItem(frmMain* window, const MenuArray<Item>& menu, Item item, Slot slot) {
    QObject::connect(menu.at(item), &QAction::triggered, window, slot);
}

// Without an opener on this desktop the status bar says so.
void openOnDesktop(frmMain& window, const QUrl& url) {
    if (!openWithDesktop(url))
        window.setStatusText(QStringLiteral("開くためのアプリケーションが見つかりません：") +
                             url.toDisplayString(QUrl::PreferLocalFile));
}

} // namespace

void frmMain::connectMenus() {
    // The menu help on the status bar is a hook of its own, installed last at start-up.
    connectEditMenu();
    connectFunctionMenu();
    connectViewMenu();
    connectOptionsMenu();
    connectHelpMenu();

    connect(menus_.opt.menu, &QMenu::aboutToShow, this,
            [this] { menus_.opt.at(OptItem::Talk)->setEnabled(speech_.available()); });
    connect(menus_.help.menu, &QMenu::aboutToShow, this, [this] {
        menus_.help.at(HelpItem::ReadMe)->setEnabled(programFileExists("ReadMe.txt"));
        menus_.help.at(HelpItem::Update)->setEnabled(programFileExists("update"));
    });
}

void frmMain::connectEditMenu() {
    using enum EditItem;
    const auto& m = menus_.edit;
    onItem(this, m, Copy, [this] {
        if (!sheet_->toPlainText().isEmpty()) putClipboardText(sheet_->toPlainText());
    });
    onItem(this, m, Paste, [this] {
        sheet_->paste();
        if (recalcOnEveryInput()) calculate();
    });
    onItem(this, m, PasteNumbers, [this] {
        pasteNumbersOnly(sheet_, getClipboardText());
        if (recalcOnEveryInput()) calculate();
    });
    onItem(this, m, ClearLine, [this] {
        clearLineKey();
        if (recalcOnEveryInput()) calculate();
    });
    onItem(this, m, Clear, [this] { clearKey(); });
    onItem(this, m, Open, [this] { openWithDialog(); });
    onItem(this, m, SaveAs, [this] { saveAsWithDialog(); });
    onItem(this, m, Print, [this] { printSheet(); });
}

void frmMain::connectFunctionMenu() {
    // A function item puts its function's name and bracket around the selection; the
    // separators and the two items below have actions of their own.
    for (const auto& [index, item] : menus_.func.items) {
        const auto name = static_cast<FuncItem>(index);
        if (item->isSeparator() || name == FuncItem::Rnd || name == FuncItem::UserFormulas)
            continue;
        QAction* a = item;
        connect(a, &QAction::triggered, this, [this, a] { insertFunctionCall(sheet_, a->text()); });
    }
    onItem(this, menus_.func, FuncItem::Rnd, [this] { replaceSelection(sheet_, u"RND"_s); });
    onItem(this, menus_.func, FuncItem::UserFormulas, [this] { showFormulaPicker(); });
}

void frmMain::connectViewMenu() {
    using enum ViewItem;
    const auto& m = menus_.view;
    onItem(this, m, StatusBar, [this](bool on) { showStatusBar(on); });
    // Unchecked, the window stays where it is.
    onItem(this, m, Centre, [this](bool on) {
        if (on) centreOnScreen(this);
    });
    onItem(this, m, OnTop, [this](bool on) { setTopmost(this, on); });
    // Only a change of size lays the keypad out again; places stay, so buttons may overlap
    // until they are reset or moved.
    for (ViewItem size : {SizeSmall, SizeMedium})
        connect(m.at(size), &QAction::toggled, this, [this, size](bool on) {
            if (on) keypad_->setButtonSize(size == SizeMedium);
        });
    onItem(this, m, MoveMode, [this](bool on) { showMoveMode(on); });
    onItem(this, m, ResetPositions, [this] { confirmAndResetPositions(); });
    onItem(this, m, HideKeypad, [this](bool hidden) { hideKeypad(hidden); });
    // All results are shown again in the new grouping.
    for (ViewItem grouping : {GroupThree, GroupFour, GroupUnits})
        onItem(this, m, grouping, [this] { calculate(); });
    onItem(this, m, ReadBack, [this] { toggleReadBack(); });
}

void frmMain::connectOptionsMenu() {
    // The recalculation items are check marks only: the calculation triggers read them.
    const auto& m = menus_.opt;
    onItem(this, m, OptItem::Talk, [this](bool on) { speech_.setTalking(on); });
    onItem(this, m, OptItem::Settings, [this] { showSettingsDialog(); });
    onItem(this, m, OptItem::UserFormulas, [this] { showFormulaEditor(); });
    // Unchecked, the kept sheet goes at the next close; checked again, it is kept from now.
    onItem(this, m, OptItem::KeepSheet, [this] { files_->keepSoon(); });
    onItem(this, m, OptItem::Faster, [this] { changeVoiceSpeed(+1); });
    onItem(this, m, OptItem::Slower, [this] { changeVoiceSpeed(-1); });
}

void frmMain::connectHelpMenu() {
    using enum HelpItem;
    const auto& m = menus_.help;
    onItem(this, m, ReadMe, [this] {
        if (!programFileExists("ReadMe.txt")) return;
        openOnDesktop(*this, QUrl::fromLocalFile(programFile("ReadMe.txt")));
        speech_.Speak(kReadMePhrase);
    });
    onItem(this, m, AuthorPage, [this] {
        openOnDesktop(*this, QUrl(authorWebPage()));
        speech_.Speak(kHomePagePhrase);
    });
    onItem(this, m, Version, [this] {
        speech_.Speak(versionPhrase());
        QMessageBox::information(this, title,
                                 title + QStringLiteral(" バージョン ") +
                                     QStringLiteral(QUILL_VERSION_TEXT));
    });
    // The updater runs on its own; the calculator neither waits for it nor closes.
    onItem(this, m, Update, [] {
        if (programFileExists("update")) QProcess::startDetached(programFile("update"), {});
    });
}

} // namespace quill
