#pragma once
// The keypad panel (pic 0): holds every keypad button and knows the button sizes and the
// default places. Its inside is measured in twips.
#include "keypad/keypad_button.h"

#include <QWidget>
#include <vector>

namespace quill {

class KeypadPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int panelHeight = 169; // pixels at the default font: the least height
    // Keys grow with a desktop font larger than the default (never below their twip sizes).
    static constexpr double defaultFontPoints = 9;

    explicit KeypadPanel(QWidget* parent);

    KeypadButton* button(KeyArray array, int index) const;
    template <class Key> KeypadButton* button(Key key) const {
        return button(arrayOf(key), keyIndex(key));
    }
    const std::vector<KeypadButton*>& buttons() const { return buttons_; }

    // Widths of the small or medium size; places and heights stay.
    void setButtonSize(bool medium);
    // Every button of the default table to its default place for the current size.
    void resetPositions();
    // A dropped button is pulled back so that it lies inside the panel.
    void pullInside(KeypadButton* button) const;
    // Bold captions mark move mode.
    void setMoveModeLook(bool on);

    float innerWidthTwips() const { return float(width() * twipsPerPixel / scale_); }
    float innerHeightTwips() const { return float(height() * twipsPerPixel / scale_); }
    // The panel's height for the current font, and how far its buttons reach to the right.
    int scaledHeight() const;
    int keysRight() const;
    double scale() const { return scale_; }

signals:
    void optionsMenuRequested(QPoint globalPos);
    void clicked();

protected:
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void followFont();

    std::vector<KeypadButton*> buttons_;
    double scale_ = 1;
};

} // namespace quill
