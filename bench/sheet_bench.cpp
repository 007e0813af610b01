// A calculation pass over tapes of typical money lines, grouped by three.
#include "sheet/calculation.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::u16string moneyTape(int lines) {
    static const char16_t* const pattern[] = {
        u"12,800",    u"+ 3,450",          u"- 1,200",  u"* 1.08",  u"+ 980",
        u"1,234+5*2", u"ROUND(1234.5, 0)", u"+ 45,000", u"/ 2",     u"+ 19,800",
        u"- 350",     u"+ 2,400*3",        u"",         u"+ 7,777", u"INT(12345.678)",
    };
    std::u16string sheet;
    for (int i = 0; i < lines; ++i) {
        if (i) sheet += u'\n';
        sheet += pattern[i % std::size(pattern)];
    }
    return sheet;
}

void BM_CalculateTape(benchmark::State& state) {
    std::u16string sheet = moneyTape(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(quill::calculateSheet(sheet, quill::Grouping::Three));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CalculateTape)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace
