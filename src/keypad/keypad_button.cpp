#include "keypad/keypad_button.h"

#include "keypad/key_names.h"

#include <cmath>

namespace quill {

KeypadButton::KeypadButton(KeyArray array, int index, QWidget* parent)
    : QPushButton(keyCaption(array, index), parent), array_(array), index_(index) {
    // A click leaves the keyboard focus in the sheet; the keyboard reaches the keypad on its
    // own (KeypadKeyboard).
    setFocusPolicy(Qt::TabFocus);
    setAutoDefault(false);
    const QString tip = keyTooltip(array, index);
    if (!tip.isEmpty()) setToolTip(tip);
    setAccessibleName(keyAccessibleName(array, index));
    setAccessibleDescription(keyAccessibleDescription(array, index));
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

void KeypadButton::setScale(double scale) {
    scale_ = scale;
    applyGeometry();
}

void KeypadButton::applyGeometry() {
    const auto toPixels = [this](float twips) {
        return static_cast<int>(std::lround(twips * scale_ / twipsPerPixel));
    };
    // Edges are rounded separately so that neighbouring buttons meet without gaps.
    const int left = toPixels(pos_.left);
    const int top = toPixels(pos_.top);
    setGeometry(left, top, toPixels(pos_.left + width_) - left, toPixels(pos_.top + height_) - top);
}

} // namespace quill
