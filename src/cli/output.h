#pragma once
// What quillsum-calc prints: plain text for a person, or one JSON object.
#include "engine/value.h"
#include "sheet/calculation.h"

#include <ostream>
#include <string>

namespace quill::cli {

void printEval(std::ostream& out, const Value& v, const std::u16string& status, bool json);
// Runs the calculation pass over `sheet` and prints its results: the results column and a
// line "= total", or one JSON object. For a terminal the plain form is laid out as a tape.
// Returns the pass's result phrase.
std::u16string printSheet(std::ostream& out, std::u16string_view sheet, Grouping grouping,
                          bool json, bool forTerminal = false);

} // namespace quill::cli
