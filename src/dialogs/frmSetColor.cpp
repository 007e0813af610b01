#include "dialogs/frmSetColor.h"

#include "widgets/colours.h"

#include <QApplication>
#include <QColorDialog>

namespace quill {

namespace {

CustomColours& customColourStore() {
    static CustomColours colours{};
    return colours;
}

// A system colour reference shows its current colour in the chooser.
QColor screenColour(Colour value) {
    return resolveColour(value, QApplication::palette());
}

} // namespace

const CustomColours& customColors() {
    return customColourStore();
}

void resetCustomColors() {
    customColourStore().fill(0);
}

std::optional<Colour> ShowColorDialog(QWidget* owner, Colour initial) {
    // Qt's custom colours are shared by the whole process and change as soon as the user
    // adds one, confirmed or not: ours are handed over before and taken back only after OK.
    CustomColours& kept = customColourStore();
    for (int i = 0; i < static_cast<int>(kept.size()); ++i)
        QColorDialog::setCustomColor(i, screenColour(kept[i]));

    QColorDialog chooser(screenColour(initial), owner);
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    if (chooser.exec() != QDialog::Accepted) return std::nullopt;

    for (int i = 0; i < static_cast<int>(kept.size()); ++i)
        kept[i] = toStoredColour(QColorDialog::customColor(i));
    return toStoredColour(chooser.selectedColor());
}

} // namespace quill
