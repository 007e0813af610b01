#pragma once
// The keypad's look, drawn from the desktop palette so that it follows light and dark themes:
// keys grouped by kind through colour (digits, operators, editing and caret keys, "=" as the
// accent), softly raised with rounded corners inside their places, a visible focus ring. The
// places and sizes stay as the keypad table gives them.
#include "keypad/keypad_button.h"
#include "keypad/keypad_panel.h"

#include <QObject>
#include <QPalette>

namespace quill {

enum class KeyKind { Digit, Operator, Editing, Accent };

KeyKind keyKind(KeyArray array, int index);
// Style sheet for the panel and for keys outside it; buttons are matched by their kind.
QString keypadStyleSheet(const QPalette& palette);

// Applies the look to the panel and `extra` keys, and again whenever the palette changes.
class KeypadLook : public QObject {
    Q_OBJECT
public:
    KeypadLook(KeypadPanel* panel, std::vector<KeypadButton*> extra);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply();

    KeypadPanel* panel_;
    std::vector<KeypadButton*> extra_;
};

} // namespace quill
