// Text on its way into the sheet (paste, drop, input method): whatever comes in, what reaches
// the sheet holds no NUL, no control character but the tab and the plain line break, and no
// other kind of line break; cleaning it again changes nothing. The narrowing of a calculation
// pass then keeps its lines, and caret positions mapped through it stay in order and inside
// the text.
#include "fuzz_text.h"
#include "sheet/incoming_text.h"
#include "sheet/narrowing.h"

#include <algorithm>

using namespace quill;

namespace {

bool allowedInSheet(char16_t c) {
    if (c == u'\t' || c == u'\n') return true;
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) return false;
    return c != u'\u2028' && c != u'\u2029';
}

std::u16string narrowed(std::u16string_view text) {
    std::u16string out;
    std::size_t from = 0;
    for (std::size_t nl; (nl = text.find(u'\n', from)) != std::u16string_view::npos; from = nl + 1)
        out += narrowLine(text.substr(from, nl - from)) + u'\n';
    return out + narrowLine(text.substr(from));
}

void checkNarrowing(const std::u16string& clean) {
    const std::u16string half = narrowed(clean);
    fuzz::require(std::count(half.begin(), half.end(), u'\n') ==
                  std::count(clean.begin(), clean.end(), u'\n'));
    std::size_t last = 0;
    for (std::size_t p = 0; p <= clean.size(); ++p) {
        const std::size_t mapped = narrowedPosition(clean, half, p);
        fuzz::require(mapped >= last && mapped <= half.size());
        last = mapped;
    }
    fuzz::require(narrowedPosition(clean, half, clean.size()) == half.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = fuzz::fuzzText(data, size);
    const std::u16string clean = cleanIncomingText(text);
    fuzz::require(std::all_of(clean.begin(), clean.end(), allowedInSheet));
    fuzz::require(clean.size() <= text.size());
    fuzz::require(needsCleaning(text) == (clean != text));
    fuzz::require(!needsCleaning(clean) && cleanIncomingText(clean) == clean);
    // Every character of the text before its first NUL that the sheet may hold is kept.
    const std::u16string_view head = std::u16string_view(text).substr(0, text.find(u'\0'));
    const auto kept = [](char16_t c) { return c != u'\n' && allowedInSheet(c); };
    fuzz::require(std::count_if(head.begin(), head.end(), kept) ==
                  std::count_if(clean.begin(), clean.end(), kept));
    if (clean.size() <= 256) checkNarrowing(clean);
    return 0;
}
