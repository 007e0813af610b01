#pragma once
// Gives the keyboard back to a dialog's owner when the dialog closes. A window manager does
// this on a desktop; without one (a kiosk session, a bare X server) nobody does, and the next
// key would go nowhere. Installed once on the application; a window of this program that has
// the keyboard by then keeps it.
#include <QObject>

namespace quill {

class DialogFocusReturn : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace quill
