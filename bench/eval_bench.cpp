// Eval over a mix of typical lines; items per second is lines per second on one core.
#include "engine/eval.h"
#include "eval_mix.h"

#include <benchmark/benchmark.h>

namespace {

using quill::bench::kMix;

void BM_EvalMix(benchmark::State& state) {
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(quill::Eval(kMix[i]));
        i = (i + 1) % std::size(kMix);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvalMix);

void BM_EvalEach(benchmark::State& state) {
    std::u16string_view line = kMix[state.range(0)];
    for (auto _ : state) benchmark::DoNotOptimize(quill::Eval(line));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_EvalEach)->DenseRange(0, std::size(kMix) - 1);

} // namespace
