#pragma once
// One keypad button. It knows its array and element index (actions dispatch on those, never on
// the caption) and keeps its place in twips, so that positions survive a round trip through
// pixels without drifting.
#include "keypad/keypad_table.h"

#include <QPushButton>

namespace quill {

class KeypadButton : public QPushButton {
    Q_OBJECT
public:
    KeypadButton(KeyArray array, int index, QWidget* parent);

    KeyArray array() const { return array_; }
    int index() const { return index_; }

    TwipPoint twipPos() const { return pos_; }
    float twipWidth() const { return width_; }
    float twipHeight() const { return height_; }
    void moveTwips(TwipPoint pos);
    void resizeTwips(float width, float height);
    // Pixels grow by `scale` (at least 1) for a font larger than the keypad's default; the
    // places in twips stay.
    void setScale(double scale);
    float toTwips(double pixels) const { return float(pixels * twipsPerPixel / scale_); }

private:
    void applyGeometry();

    KeyArray array_;
    int index_;
    TwipPoint pos_;
    float width_ = 0;
    float height_ = 0;
    double scale_ = 1;
};

} // namespace quill
