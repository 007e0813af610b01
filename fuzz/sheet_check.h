#pragma once
// The promises of a calculation pass, checked on one sheet: every line gets a result, the
// narrowed sheet keeps the line count, no NaN or infinity is shown, and streaming the result
// lines gives the same lines and total as keeping them. Shared by fuzz_sheet and the
// regression tests that replay its findings. The clock must be fixed by the caller.
#include "engine/jtext.h"
#include "sheet/calculation.h"

#include <algorithm>

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

// A NaN or an infinity shown as a result, where the sheet does not spell one itself.
inline bool showsNonNumber(std::u16string_view sheet, const PassResult& r) {
    auto spells = [](std::u16string_view t) {
        const std::u16string l = lettersOf(t);
        return l.find(u"NAN") != l.npos || l.find(u"INF") != l.npos;
    };
    if (spells(sheet)) return false;
    if (spells(r.total)) return true;
    return std::any_of(r.results.begin(), r.results.end(), spells);
}

// nullptr when every promise holds, else the one that broke.
inline const char* sheetPassFault(std::u16string_view sheet, Grouping grouping) {
    const PassResult r = calculateSheet(sheet, grouping);
    if (sheet.empty()) return r.ran || !r.results.empty() ? "an empty sheet ran" : nullptr;
    if (!r.ran) return "the pass did not run";
    if (r.results.size() != lineCount(sheet)) return "a line got no result";
    if (r.sheetChanged && lineCount(r.sheet) != lineCount(sheet))
        return "narrowing changed the line count";
    if (showsNonNumber(sheet, r)) return "a NaN or an infinity was shown";
    if (mentionsRandom(sheet)) return nullptr;
    std::size_t k = 0;
    bool same = true;
    const PassResult streamed = calculateSheet(sheet, grouping, [&](std::u16string_view line) {
        same = same && k < r.results.size() && r.results[k] == line;
        ++k;
    });
    if (!same || k != r.results.size() || streamed.total != r.total)
        return "streaming gave other lines";
    return nullptr;
}

} // namespace quill::fuzz
