// A calculation pass over tapes of typical money lines, grouped by three.
#include "sheet/calculation.h"
#include "sheet/incremental_pass.h"
#include "tapes.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using quill::bench::amountTape;
using quill::bench::moneyTape;

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

// The lines of a sheet, one of them edited between passes.
class TapeLines : public quill::LineSource {
public:
    explicit TapeLines(const std::u16string& sheet) {
        size_t start = 0;
        for (size_t nl; (nl = sheet.find(u'\n', start)) != std::u16string::npos; start = nl + 1)
            lines.push_back(sheet.substr(start, nl - start));
        lines.push_back(sheet.substr(start));
    }
    std::u16string text(size_t line) override { return lines[line]; }
    std::vector<std::u16string> lines;
};

// A key typed on one line (alternately "1" and Backspace), then the pass that reuses the
// other lines.
void typeOnLine(benchmark::State& state, TapeLines& sheet, size_t line) {
    quill::IncrementalPass pass(sheet.lines.size());
    pass.run(sheet, quill::Grouping::Three);
    bool digit = true;
    for (auto _ : state) {
        if (digit)
            sheet.lines[line] += u'1';
        else
            sheet.lines[line].pop_back();
        digit = !digit;
        pass.replaceLines(line, 1, 1);
        benchmark::DoNotOptimize(pass.run(sheet, quill::Grouping::Three));
    }
}

// range(1) 0 edits the first line (the total carried over every line after it), 1 the middle
// line. This tape multiplies and divides its total, so it is carried line by line.
void BM_IncrementalKey(benchmark::State& state) {
    TapeLines sheet(moneyTape(static_cast<int>(state.range(0))));
    typeOnLine(state, sheet, state.range(1) == 0 ? 0 : sheet.lines.size() / 2);
}
BENCHMARK(BM_IncrementalKey)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// The same on a tape of amounts (range(1): 0 the third line, 1 the middle line).
void BM_IncrementalKeyAmounts(benchmark::State& state) {
    TapeLines sheet(amountTape(static_cast<int>(state.range(0))));
    typeOnLine(state, sheet, state.range(1) == 0 ? 2 : sheet.lines.size() / 2);
}
BENCHMARK(BM_IncrementalKeyAmounts)
    ->ArgsProduct({{10000, 100000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// The same with "/ 7" as the second line: the total carries 28 significant digits, and a sum
// that grows past a power of ten rounds.
void BM_IncrementalKeyAmountsDivided(benchmark::State& state) {
    TapeLines sheet(amountTape(static_cast<int>(state.range(0))));
    sheet.lines[1] = u"/ 7";
    typeOnLine(state, sheet, 2);
}
BENCHMARK(BM_IncrementalKeyAmountsDivided)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Enter and Backspace on the third line of a tape of amounts: every line after it moves.
void BM_IncrementalEnterAmounts(benchmark::State& state) {
    TapeLines sheet(amountTape(static_cast<int>(state.range(0))));
    quill::IncrementalPass pass(sheet.lines.size());
    pass.run(sheet, quill::Grouping::Three);
    bool enter = true;
    for (auto _ : state) {
        if (enter) {
            sheet.lines.insert(sheet.lines.begin() + 3, std::u16string());
            pass.replaceLines(2, 1, 2);
        } else {
            sheet.lines.erase(sheet.lines.begin() + 3);
            pass.replaceLines(2, 2, 1);
        }
        enter = !enter;
        benchmark::DoNotOptimize(pass.run(sheet, quill::Grouping::Three));
    }
}
BENCHMARK(BM_IncrementalEnterAmounts)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
