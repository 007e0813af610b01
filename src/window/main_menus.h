#pragma once
// The five menus of the main window with every item at its element index: captions,
// separators, hidden items and which items carry a check mark.
#include "window/menu_array.h"
#include "window/menu_help.h"

#include <array>
#include <utility>

#include <QMenuBar>

namespace quill {

// The sheet as a document: Edit menu items "開く(&O)..." and "名前を付けて保存(&A)...", and the
// Options menu item "計算部を保持(&S)".
constexpr int kEditItemOpen = 9;
constexpr int kEditItemSaveAs = 10;
inline constexpr int kEditItemPrint = 11; // "印刷(&P)...", Ctrl+P
constexpr int kOptItemKeepSheet = 19;
// The voice one step faster or slower: "速く話す(&R)" (Ctrl+Shift+Up), "ゆっくり話す(&W)"
// (Ctrl+Shift+Down), at the end of the Options menu.
inline constexpr int kOptItemFaster = 20;
inline constexpr int kOptItemSlower = 21;
inline constexpr int kViewItemReadBack = 16; // "読み上げ(&Y)", F6

struct MainMenus {
    MenuArray edit; // mnuEdit / mnuEditItem
    MenuArray func; // mnuFunc / mnuFuncItem
    MenuArray view; // mnuView / mnuViewItem
    MenuArray opt;  // mnuOpt / mnuOptItem
    MenuArray help; // mnuHelp / mnuHelpItem

    // The five menus with their ids, in menu-bar order.
    std::array<std::pair<const MenuArray*, MenuId>, 5> all() const {
        return {{{&edit, MenuId::Edit},
                 {&func, MenuId::Func},
                 {&view, MenuId::View},
                 {&opt, MenuId::Opt},
                 {&help, MenuId::Help}}};
    }
};

// Builds the menus in menu-bar order on the given bar.
MainMenus buildMainMenus(QMenuBar* bar);

} // namespace quill
