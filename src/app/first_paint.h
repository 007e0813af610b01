#pragma once
// Work that waits until a window has painted for the first time.
#include <functional>

class QWidget;

namespace quill {

// Runs `work` once, from the event loop, after the first paint of `window` has been handled
// (the first frame is on the screen by then). Nothing runs when the window is destroyed first.
void afterFirstPaint(QWidget* window, std::function<void()> work);

} // namespace quill
