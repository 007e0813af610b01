#pragma once
// The stored form of the user-defined formula list (setting Formula): each formula is the
// name, "||", and the formula text with every CR LF written as "|r|"; the records are joined
// by the four characters "|\n|" (bar, backslash, n, bar; no line break). Nothing is escaped,
// so a name holding "||" reads back split there. The empty list is stored by removing the key.
#include <string>
#include <string_view>
#include <vector>

namespace quill {

class Settings;

struct Formula {
    std::u16string name; // never empty in a stored list
    std::u16string text; // line breaks as CR LF; may hold the gap "[sel]"

    bool operator==(const Formula&) const = default;
};

// Reads a stored value. A record without "||" is dropped; parts after a second "||" are
// dropped. `cut` says the value was cut at the read limit: its last record is then
// incomplete and is dropped as well, so a cut list reads as its last complete records.
std::vector<Formula> parseFormulaList(std::u16string_view stored, bool cut = false);

std::u16string serializeFormulaList(const std::vector<Formula>& formulas);

// The list stored in the settings file (empty when the key is absent).
std::vector<Formula> readFormulas(const Settings& settings);
// Stores the list; an empty list removes the key. False when the write was refused.
bool writeFormulas(Settings& settings, const std::vector<Formula>& formulas);

} // namespace quill
