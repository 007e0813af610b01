#pragma once
// A dialog's push buttons made from a table: a caption, a tooltip and the button's index in the
// design, which its object name carries ("cmdMenu_4"). Return presses the focused button; the
// dialog makes one of them its default for Return pressed anywhere else.
#include <cstddef>

class QPushButton;
class QWidget;

namespace quill {

template <class Id> struct ButtonText {
    Id id;
    const char16_t* caption;
    const char16_t* tooltip;
};

QPushButton* makeDialogButton(int index, const char16_t* caption, const char16_t* tooltip,
                              QWidget* parent);

// Every button of `texts` as a child of `parent`, each kept in `buttons` at its index.
template <class Id, std::size_t M, std::size_t N>
void makeDialogButtons(const ButtonText<Id> (&texts)[M], QWidget* parent,
                       QPushButton* (&buttons)[N]) {
    for (const ButtonText<Id>& t : texts) {
        const int index = static_cast<int>(t.id);
        buttons[index] = makeDialogButton(index, t.caption, t.tooltip, parent);
    }
}

} // namespace quill
