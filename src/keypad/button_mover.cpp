#include "keypad/button_mover.h"

#include <QMouseEvent>

namespace quill {

ButtonMover::ButtonMover(KeypadPanel* panel, std::function<bool()> moveModeOn, QObject* parent)
    : QObject(parent), panel_(panel), moveModeOn_(std::move(moveModeOn)) {}

void ButtonMover::watch(KeypadButton* button) {
    button->installEventFilter(this);
}

bool ButtonMover::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<KeypadButton*>(watched);
    if (!button) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: return onPress(button, static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove: return onMove(button, static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease: return onRelease(button);
    default: return false;
    }
}

bool ButtonMover::onPress(KeypadButton* button, QMouseEvent* event) {
    if (event->buttons() == Qt::RightButton) {
        emit viewMenuRequested(event->globalPosition().toPoint());
        return true;
    }
    if (!moveModeOn_()) return false;
    if (event->buttons() == Qt::LeftButton) {
        grab_ = {button->toTwips(event->position().x()), button->toTwips(event->position().y())};
        dragging_ = true;
        // Above its neighbours, so that it never slides out of sight under them.
        button->raise();
    }
    // In move mode a press never presses the button: clicks do nothing there.
    return true;
}

bool ButtonMover::onMove(KeypadButton* button, QMouseEvent* event) {
    if (!dragging_ || !moveModeOn_()) return false;
    if (button->parentWidget() != panel_) return true;
    const TwipPoint p = button->twipPos();
    button->moveTwips({p.left + button->toTwips(event->position().x()) - grab_.left,
                       p.top + button->toTwips(event->position().y()) - grab_.top});
    return true;
}

bool ButtonMover::onRelease(KeypadButton* button) {
    dragging_ = false;
    if (!moveModeOn_()) return false;
    if (button->parentWidget() == panel_) panel_->pullInside(button);
    return true;
}

} // namespace quill
