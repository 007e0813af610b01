#pragma once
// The tapes of typical money lines the sheet benchmarks calculate.
#include <cstddef>
#include <string>

namespace quill::bench {

// `lines` lines taken in turn from `pattern`.
template <std::size_t N> std::u16string tapeOf(const char16_t* const (&pattern)[N], int lines) {
    std::u16string sheet;
    for (int i = 0; i < lines; ++i) {
        if (i) sheet += u'\n';
        sheet += pattern[std::size_t(i) % N];
    }
    return sheet;
}

// Amounts only, added and subtracted, with a blank line now and then: a tape whose total is a
// plain sum.
inline std::u16string amountTape(int lines) {
    static const char16_t* const pattern[] = {
        u"12,800",  u"+ 3,450", u"- 1,200.50", u"+ 980",   u"+ 45,000", u"19,800.75",
        u"- 350",   u"+ 2,400", u"",           u"+ 7,777", u"+ 0.99",   u"1,234.5",
        u"- 12.30", u"+ 640",   u"+ 58,000",   u"- 1,080", u"+ 3.14",
    };
    return tapeOf(pattern, lines);
}

inline std::u16string moneyTape(int lines) {
    static const char16_t* const pattern[] = {
        u"12,800",    u"+ 3,450",          u"- 1,200",  u"* 1.08",  u"+ 980",
        u"1,234+5*2", u"ROUND(1234.5, 0)", u"+ 45,000", u"/ 2",     u"+ 19,800",
        u"- 350",     u"+ 2,400*3",        u"",         u"+ 7,777", u"INT(12345.678)",
    };
    return tapeOf(pattern, lines);
}

} // namespace quill::bench
