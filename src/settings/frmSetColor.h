#pragma once
// Colours as the settings file stores them (0x00BBGGRR, or a system colour reference
// 0x80000000 + index) turned into screen colours, and the colour chooser of the settings
// dialog with its 16 custom colours kept for the run.
#include "settings/settings.h"

#include <QColor>
#include <QPalette>
#include <array>
#include <optional>

class QWidget;

namespace quill {

// The screen colour of a stored colour value. A system colour reference follows the current
// palette (window background is the text boxes' base colour, window text their text colour),
// so it changes with the desktop's colour scheme.
QColor screenColour(Colour value, const QPalette& palette);
QColor screenColour(Colour value);

// The stored value of an explicit screen colour (alpha dropped).
Colour storedColour(const QColor& colour);

// The chooser's 16 custom colours (stored form), all black at program start, shared by every
// use of the chooser and never written to the settings file.
using CustomColours = std::array<Colour, 16>;
const CustomColours& customColors();
void resetCustomColors();

// Shows the colour chooser owned by `owner`, with `initial` selected (a system colour
// reference shows its current colour) and the custom colours offered. Returns the chosen
// explicit colour and keeps the custom colours as the user left them; returns nothing when
// cancelled, and the custom colours stay as they were.
std::optional<Colour> ShowColorDialog(QWidget* owner, Colour initial);

} // namespace quill
