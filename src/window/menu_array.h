#pragma once
// A menu's item array. MenuItems holds the items by element index for the code that treats
// every menu alike (the menu help); MenuArray<Item> addresses them by name.
#include "window/menu_items.h"

#include <QAction>
#include <QMenu>
#include <map>

namespace quill {

struct MenuItems {
    QMenu* menu = nullptr;
    std::map<int, QAction*> items;
};

template <class Item> struct MenuArray : MenuItems {
    // nullptr for a name without an item in this menu.
    QAction* at(Item item) const {
        auto it = items.find(itemIndex(item));
        return it == items.end() ? nullptr : it->second;
    }
    bool isChecked(Item item) const {
        QAction* a = at(item);
        return a && a->isChecked();
    }
    void setChecked(Item item, bool on) const {
        if (QAction* a = at(item)) a->setChecked(on);
    }
};

} // namespace quill
