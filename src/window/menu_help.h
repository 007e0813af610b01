#pragma once
// Menu help: while an item of one of the main window's menus is highlighted, the status bar
// shows a one-line help text for it. The same QMenu objects serve the menu bar and the pop-up
// menus (View on a keypad button, Options on the keypad panel, Function in the sheet), so the
// help follows the menus themselves rather than the menu bar: a menu shown with popup() has no
// menu bar to forward its status tips through.
#include "window/menu_items.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QStatusBar;

namespace quill {

// The author's web page: opened by the Help menu's "作者のHPへ(&H)" and named in its help text.
QString authorWebPage();

// The help text of item `index` of `menu`; empty for separators, hidden items and indices
// without an item.
QString menuHelpText(MenuId menu, int index);
template <class Item> QString menuHelpText(Item item) {
    return menuHelpText(menuOf(item), itemIndex(item));
}

// Number of items that have a help text (every visible, non-separator item).
int menuHelpEntryCount();

// Writes menu help to the status bar. Register each item (or give items their index as int
// QAction::data()), then watch the menus and the menu bar. The sink receives every text to show,
// the empty text included; it should write the status bar even while the bar is hidden.
class MenuHelp : public QObject {
    Q_OBJECT
public:
    using Sink = std::function<void(const QString&)>;

    explicit MenuHelp(Sink sink, QObject* parent = nullptr);

    // Names the menu and index of an item; takes precedence over the item's data().
    void registerItem(QAction* item, MenuId menu, int index);
    // Shows help for the items of `menu`, whether it drops down from the menu bar or pops up.
    void watchMenu(QMenu* menu, MenuId id);
    // Empties the text while a top-level title is highlighted. Call once the bar is in its
    // window: Qt's own (empty) status tips of menu items are kept from the bar and the window
    // while a watched menu is open, so they cannot wipe the help text.
    void watchMenuBar(QMenuBar* bar);

    // The text for an item shown in the menu `shownIn` (empty when it has none).
    QString helpFor(const QAction* item, MenuId shownIn) const;

private:
    void show(const QString& text);
    bool anyMenuOpen() const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    struct ItemKey {
        MenuId menu;
        int index;
    };
    Sink sink_;
    QHash<const QAction*, ItemKey> items_;
    QHash<const QMenu*, MenuId> menus_;
};

// A sink that writes the text as the status bar's message (empty text clears it).
MenuHelp::Sink statusBarSink(QStatusBar* bar);

} // namespace quill
