// The work the web edition's budgets are measured on, the same in both builds (Google
// Benchmark does not build for WebAssembly): `eval N` evaluates N lines of the Eval
// benchmarks' mix, `tape N` makes N whole calculation passes over the 100,000-line money tape,
// and no argument does neither. bench/web_budgets.py times the processes from outside (the
// processor time of a long run less that of a short one), as a clock inside a WebAssembly
// program reads the wall, not the processor.
#include "engine/eval.h"
#include "eval_mix.h"
#include "sheet/calculation.h"
#include "tapes.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    const long count = argc > 2 ? std::atol(argv[2]) : 0;
    const std::string mode = argc > 1 ? argv[1] : "";
    // The mode is read once: comparing its text on every line would be timed as well.
    const bool evals = mode == "eval", tapes = mode == "tape";
    const std::u16string tape = tapes ? quill::bench::moneyTape(100000) : u"";
    std::size_t kept = 0;
    for (long i = 0; i < count; ++i) {
        if (evals) {
            const auto line =
                quill::bench::kMix[static_cast<std::size_t>(i) % std::size(quill::bench::kMix)];
            kept += quill::Eval(line).isEmpty();
        } else if (tapes) {
            kept += quill::calculateSheet(tape, quill::Grouping::Three).total.size();
        }
    }
    std::printf("%s %ld %zu\n", mode.c_str(), count, kept);
    return 0;
}
