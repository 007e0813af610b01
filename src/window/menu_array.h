#pragma once
// A menu's item array: the items addressed by their element index, as the option state and the
// settings refer to them. Indices are not contiguous.
#include <QAction>
#include <QMenu>
#include <map>

namespace quill {

struct MenuArray {
    QMenu* menu = nullptr;
    std::map<int, QAction*> items;

    // nullptr for an index without an item.
    QAction* at(int index) const {
        auto it = items.find(index);
        return it == items.end() ? nullptr : it->second;
    }
    bool isChecked(int index) const {
        QAction* a = at(index);
        return a && a->isChecked();
    }
    void setChecked(int index, bool on) const {
        if (QAction* a = at(index)) a->setChecked(on);
    }
    // The element index of an item; -1 for an action of another menu.
    int indexOf(const QAction* action) const {
        for (const auto& [index, a] : items)
            if (a == action) return index;
        return -1;
    }
};

} // namespace quill
