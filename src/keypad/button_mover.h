#pragma once
// Mouse handling on the keypad buttons: in move mode the left button drags a button (the
// grabbed point stays under the mouse) and the release pulls it back inside the panel; the
// right button asks for the View menu in any mode.
#include "keypad/keypad_panel.h"

#include <QObject>
#include <functional>

namespace quill {

class ButtonMover : public QObject {
    Q_OBJECT
public:
    ButtonMover(KeypadPanel* panel, std::function<bool()> moveModeOn, QObject* parent);

    // Watches a button; buttons outside the panel (the copy-result key) are never moved.
    void watch(KeypadButton* button);
    bool isDragging() const { return dragging_; }

signals:
    void viewMenuRequested(QPoint globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool onPress(KeypadButton* button, QMouseEvent* event);
    bool onMove(KeypadButton* button, QMouseEvent* event);
    bool onRelease(KeypadButton* button);

    KeypadPanel* panel_;
    std::function<bool()> moveModeOn_;
    bool dragging_ = false; // buttonDragging
    TwipPoint grab_;        // grabX, grabY: where inside the button the mouse went down
};

} // namespace quill
