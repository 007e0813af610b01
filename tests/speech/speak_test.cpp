#include "speech/speak.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quill {
namespace {

// Records each phrase with the way it was handed over: "!" a key's phrase, "=" a result.
class RecordingOutput : public SpeechOutput {
public:
    RecordingOutput(std::vector<std::u16string>& played, bool ready)
        : played_(played), ready_(ready) {}
    void play(std::u16string_view phrase) override {
        played_.push_back(u"!" + std::u16string(phrase));
    }
    void playResult(std::u16string_view phrase) override {
        played_.push_back(u"=" + std::u16string(phrase));
    }
    bool ready() const override { return ready_; }

private:
    std::vector<std::u16string>& played_;
    bool ready_;
};

TEST(Speak, ReachesTheEngineOnlyWhileTalkingAndReady) {
    std::vector<std::u16string> played;
    Speech speech(std::make_unique<RecordingOutput>(played, true));
    EXPECT_TRUE(speech.available());

    speech.Speak(u"たす"); // talking starts off
    EXPECT_TRUE(played.empty());

    speech.setTalking(true);
    speech.Speak(u"たす");
    speech.SpeakResult(u"<NUMK VAL=3>");
    speech.Speak(u""); // nothing to say (a date total of no known kind)
    speech.SpeakResult(u"");
    EXPECT_EQ(played, (std::vector<std::u16string>{u"!たす", u"=<NUMK VAL=3>"}));

    speech.setTalking(false);
    speech.Speak(u"ひく");
    speech.setTalking(true);
    speech.release();
    EXPECT_FALSE(speech.available());
    speech.Speak(u"ひく");
    EXPECT_EQ(played.size(), 2u);

    // An engine still opening is not available, and a key pressed meanwhile is not spoken.
    Speech opening(std::make_unique<RecordingOutput>(played, false));
    opening.setTalking(true);
    EXPECT_FALSE(opening.available());
    opening.Speak(u"たす");
    EXPECT_EQ(played.size(), 2u);

    Speech none;
    none.setTalking(true);
    EXPECT_FALSE(none.available());
    none.Speak(u"たす"); // must simply return
}

TEST(EspeakText, MarksOfTheNotationAndStrayCharacters) {
    const struct {
        const char* name;
        std::u16string phrase, text;
    } rows[] = {
        {"accent and separator dropped", u"か'っこと/じ'る", u"かっことじる"},
        {"long vowel written as a full-width minus", u"る'－と", u"るーと"},
        {"pauses", u"あ;い,う。", u"あ、い、う。"},
        {"katakana kept", u"デリ'ート", u"デリート"},
        {"kanji, Latin letters, digits and blanks dropped", u"計算 abc 123 たす", u"たす"},
        {"unknown tag dropped", u"あ<XYZ>い", u"あい"},
        {"unfinished tag dropped", u"あ<NUMK VAL=3", u"あ"},
        {"tag without a value", u"あ<NUMK COUNTER=じ>い", u"あい"},
        {"counter filtered too", u"<NUMK VAL=3 COUNTER=個x>", u"さん"},
        {"empty", u"", u""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(espeakText(row.phrase), row.text);
    }
}

// A sound output that keeps what it is given; a flush drops all of it (nothing is really
// played, so all of it is "not yet heard").
class RecordingSound : public SoundOutput {
public:
    bool write(const short*, std::size_t count) override {
        std::lock_guard lock(mutex_);
        kept_ += count;
        changed_.notify_all();
        return true;
    }
    void flush() override {
        std::lock_guard lock(mutex_);
        kept_ = 0;
        ++flushes_;
    }
    void drain() override {}

    // Waits until at least `count` samples are kept after `flushes` flushes (CTest's timeout
    // guards a hang); returns the samples kept then.
    std::size_t waitFor(std::size_t count, int flushes) {
        std::unique_lock lock(mutex_);
        while (kept_ < count || flushes_ < flushes)
            changed_.wait_for(lock, std::chrono::milliseconds(10));
        return kept_;
    }
    int flushes() {
        std::lock_guard lock(mutex_);
        return flushes_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t kept_ = 0;
    int flushes_ = 0;
};

std::unique_ptr<TalkEngine> readyEngine(RecordingSound*& sound) {
    auto owned =
        std::make_shared<std::unique_ptr<RecordingSound>>(std::make_unique<RecordingSound>());
    sound = owned->get();
    // The engine opens its output once, on its first phrase.
    auto engine = TalkEngine::create(
        [owned](int) -> std::unique_ptr<SoundOutput> { return std::move(*owned); });
    std::mutex m;
    std::condition_variable cv;
    bool ready = false;
    engine->whenReady([&] {
        std::lock_guard lock(m);
        ready = true;
        cv.notify_all();
    });
    std::unique_lock lock(m);
    cv.wait(lock, [&] { return ready; });
    return engine;
}

TEST(TalkEngine, SynthesisesAudibleSamples) {
    auto engine = TalkEngine::createForRetrieval();
    if (!engine) GTEST_SKIP() << "espeak-ng or its Japanese voice is not installed";
    EXPECT_GT(engine->sampleRate(), 0);
    const std::vector<short> samples =
        engine->synthesize(u"マイナス<NUMK VAL=12.5>;<NUMK VAL=3 COUNTER=がつ>");
    // At least a quarter of a second of sound that is not silence.
    ASSERT_GT(samples.size(), static_cast<std::size_t>(engine->sampleRate() / 4));
    const auto loudest = std::max_element(
        samples.begin(), samples.end(), [](short a, short b) { return std::abs(a) < std::abs(b); });
    EXPECT_GT(std::abs(*loudest), 1000);
    // Engines share the one espeak-ng session of the process.
    auto second = TalkEngine::createForRetrieval();
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(second->synthesize(u"たす").empty());
}

// espeak-ng varies a phrase's length a little from one synthesis to the next; the counts
// below allow for that.
TEST(TalkEngine, AKeyCutsOffAndItsResultFollows) {
    auto retrieval = TalkEngine::createForRetrieval();
    if (!retrieval) GTEST_SKIP() << "espeak-ng is not installed";
    const auto about = [&](std::u16string_view p) { return retrieval->synthesize(p).size(); };
    const std::size_t key = about(u"たす"), result = about(u"<NUMK VAL=3>"),
                      longOne = about(u"<NUMK VAL=79228162514264337593543950335>");
    RecordingSound* sound = nullptr;
    auto engine = readyEngine(sound);

    engine->play(u"たす");
    engine->playResult(u"<NUMK VAL=3>");
    EXPECT_GT(sound->waitFor((key + result) * 9 / 10, 0), key * 11 / 10);
    EXPECT_EQ(sound->flushes(), 0) << "the result cut off its key";

    engine->play(u"<NUMK VAL=79228162514264337593543950335>");
    engine->play(u"ひく");
    // The long phrase is flushed and what is kept after it is the new key's phrase alone.
    const std::size_t kept = sound->waitFor(about(u"ひく") * 9 / 10, 1);
    EXPECT_LT(kept, longOne / 2);
}

// With no sound server the engine drops its phrases and says nothing about it: no line from
// espeak-ng, ALSA or PulseAudio on standard error.
TEST(TalkEngine, WithoutASoundServerNothingIsPrinted) {
    if (!TalkEngine::createForRetrieval()) GTEST_SKIP() << "espeak-ng is not installed";
    setenv("PULSE_SERVER", "unix:/nonexistent/quill-pulse", 1);
    std::fflush(stderr);
    const int saved = dup(2);
    FILE* captured = std::tmpfile();
    dup2(fileno(captured), 2);

    std::mutex m;
    std::condition_variable cv;
    int opened = 0, found = 0;
    auto engine = TalkEngine::create([&](int rate) {
        auto out = openDesktopSound(rate);
        std::lock_guard lock(m);
        ++opened;
        found += out != nullptr;
        cv.notify_all();
        return out;
    });
    for (int phrase = 1; phrase <= 2; ++phrase) {
        while (!engine->ready()) std::this_thread::yield();
        engine->play(u"<NUMK VAL=3>");
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return opened == phrase; }); // each phrase tries again
    }
    engine.reset();

    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    unsetenv("PULSE_SERVER");
    std::fseek(captured, 0, SEEK_END);
    EXPECT_EQ(std::ftell(captured), 0) << "something was printed on standard error";
    std::fclose(captured);
    EXPECT_EQ(found, 0);
}

} // namespace
} // namespace quill
