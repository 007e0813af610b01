// The engine's playing state, which reading back waits on between lines, and stopping it.
#include "speech/speak.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace quill {
namespace {

using namespace std::chrono_literals;

// Takes samples as a sound card does: no faster than they play.
class RealTimeSound : public SoundOutput {
public:
    explicit RealTimeSound(int rate) : rate_(rate) {}
    bool write(const short*, std::size_t count) override {
        std::this_thread::sleep_for(std::chrono::duration<double>(double(count) / rate_));
        written += count;
        ++writes;
        return true;
    }
    void flush() override { ++flushes; }
    void drain() override {}

    std::atomic<std::size_t> written{0};
    std::atomic<int> writes{0};
    std::atomic<int> flushes{0};

private:
    int rate_;
};

template <typename F> void waitUntil(F done) {
    while (!done()) std::this_thread::sleep_for(5ms); // CTest's timeout guards a hang
}

TEST(TalkEngine, PlaysUntilThePhraseHasBeenHeardAndStopCutsItOff) {
    auto probe = TalkEngine::createForRetrieval();
    if (!probe) GTEST_SKIP() << "espeak-ng or its Japanese voice is not installed";
    const int rate = probe->sampleRate();
    const std::size_t shortLength = probe->synthesize(u"たす").size();

    RealTimeSound* sound = nullptr;
    auto engine = TalkEngine::create([&](int r) -> std::unique_ptr<SoundOutput> {
        auto s = std::make_unique<RealTimeSound>(r);
        sound = s.get();
        return s;
    });
    std::atomic<bool> ready = false;
    engine->whenReady([&] { ready = true; });
    waitUntil([&] { return ready.load(); });

    const auto start = std::chrono::steady_clock::now();
    engine->play(u"たす");
    EXPECT_TRUE(engine->playing()) << "from the moment the phrase is handed over";
    waitUntil([&] { return !engine->playing(); });
    const auto heard = std::chrono::steady_clock::now() - start;
    ASSERT_NE(sound, nullptr);
    EXPECT_GE(sound->written.load(), shortLength * 9 / 10) << "not over before all was played";
    EXPECT_GE(heard, std::chrono::duration<double>(double(shortLength) / rate * 0.9));

    engine->play(u"<NUMK VAL=79228162514264337593543950335>");
    const int before = sound->writes.load();
    waitUntil([&] { return sound->writes.load() > before; });
    engine->stop();
    waitUntil([&] { return !engine->playing(); });
    EXPECT_GE(sound->flushes.load(), 1) << "what is buffered of the cut phrase is dropped";
    const std::size_t afterStop = sound->written.load();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(sound->written.load(), afterStop) << "nothing more is played";
}

} // namespace
} // namespace quill
