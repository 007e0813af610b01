#pragma once
// The main window's dealings with the window system: always on top, centring, opacity and
// coming to the foreground.
#include <QWidget>

namespace quill {

// Into or out of the always-on-top band; the window is neither moved nor resized.
void setTopmost(QWidget* window, bool on);
// Moves the window so that its centre lies on the centre of its screen; the size stays.
void centreOnScreen(QWidget* window);
// Opacity from 0 (invisible) to 255 (opaque). Values beyond the range are taken as its nearest
// end, so a stored 256 leaves the window opaque instead of making it vanish.
void applyOpacity(QWidget* window, int alpha);
// Shows and raises the window and asks for the keyboard focus.
void bringToForeground(QWidget* window);

} // namespace quill
