#pragma once
// Colours as the settings file stores them (0x00BBGGRR, or 0x80000000 + a system colour
// index) turned into colours of the current palette, and back.
#include "settings/settings.h"

#include <QColor>
#include <QPalette>

namespace quill {

// A system colour reference resolves through the palette, so it follows the desktop's scheme.
QColor resolveColour(Colour colour, const QPalette& palette);
Colour toStoredColour(const QColor& colour);

} // namespace quill
