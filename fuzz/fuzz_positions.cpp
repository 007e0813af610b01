// The stored button position lists: any text reads without failing, the pairs read stop at
// the first bad one, and what is read survives storing and reading back.
#include "fuzz_text.h"
#include "settings/button_positions.h"

using namespace quill;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t buttonCount = data[0] % 24;
    const std::u16string text = fuzz::fuzzText(data + 1, size - 1);
    const PositionListRead read = readPositionList(text, buttonCount);
    fuzz::require(read.positions.size() <= buttonCount);
    if (read.badPair) fuzz::require(*read.badPair == read.positions.size());

    const std::u16string stored = formatPositionList(read.positions);
    const PositionListRead again = readPositionList(stored, buttonCount);
    fuzz::require(!again.badPair);
    fuzz::require(again.positions.size() == read.positions.size());
    for (std::size_t k = 0; k < read.positions.size(); ++k) {
        fuzz::require(again.positions[k].left == read.positions[k].left);
        fuzz::require(again.positions[k].top == read.positions[k].top);
    }
    return 0;
}
