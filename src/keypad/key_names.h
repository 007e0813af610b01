#pragma once
// What a screen reader says for each keypad button: a name saying what the key does (no two
// buttons share one) and a description holding the caption and the keyboard key that does the
// same. Some keys have no key of their own elsewhere; the keypad gives them a shortcut.
#include "keypad/keypad_table.h"

#include <QKeySequence>
#include <QString>

namespace quill {

QString keyAccessibleName(KeyArray array, int index);
// "表示「C」、キー Esc"; for keys typed as text, the text to type.
QString keyAccessibleDescription(KeyArray array, int index);
// The shortcut the keypad itself installs for a key that has none elsewhere (copy result,
// √, the brackets, π); empty for every other key.
QKeySequence keyOwnShortcut(KeyArray array, int index);

} // namespace quill
