#include "dialogs/dialog_buttons.h"

#include <QPushButton>

namespace quill {

QPushButton* makeDialogButton(int index, const char16_t* caption, const char16_t* tooltip,
                              QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf16(caption), parent);
    button->setObjectName(QStringLiteral("cmdMenu_%1").arg(index));
    button->setToolTip(QString::fromUtf16(tooltip));
    button->setAutoDefault(true);
    return button;
}

} // namespace quill
