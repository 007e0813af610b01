// A calculation pass over tapes of typical money lines, grouped by three.
#include "sheet/calculation.h"
#include "sheet/incremental_pass.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

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
// other lines: range(1) 0 edits the first line (the total carried over every line after it),
// 1 the middle line.
void BM_IncrementalKey(benchmark::State& state) {
    TapeLines sheet(moneyTape(static_cast<int>(state.range(0))));
    quill::IncrementalPass pass(sheet.lines.size());
    pass.run(sheet, quill::Grouping::Three);
    const size_t line = state.range(1) == 0 ? 0 : sheet.lines.size() / 2;
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
BENCHMARK(BM_IncrementalKey)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

} // namespace
