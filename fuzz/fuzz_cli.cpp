// quillsum-calc's option and date parser and what it does with any arguments; see
// cli_check.h for what must hold. An exception leaving run() ends the run as a finding.
#include "cli_check.h"
#include "engine/platform.h"
#include "fuzz_text.h"

using namespace quill;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::require(fuzz::commandLineFault(data, size) == nullptr);
    return 0;
}
