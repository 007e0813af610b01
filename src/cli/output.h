#pragma once
// What quillsum-calc prints: plain text for a person, or one JSON object.
#include "engine/value.h"
#include "sheet/calculation.h"

#include <ostream>
#include <string>

namespace quill::cli {

void printEval(std::ostream& out, const Value& v, const std::u16string& status, bool json);
void printSheet(std::ostream& out, const PassResult& r, bool json);

} // namespace quill::cli
