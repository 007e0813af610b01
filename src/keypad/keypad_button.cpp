#include "keypad/keypad_button.h"

#include <cmath>

namespace quill {

namespace {
int toPixels(float twips) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}
} // namespace

KeypadButton::KeypadButton(KeyArray array, int index, QWidget* parent)
    : QPushButton(keyCaption(array, index), parent), array_(array), index_(index) {
    // The sheet keeps the keyboard focus while the keypad is used.
    setFocusPolicy(Qt::NoFocus);
    setAutoDefault(false);
    const QString tip = keyTooltip(array, index);
    if (!tip.isEmpty()) {
        setToolTip(tip);
        setAccessibleDescription(tip);
    }
    setAccessibleName(text());
}

void KeypadButton::moveTwips(TwipPoint pos) {
    pos_ = pos;
    applyGeometry();
}

void KeypadButton::resizeTwips(float width, float height) {
    width_ = width;
    height_ = height;
    applyGeometry();
}

void KeypadButton::applyGeometry() {
    // Edges are rounded separately so that neighbouring buttons meet without gaps.
    const int left = toPixels(pos_.left);
    const int top = toPixels(pos_.top);
    setGeometry(left, top, toPixels(pos_.left + width_) - left, toPixels(pos_.top + height_) - top);
}

} // namespace quill
