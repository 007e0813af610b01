#include "window/window_api.h"

#include <QScreen>
#include <algorithm>

namespace quill {

void setTopmost(QWidget* window, bool on) {
    if (window->testAttribute(Qt::WA_WState_Created) == false) {
        window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
        return;
    }
    // Changing a flag re-creates the native window, which hides it; keep place and visibility.
    const QRect frame = window->geometry();
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    window->setGeometry(frame);
    if (visible) window->show();
}

void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QRect frame = window->frameGeometry();
    window->move(area.left() + (area.width() - frame.width()) / 2,
                 area.top() + (area.height() - frame.height()) / 2);
}

void applyOpacity(QWidget* window, int alpha) {
    window->setWindowOpacity(double(std::clamp(alpha, 0, 255)) / 255.0);
}

void bringToForeground(QWidget* window) {
    if (window->isMinimized()) window->showNormal();
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace quill
