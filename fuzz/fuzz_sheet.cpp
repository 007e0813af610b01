// A whole calculation pass on any sheet text with each grouping option: every line gets a
// result, the narrowed sheet keeps the line count, streaming the results gives the same lines,
// and nothing throws.
#include "engine/jtext.h"
#include "engine/platform.h"
#include "fuzz_text.h"
#include "sheet/calculation.h"

#include <algorithm>

using namespace quill;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    platform::setFixedNow(45000.5);
    return 0;
}

namespace {

std::size_t lineCount(std::u16string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n')) + 1;
}

Grouping groupingOf(std::uint8_t b) {
    constexpr Grouping options[] = {Grouping::None, Grouping::Units, Grouping::Three,
                                    Grouping::Four};
    return options[b % 4];
}

bool mentionsRandom(std::u16string_view sheet) {
    std::u16string upper = toHalfWidth(sheet);
    for (char16_t& c : upper)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    return upper.find(u"RND") != upper.npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const Grouping grouping = groupingOf(data[0]);
    const std::u16string sheet = fuzz::fuzzText(data + 1, size - 1);
    const PassResult r = calculateSheet(sheet, grouping);
    if (sheet.empty()) {
        fuzz::require(!r.ran && r.results.empty());
        return 0;
    }
    fuzz::require(r.ran);
    fuzz::require(r.results.size() == lineCount(sheet));
    if (r.sheetChanged) fuzz::require(lineCount(r.sheet) == lineCount(sheet));
    // Streaming the result lines gives the same lines as keeping them (RND aside: it moves on).
    if (mentionsRandom(sheet)) return 0;
    std::size_t k = 0;
    bool same = true;
    const PassResult streamed = calculateSheet(sheet, grouping, [&](std::u16string_view line) {
        same = same && k < r.results.size() && r.results[k] == line;
        ++k;
    });
    fuzz::require(same && k == r.results.size() && streamed.total == r.total);
    return 0;
}
