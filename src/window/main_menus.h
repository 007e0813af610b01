#pragma once
// The five menus of the main window with every item at its element index: captions,
// separators, hidden items and which items carry a check mark.
#include "window/menu_array.h"

#include <QMenuBar>

namespace quill {

struct MainMenus {
    MenuArray edit; // mnuEdit / mnuEditItem
    MenuArray func; // mnuFunc / mnuFuncItem
    MenuArray view; // mnuView / mnuViewItem
    MenuArray opt;  // mnuOpt / mnuOptItem
    MenuArray help; // mnuHelp / mnuHelpItem
};

// Builds the menus in menu-bar order on the given bar.
MainMenus buildMainMenus(QMenuBar* bar);

} // namespace quill
