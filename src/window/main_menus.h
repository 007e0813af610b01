#pragma once
// The five menus of the main window with every item at its element index: captions,
// separators, hidden items and which items carry a check mark. The recalculation items and the
// grouping items each allow at most one check mark; the two button sizes exactly one once
// either is chosen.
#include "window/menu_array.h"
#include "window/menu_help.h"

#include <array>
#include <utility>

#include <QMenuBar>

namespace quill {

struct MainMenus {
    MenuArray<EditItem> edit; // mnuEdit / mnuEditItem
    MenuArray<FuncItem> func; // mnuFunc / mnuFuncItem
    MenuArray<ViewItem> view; // mnuView / mnuViewItem
    MenuArray<OptItem> opt;   // mnuOpt / mnuOptItem
    MenuArray<HelpItem> help; // mnuHelp / mnuHelpItem

    // The five menus with their ids, in menu-bar order.
    std::array<std::pair<const MenuItems*, MenuId>, 5> all() const {
        return {{{&edit, MenuId::Edit},
                 {&func, MenuId::Func},
                 {&view, MenuId::View},
                 {&opt, MenuId::Opt},
                 {&help, MenuId::Help}}};
    }
};

// Builds the menus in menu-bar order on the given bar, the exclusive items in their groups.
MainMenus buildMainMenus(QMenuBar* bar);

} // namespace quill
