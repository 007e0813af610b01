#include "window/dialog_focus.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace quill {

bool DialogFocusReturn::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Hide) return false;
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (!dialog || !dialog->isWindow() || !dialog->parentWidget()) return false;
    // Once the hide is over: the owner may close or hide itself in the same turn.
    QPointer<QWidget> owner = dialog->parentWidget()->window();
    QTimer::singleShot(0, owner, [owner] {
        if (!owner || !owner->isVisible() || owner->isMinimized()) return;
        // Another window of this program took the keyboard meanwhile (a following dialog).
        const QWidget* active = QApplication::activeWindow();
        if (active && active->isVisible()) return;
        owner->raise();
        owner->activateWindow();
    });
    return false;
}

} // namespace quill
