#pragma once
// Reading the tape back (読み合わせ): the figures of the sheet read aloud line by line, as the
// results column shows them, so that a column of numbers can be checked by ear.
//
// Each non-blank line becomes one phrase in the speech notation: the tape operator as a word
// (たす, ひく, かける, わる, せいすうわる), then the value: a number as a number tag, a date by
// its date kind, a failed line as "エラー". A last phrase says "ごうけい" and the total.
#include "sheet/calculation.h"

#include <string>
#include <string_view>
#include <vector>

namespace quill {

// The line of the phrase that reads the total.
inline constexpr int kTotalPhraseLine = -1;

struct ReadBackPhrase {
    int line;            // the sheet line it reads, or kTotalPhraseLine
    std::u16string text; // in the speech notation
};

// The tape as the window shows it after a calculation pass.
struct ShownTape {
    std::vector<std::u16string> lines;   // the sheet's lines
    std::vector<std::u16string> results; // the results column, one line per sheet line
    std::u16string total;                // the total box
    Grouping grouping = Grouping::None;  // how the results are grouped
};

// The tape of a sheet text after one calculation pass.
ShownTape shownTape(std::u16string_view sheet, Grouping grouping);

// The phrases from line `first` to the end, then the total; none for a tape without entries
// (empty, or blank lines only). A line or total whose value says nothing (a text of Latin
// letters) is left out.
std::vector<ReadBackPhrase> readBackPhrases(const ShownTape& tape, int first);

// Where reading starts: the caret's line, or the top when the caret is on the last line.
int readBackStart(int caretLine, int lineCount);

// How one value of the results column or the total box is read ("" reads as "エラー"); ""
// when it says nothing.
std::u16string spokenValue(std::u16string_view shown, Grouping grouping);

} // namespace quill
