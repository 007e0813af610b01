// The menu items of the main window. Option state lives in the items' check marks: a handler
// flips the mark itself, so start-up can run a handler just as a click does.
#include "keypad/keypad_panel.h"
#include "settings/program_folder.h"
#include "speech/phrases.h"
#include "widgets/desktop_open.h"
#include "widgets/file_paths.h"
#include "widgets/menu_commands.h"
#include "window/clipboard.h"
#include "window/frmMain.h"
#include "window/menu_help.h"
#include "window/window_api.h"

#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QUrl>

namespace quill {

namespace {

QString programFile(const char* name) {
    return fromPath(programFolder() / name);
}

bool programFileExists(const char* name) {
    return QFileInfo::exists(programFile(name));
}

void toggle(const MenuArray& menu, int index) {
    if (QAction* a = menu.at(index)) a->setChecked(!a->isChecked());
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
    for (const auto& [array, id] : menus_.all()) {
        for (const auto& [index, action] : array->items) {
            QAction* a = action;
            const int i = index;
            const MenuId menu = id;
            connect(a, &QAction::triggered, this, [this, a, i, menu] {
                // Qt has already flipped a checkable item; the handlers flip it themselves.
                if (a->isCheckable()) a->setChecked(!a->isChecked());
                switch (menu) {
                case MenuId::Edit: mnuEditItem_Click(i); break;
                case MenuId::Func: mnuFuncItem_Click(i); break;
                case MenuId::View: mnuViewItem_Click(i); break;
                case MenuId::Opt: mnuOptItem_Click(i); break;
                case MenuId::Help: mnuHelpItem_Click(i); break;
                }
            });
        }
    }

    connect(menus_.opt.menu, &QMenu::aboutToShow, this,
            [this] { menus_.opt.at(13)->setEnabled(speech_.available()); });
    connect(menus_.help.menu, &QMenu::aboutToShow, this, [this] {
        menus_.help.at(0)->setEnabled(programFileExists("ReadMe.txt"));
        menus_.help.at(99)->setEnabled(programFileExists("update"));
    });
}

void frmMain::mnuEditItem_Click(int index) {
    switch (index) {
    case 0:
        if (!sheet_->toPlainText().isEmpty()) putClipboardText(sheet_->toPlainText());
        return;
    case 1: sheet_->paste(); break;
    case 2: pasteNumbersOnly(sheet_, getClipboardText()); break;
    case 6: cmdMenu_Click(1); break;
    case 7: cmdMenu_Click(2); return;
    case kEditItemOpen: openWithDialog(); return;
    case kEditItemSaveAs: saveAsWithDialog(); return;
    case kEditItemPrint: printSheet(); return;
    default: return;
    }
    if (recalcOnEveryInput()) calculate();
}

void frmMain::mnuFuncItem_Click(int index) {
    QAction* item = menus_.func.at(index);
    if (!item || item->isSeparator()) return;
    if (index == kFuncItemUserFormulas) {
        showFormulaPicker();
        return;
    }
    insertFunctionItem(sheet_, index, item->text());
}

void frmMain::mnuViewItem_Click(int index) {
    switch (index) {
    case 0: toggleStatusBar(); break;
    case 1:
        toggle(menus_.view, 1);
        if (menus_.view.isChecked(1)) centreOnScreen(this);
        break;
    case 2:
        toggle(menus_.view, 2);
        setTopmost(this, menus_.view.isChecked(2));
        break;
    case 4:
    case 5: setButtonSize(index); break;
    case 8: toggleMoveMode(); break;
    case 9: confirmAndResetPositions(); break;
    case 10: toggleKeypadHidden(); break;
    case 12:
    case 13:
    case 14: toggleGrouping(index); break;
    case kViewItemReadBack: toggleReadBack(); break;
    default: break;
    }
}

void frmMain::toggleGrouping(int item) {
    toggle(menus_.view, item);
    for (int other : {12, 13, 14})
        if (other != item) menus_.view.setChecked(other, false);
    // All results are shown again in the new grouping.
    calculate();
}

void frmMain::mnuOptItem_Click(int index) {
    switch (index) {
    case 7:
    case 8:
        toggle(menus_.opt, index);
        menus_.opt.setChecked(index == 7 ? 8 : 7, false);
        break;
    case 13:
        toggle(menus_.opt, 13);
        speech_.setTalking(menus_.opt.isChecked(13));
        break;
    case 15: showSettingsDialog(); break;
    case 17: showFormulaEditor(); break;
    case kOptItemKeepSheet:
        // Unchecked, the kept sheet goes at the next close; checked again, it is kept from now.
        toggle(menus_.opt, kOptItemKeepSheet);
        keepSheetSoon();
        break;
    default: break;
    }
}

void frmMain::mnuHelpItem_Click(int index) {
    switch (index) {
    case 0:
        if (!programFileExists("ReadMe.txt")) return;
        openOnDesktop(*this, QUrl::fromLocalFile(programFile("ReadMe.txt")));
        speech_.Speak(kReadMePhrase);
        break;
    case 1:
        openOnDesktop(*this, QUrl(authorWebPage()));
        speech_.Speak(kHomePagePhrase);
        break;
    case 2:
        speech_.Speak(versionPhrase());
        QMessageBox::information(this, title,
                                 title + QStringLiteral(" バージョン ") +
                                     QStringLiteral(QUILL_VERSION_TEXT));
        break;
    case 99:
        // The updater runs on its own; the calculator neither waits for it nor closes.
        if (programFileExists("update")) QProcess::startDetached(programFile("update"), {});
        break;
    default: break;
    }
}

} // namespace quill
