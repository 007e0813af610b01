#pragma once
// The colour chooser of the settings dialog, with its 16 custom colours kept for the run.
// Colours go in and out in their stored form (0x00BBGGRR, or a system colour reference).
#include "settings/settings.h"

#include <array>
#include <optional>

class QWidget;

namespace quill {

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
