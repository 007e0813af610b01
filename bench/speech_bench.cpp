// Speech timings: from a key's phrase handed to the engine to its first samples at the sound
// output (when all is quiet, and when it cuts off a long phrase being spoken), and the time
// to synthesise the longest date phrase.
#include "engine/datetime.h"
#include "engine/jtext.h"
#include "engine/value.h"
#include "sheet/phrase.h"
#include "sound_clock.h"
#include "speech/espeak_text.h"
#include "speech/speak.h"

#include <benchmark/benchmark.h>

#include <future>
#include <memory>

namespace {

using quill::bench::SoundClock;

struct ReadyEngine {
    std::unique_ptr<quill::TalkEngine> engine;
    SoundClock* sound = nullptr;
};

// A playing engine whose sound goes to a SoundClock; waits until it is ready.
ReadyEngine playingEngine() {
    ReadyEngine r;
    auto clock = std::make_shared<SoundClock*>(nullptr);
    std::promise<void> opened;
    r.engine = quill::TalkEngine::create([clock](int rate) -> std::unique_ptr<quill::SoundOutput> {
        auto out = std::make_unique<SoundClock>(rate);
        *clock = out.get();
        return out;
    });
    std::promise<void> ready;
    r.engine->whenReady([&ready] { ready.set_value(); });
    ready.get_future().wait();
    // The output opens with the first phrase.
    r.engine->play(u"たす");
    while (*clock == nullptr) std::this_thread::yield();
    r.sound = *clock;
    return r;
}

double secondsSince(SoundClock::Clock::time_point start, SoundClock::Clock::time_point end) {
    return std::chrono::duration<double>(end - start).count();
}

void BM_KeyPhraseToFirstSamples(benchmark::State& state) {
    if (!quill::TalkEngine::createForRetrieval()) return state.SkipWithError("no espeak-ng");
    ReadyEngine r = playingEngine();
    const bool cutting = state.range(0) != 0;
    const std::u16string longPhrase =
        u"<NUMK VAL=79228162514264337593543950335>;<NUMK VAL=79228162514264337593543950335>";
    for (auto _ : state) {
        std::uint64_t marks = r.sound->marks();
        if (cutting) {
            // A long phrase is being heard when the key is pressed.
            r.sound->arm();
            r.engine->play(longPhrase);
            r.sound->waitForFirstSamples(marks);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            marks = r.sound->marks();
        } else {
            r.sound->arm();
        }
        const auto start = SoundClock::Clock::now();
        r.engine->play(u"<NUMK VAL=7>");
        state.SetIterationTime(secondsSince(start, r.sound->waitForFirstSamples(marks)));
    }
}
BENCHMARK(BM_KeyPhraseToFirstSamples)
    ->ArgName("cutting_off")
    ->Arg(0)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
// Each of these first lets a long phrase be heard for a while.
BENCHMARK(BM_KeyPhraseToFirstSamples)
    ->ArgName("cutting_off")
    ->Arg(1)
    ->Iterations(40)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The date phrase with the most to say: each piece is chosen for the longest reading.
std::u16string longestDatePhrase() {
    quill::DateTimeFields longest{};
    std::size_t best = 0;
    const auto length = [](const quill::DateTimeFields& f) {
        return quill::espeakText(quill::resultPhrase(quill::Value::date(quill::dateSerial(f))))
            .size();
    };
    quill::DateTimeFields f{2000, 1, 1, 1, 1, 1};
    const auto pick = [&](int& field, int from, int to) {
        int bestValue = from;
        for (field = from; field <= to; ++field)
            if (const std::size_t n = length(f); n > best) best = n, bestValue = field;
        field = bestValue;
    };
    pick(f.year, 1000, 9999);
    pick(f.month, 1, 12);
    pick(f.day, 1, 28);
    pick(f.hour, 0, 23);
    pick(f.minute, 0, 59);
    pick(f.second, 0, 59);
    longest = f;
    return quill::resultPhrase(quill::Value::date(quill::dateSerial(longest)));
}

void BM_SynthesiseLongestDatePhrase(benchmark::State& state) {
    auto engine = quill::TalkEngine::createForRetrieval();
    if (!engine) return state.SkipWithError("no espeak-ng");
    const std::u16string phrase = longestDatePhrase();
    std::size_t samples = 0;
    for (auto _ : state) samples = engine->synthesize(phrase).size();
    state.counters["spoken_seconds"] = double(samples) / engine->sampleRate();
    state.SetLabel(quill::toUtf8(quill::espeakText(phrase)));
}
BENCHMARK(BM_SynthesiseLongestDatePhrase)->Unit(benchmark::kMillisecond);

} // namespace
