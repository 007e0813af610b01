// The main window's hooks: the menu help on the status bar, and the links that keep the sheet
// and the results column scrolled together with the underline on the caret's line. They are
// the last thing the load sequence installs and the first thing the close sequence removes,
// so a load that stopped early (a bad stored button list) runs without them.
#include "widgets/results_column.h"
#include "window/frmMain.h"
#include "window/menu_help.h"

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStatusBar>

namespace quill {

void frmMain::installHooks() {
    if (hooksInstalled_) return;
    auto* help = new MenuHelp(statusBarSink(statusBar()), this);
    for (const auto& [array, id] : menus_.all()) {
        for (const auto& [index, action] : array->items) help->registerItem(action, id, index);
        help->watchMenu(array->menu, id);
    }
    help->watchMenuBar(menuBar());
    menuHelp_ = help;
    connectScrollSync();
    hooksInstalled_ = true;
}

void frmMain::removeHooks() {
    if (!hooksInstalled_) return;
    // Deleting the menu help takes its event filters and connections with it.
    delete menuHelp_;
    disconnect(sheet_->verticalScrollBar(), &QScrollBar::valueChanged, this, nullptr);
    disconnect(results_->verticalScrollBar(), &QScrollBar::valueChanged, this, nullptr);
    disconnect(sheet_, &QPlainTextEdit::cursorPositionChanged, this, nullptr);
    disconnect(sheet_, &QPlainTextEdit::updateRequest, this, nullptr);
    hooksInstalled_ = false;
}

} // namespace quill
