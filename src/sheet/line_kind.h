#pragma once
// How one sheet line takes part in the running total.
#include <string>
#include <string_view>

namespace quill {

enum class LineKind { Blank, Add, Subtract, Multiply, Divide, IntDivide };

struct SheetLine {
    LineKind kind = LineKind::Blank;
    std::u16string_view expression; // the text handed to Eval (trimmed)
    std::u16string_view prefix;     // shown before the result from the second line on
};

// Classifies a line. `storage` keeps the rewritten line ("+5" becomes "+ 5") that
// `expression` may point into, so it must outlive the result.
SheetLine classifyLine(std::u16string_view line, std::u16string& storage);

std::u16string_view trimBlanks(std::u16string_view t);

} // namespace quill
