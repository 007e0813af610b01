#pragma once
// The keypad by keyboard alone. F8 moves the keyboard focus from the sheet to the keypad and
// back; on the keypad the arrow keys go from button to button in reading order of where the
// buttons stand now, Space and Return press the focused button and keep the focus on it, Esc
// goes back to the sheet. Keys that have no key of their own elsewhere (copy result, √, the
// brackets, π) get a shortcut in the whole window.
#include "keypad/keypad_button.h"
#include "keypad/keypad_panel.h"

#include <QKeySequence>
#include <QObject>
#include <QPointer>

namespace quill {

class KeypadKeyboard : public QObject {
    Q_OBJECT
public:
    static inline const QKeySequence switchKey{Qt::Key_F8};

    // `extra` are keypad buttons outside the panel (the copy-result key): they get their
    // shortcut and Space and Return, but the arrows stay on the panel.
    KeypadKeyboard(QWidget* window, KeypadPanel* panel, QWidget* sheet,
                   const std::vector<KeypadButton*>& extra);

    // F8: from the sheet (or anywhere outside the keypad) to the button focused last, or the
    // first in reading order; from the keypad back to the sheet.
    void switchFocus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(KeypadButton* button);
    bool onKey(KeypadButton* button, QKeyEvent* event);
    void moveFocus(KeypadButton* from, int key);
    std::vector<KeypadButton*> shownButtons() const;

    KeypadPanel* panel_;
    QWidget* sheet_;
    QPointer<KeypadButton> last_;
};

} // namespace quill
