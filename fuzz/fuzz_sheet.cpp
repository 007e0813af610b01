// A whole calculation pass on any sheet text with each grouping option: every line gets a
// result slot, the narrowed sheet keeps the line count, and nothing throws.
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
    fuzz::require(lineCount(r.sheet) == lineCount(sheet));
    fuzz::require(r.sheetChanged || r.sheet == sheet);
    return 0;
}
