#include "settings/frmSetColor.h"

#include <QApplication>
#include <QColorDialog>

namespace quill {

namespace {

// System colour indices of the stored references and the palette roles that stand for them.
QPalette::ColorRole systemColourRole(unsigned index) {
    switch (index) {
    case 4: return QPalette::Window;           // menu background
    case 5: return QPalette::Base;             // window background
    case 7: return QPalette::WindowText;       // menu text
    case 8: return QPalette::Text;             // window text
    case 13: return QPalette::Highlight;       // selection background
    case 14: return QPalette::HighlightedText; // selected text
    case 15: return QPalette::Button;          // button face
    case 16: return QPalette::Dark;            // button shadow
    case 17: return QPalette::PlaceholderText; // grey text
    case 18: return QPalette::ButtonText;      // button text
    case 20: return QPalette::Light;           // button highlight
    case 21: return QPalette::Shadow;          // dark shadow
    case 22: return QPalette::Midlight;        // light edge
    case 23: return QPalette::ToolTipText;     // info text
    case 24: return QPalette::ToolTipBase;     // info background
    default: return QPalette::Window;
    }
}

CustomColours& customColourStore() {
    static CustomColours colours{};
    return colours;
}

} // namespace

QColor screenColour(Colour value, const QPalette& palette) {
    if (isSystemColour(value))
        return palette.color(QPalette::Active, systemColourRole(value & ~kSystemColourFlag));
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QColor screenColour(Colour value) {
    return screenColour(value, QApplication::palette());
}

Colour storedColour(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return static_cast<Colour>(rgb.red()) | static_cast<Colour>(rgb.green()) << 8 |
           static_cast<Colour>(rgb.blue()) << 16;
}

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
        kept[i] = storedColour(QColorDialog::customColor(i));
    return storedColour(chooser.selectedColor());
}

} // namespace quill
