#pragma once
// The mix of typical lines the Eval benchmarks run through.
#include <string_view>

namespace quill::bench {

inline constexpr std::u16string_view kMix[] = {
    u"1,234+5*2",     u"SIN(30)*2",    u"(1+2)*(3+4)/7", u"&HFF + 101b",
    u"ROUND(2.5, 0)", u"LEN(\"ABC\")", u"-12.5",         u"1/3*3",
};

} // namespace quill::bench
