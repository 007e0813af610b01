#pragma once
// The promises of a calculation pass, checked on one sheet: every line gets a result, the
// narrowed sheet keeps the line count, no line's value and no running total is a NaN or an
// infinity, and streaming the result lines gives the same lines and total as keeping them. Shared
// by fuzz_sheet and the regression tests that replay its findings. The clock must be fixed by the
// caller.
#include "engine/jtext.h"
#include "sheet/calculation.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace quill::fuzz {

// LF, CR LF and a lone CR each end a line.
inline std::size_t lineCount(std::u16string_view text) {
    std::size_t breaks = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        breaks += text[i] == u'\n' || (text[i] == u'\r' && text.substr(i + 1, 1) != u"\n");
    return breaks + 1;
}

inline Grouping groupingOf(std::uint8_t b) {
    constexpr Grouping options[] = {Grouping::None, Grouping::Units, Grouping::Three,
                                    Grouping::Four};
    return options[b % 4];
}

// The letters of a text in upper case, alone: the scan drops characters it has no use for,
// so "R N?D" reads as RND.
inline std::u16string lettersOf(std::u16string_view text) {
    std::u16string letters;
    for (char16_t c : toHalfWidth(text)) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
        if (c >= u'A' && c <= u'Z') letters += c;
    }
    return letters;
}

// RND moves on with every call, so two passes differ where it is used.
inline bool mentionsRandom(std::u16string_view sheet) {
    return lettersOf(sheet).find(u"RND") != std::u16string::npos;
}

// A NaN or an infinity in a value: what no line and no total may hold.
inline bool isNonFinite(const Value& v) {
    if (v.is(Kind::Double)) return !std::isfinite(v.asDouble());
    if (v.is(Kind::Single)) return !std::isfinite(v.asSingle());
    if (v.is(Kind::Date)) return !std::isfinite(v.asDate());
    return false;
}

// nullptr when every promise holds, else the one that broke.
inline const char* sheetPassFault(std::u16string_view sheet, Grouping grouping) {
    std::vector<std::u16string> streamed;
    bool nonFinite = false;
    const PassResult r = calculateSheet(
        sheet, grouping, [&](std::u16string_view line) { streamed.emplace_back(line); },
        [&](const Value& value, const Value& total) {
            nonFinite = nonFinite || isNonFinite(value) || isNonFinite(total);
        });
    if (sheet.empty()) return r.ran || !streamed.empty() ? "an empty sheet ran" : nullptr;
    if (!r.ran) return "the pass did not run";
    if (streamed.size() != lineCount(sheet)) return "a line got no result";
    if (r.sheetChanged && lineCount(r.sheet) != lineCount(sheet))
        return "narrowing changed the line count";
    if (nonFinite) return "a NaN or an infinity was computed";
    if (mentionsRandom(sheet)) return nullptr;
    const PassResult kept = calculateSheet(sheet, grouping);
    if (kept.results != streamed || kept.total != r.total)
        return "keeping the lines gave other lines than streaming them";
    return nullptr;
}

} // namespace quill::fuzz
