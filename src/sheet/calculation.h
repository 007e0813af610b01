#pragma once
// A calculation pass, without a window: the whole sheet text in, everything the window shows
// afterwards out.
//
//   sheet text -> narrowed to half-width -> split into lines -> each trimmed line rewritten
//   ("+5" -> "+ 5") and classified (tape "- ", "* ", "/ ", "\ ", blank, add) -> Eval ->
//   running total updated (dates through DateCalc) -> each value formatted by the grouping
//   option -> results column, total, status text and result phrase.
#include "engine/value.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

// The digit-grouping option, as stored in the setting keta.
enum class Grouping { None = 0, Units = 1, Three = 3, Four = 4 };

// The option from its stored number; a number that names no option is "every three digits".
constexpr Grouping groupingFromStored(int value) {
    switch (value) {
    case 0: return Grouping::None;
    case 1: return Grouping::Units;
    case 4: return Grouping::Four;
    default: return Grouping::Three;
    }
}

struct PassResult {
    bool ran = false;                    // false for an empty sheet: nothing else was touched
    bool sheetChanged = false;           // narrowing changed the text; then:
    std::u16string sheet;                // the narrowed sheet text (same line breaks)
    std::vector<std::u16string> results; // one display text per sheet line
    std::u16string total;                // the total box text
    std::u16string status;               // status-bar text after the pass ("" when !ran)
    std::u16string phrase;               // the result phrase; "" when nothing is spoken
};

// Lines are separated by "\n", "\r\n" or a lone "\r". An empty sheet gives ran == false, no results
// and an empty total. Failed lines never stop the pass.
PassResult calculateSheet(std::u16string_view sheet, Grouping grouping);

// The same pass handing each result line to `onLine` in order instead of keeping them in
// `results` (which stays empty), for callers that stream a long sheet.
using ResultLineSink = std::function<void(std::u16string_view line)>;
PassResult calculateSheet(std::u16string_view sheet, Grouping grouping,
                          const ResultLineSink& onLine);

// The same streaming pass also handing each non-blank line's value and the running total after
// it to `onValues`, for checks of the values themselves: the display shows a value it cannot
// show as "0", so the texts alone would hide it.
using LineValueSink = std::function<void(const Value& value, const Value& total)>;
PassResult calculateSheet(std::u16string_view sheet, Grouping grouping,
                          const ResultLineSink& onLine, const LineValueSink& onValues);

} // namespace quill
