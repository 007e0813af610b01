// A whole calculation pass on any sheet text (after a first byte choosing the grouping option);
// see sheet_check.h for what must hold.
#include "engine/platform.h"
#include "fuzz_text.h"
#include "sheet_check.h"

using namespace quill;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A fixed clock keeps NOW, DATE and RND reproducible, so a finding replays.
    platform::setFixedNow(45000.5);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::u16string sheet = fuzz::fuzzText(data + 1, size - 1);
    fuzz::require(fuzz::sheetPassFault(sheet, fuzz::groupingOf(data[0])) == nullptr);
    return 0;
}
