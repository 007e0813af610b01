#include "widgets/colours.h"

namespace quill {

namespace {

// The system colour indices of the platform the settings file comes from, by palette role.
QPalette::ColorRole systemRole(unsigned index) {
    switch (index) {
    case 1: return QPalette::Window;           // desktop
    case 4: return QPalette::Window;           // menu
    case 5: return QPalette::Base;             // window background
    case 6: return QPalette::Mid;              // window frame
    case 7: return QPalette::WindowText;       // menu text
    case 8: return QPalette::Text;             // window text
    case 13: return QPalette::Highlight;       // highlight
    case 14: return QPalette::HighlightedText; // highlighted text
    case 15: return QPalette::Button;          // button face
    case 16: return QPalette::Dark;            // button shadow
    case 17: return QPalette::PlaceholderText; // grey text
    case 18: return QPalette::ButtonText;      // button text
    case 20: return QPalette::Light;           // button highlight
    case 21: return QPalette::Shadow;          // dark shadow
    case 23: return QPalette::ToolTipText;     // tooltip text
    case 24: return QPalette::ToolTipBase;     // tooltip background
    default: return QPalette::Window;
    }
}

} // namespace

QColor resolveColour(Colour colour, const QPalette& palette) {
    if (isSystemColour(colour)) return palette.color(systemRole(colour & 0xFF));
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

Colour toStoredColour(const QColor& colour) {
    return Colour(colour.red()) | (Colour(colour.green()) << 8) | (Colour(colour.blue()) << 16);
}

} // namespace quill
