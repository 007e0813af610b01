#pragma once
// The promises of the stored formula list, checked on one stored value: it reads without
// failing, no formula read keeps a name separator, and formulas whose name and text hold no
// bar, no backslash and no line break other than CR LF in the text survive storing and
// reading back exactly (the stored form escapes nothing, so only those are safe). Shared by
// fuzz_formulas and the regression tests that replay its findings.
#include "formulas/formula_list.h"

#include <string_view>
#include <vector>

namespace quill::fuzz {

inline bool storesSafely(std::u16string_view s, bool breaksAllowed) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == u'|' || s[i] == u'\\') return false;
        if (s[i] == u'\r' && breaksAllowed && i + 1 < s.size() && s[i + 1] == u'\n')
            ++i;
        else if (s[i] == u'\r' || s[i] == u'\n')
            return false;
    }
    return true;
}

// nullptr when every promise holds, else the one that broke.
inline const char* formulaListFault(std::u16string_view stored, bool cut) {
    const std::vector<Formula> list = parseFormulaList(stored, cut);
    std::vector<Formula> safe;
    for (const Formula& f : list) {
        if (f.name.find(u"||") != f.name.npos || f.text.find(u"||") != f.text.npos)
            return "a formula kept a name separator";
        if (!f.name.empty() && storesSafely(f.name, false) && storesSafely(f.text, true))
            safe.push_back(f);
    }
    if (parseFormulaList(serializeFormulaList(safe)) != safe)
        return "a safe list did not survive storing";
    return nullptr;
}

} // namespace quill::fuzz
