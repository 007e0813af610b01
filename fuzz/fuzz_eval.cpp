// Eval on any text: it returns (no crash, no hang, no leak), never throws, and never lets a
// NaN or an infinity out.
#include "engine/eval.h"
#include "engine/platform.h"
#include "fuzz_text.h"

#include <cmath>
#include <cstdlib>

using namespace quill;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A fixed clock keeps NOW, DATE and RND reproducible, so a finding replays.
    platform::setFixedNow(45000.5);
    // ENVIRON$ reads the environment: give it a known variable.
    setenv("QUILL_FUZZ_VAR", "123", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = fuzz::fuzzText(data, size);
    int messages = 0;
    const Value v = Eval(text, [&](std::u16string_view) { ++messages; });
    if (v.is(Kind::Double)) fuzz::require(std::isfinite(v.asDouble()));
    if (v.is(Kind::Single)) fuzz::require(std::isfinite(v.asSingle()));
    if (v.is(Kind::Date)) fuzz::require(std::isfinite(v.asDate()));
    (void)SStr(v);
    return 0;
}
