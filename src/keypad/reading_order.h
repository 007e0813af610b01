#pragma once
// Keyboard movement between buttons that stand wherever the user dragged them: rows are read
// top to bottom and each row left to right, from the buttons' current rectangles.
#include <QRect>
#include <vector>

namespace quill {

// Indices into `rects` in reading order. Buttons whose vertical centres lie within half a
// button height of a row's first button belong to that row.
std::vector<int> readingOrder(const std::vector<QRect>& rects);

// Where an arrow key (or Home, End) moves from `current`: Left and Right to the previous and
// next button in reading order (wrapping round), Up and Down to the nearest button of the row
// above or below, Home and End to the first and last. `current` itself when there is none.
int arrowTarget(const std::vector<QRect>& rects, int current, int key);

} // namespace quill
