// The stored formula list: any value, whole (first byte even) or cut at the read limit (odd).
// See formula_check.h for what must hold.
#include "formula_check.h"
#include "fuzz_text.h"

using namespace quill;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool cut = (data[0] & 1) != 0;
    fuzz::require(fuzz::formulaListFault(fuzz::fuzzText(data + 1, size - 1), cut) == nullptr);
    return 0;
}
