#include "keypad/keypad_keyboard.h"

#include "keypad/key_names.h"
#include "keypad/reading_order.h"

#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>

namespace quill {

KeypadKeyboard::KeypadKeyboard(QWidget* window, KeypadPanel* panel, QWidget* sheet,
                               const std::vector<KeypadButton*>& extra)
    : QObject(window), panel_(panel), sheet_(sheet) {
    new QShortcut(switchKey, window, [this] { switchFocus(); });
    std::vector<KeypadButton*> all = panel->buttons();
    all.insert(all.end(), extra.begin(), extra.end());
    for (KeypadButton* b : all) {
        watch(b);
        const QKeySequence own = keyOwnShortcut(b->array(), b->index());
        // A click runs the key as the mouse would, move mode included (it does nothing there).
        if (!own.isEmpty()) new QShortcut(own, window, [b] { b->click(); });
    }
}

void KeypadKeyboard::watch(KeypadButton* button) {
    button->installEventFilter(this);
}

std::vector<KeypadButton*> KeypadKeyboard::shownButtons() const {
    std::vector<KeypadButton*> shown;
    for (KeypadButton* b : panel_->buttons())
        if (!b->isHidden()) shown.push_back(b);
    return shown;
}

void KeypadKeyboard::switchFocus() {
    QWidget* focus = QApplication::focusWidget();
    if (focus && panel_->isAncestorOf(focus)) {
        sheet_->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    if (panel_->isHidden()) return;
    KeypadButton* target = last_ && !last_->isHidden() ? last_.data() : nullptr;
    if (!target) {
        const std::vector<KeypadButton*> shown = shownButtons();
        std::vector<QRect> rects;
        for (KeypadButton* b : shown) rects.push_back(b->geometry());
        const std::vector<int> order = readingOrder(rects);
        if (order.empty()) return;
        target = shown[order.front()];
    }
    target->setFocus(Qt::ShortcutFocusReason);
}

bool KeypadKeyboard::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<KeypadButton*>(watched);
    if (!button) return false;
    if (event->type() == QEvent::FocusIn && button->parentWidget() == panel_) last_ = button;
    if (event->type() == QEvent::KeyPress) return onKey(button, static_cast<QKeyEvent*>(event));
    // Space presses on its key-down here; its release must not press a second time.
    if (event->type() == QEvent::KeyRelease)
        return static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space;
    return false;
}

bool KeypadKeyboard::onKey(KeypadButton* button, QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false; // window keys (Ctrl+Enter, Ctrl+E, ...) work from the keypad too
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->isAutoRepeat()) return true;
        button->click();
        // The key's action gives the sheet the focus, as after a click; the keyboard user
        // stays where they are.
        button->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_Escape: sheet_->setFocus(Qt::ShortcutFocusReason); return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
        if (button->parentWidget() != panel_) return false;
        moveFocus(button, event->key());
        return true;
    default: return false;
    }
}

void KeypadKeyboard::moveFocus(KeypadButton* from, int key) {
    const std::vector<KeypadButton*> shown = shownButtons();
    std::vector<QRect> rects;
    int current = -1;
    for (size_t i = 0; i < shown.size(); ++i) {
        rects.push_back(shown[i]->geometry());
        if (shown[i] == from) current = int(i);
    }
    const int target = arrowTarget(rects, current, key);
    if (target >= 0) shown[size_t(target)]->setFocus(Qt::OtherFocusReason);
}

} // namespace quill
