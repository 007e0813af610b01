#include "speech/speak.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace quill {
namespace {

class RecordingOutput : public SpeechOutput {
public:
    explicit RecordingOutput(std::vector<std::u16string>& played) : played_(played) {}
    void play(std::u16string_view phrase) override { played_.emplace_back(phrase); }

private:
    std::vector<std::u16string>& played_;
};

TEST(Speak, ReachesTheEngineOnlyWhileTalking) {
    std::vector<std::u16string> played;
    Speech speech(std::make_unique<RecordingOutput>(played));
    EXPECT_TRUE(speech.available());

    speech.Speak(u"たす"); // talking starts off
    EXPECT_TRUE(played.empty());

    speech.setTalking(true);
    speech.Speak(u"たす");
    speech.Speak(u"<NUMK VAL=3>");
    EXPECT_EQ(played, (std::vector<std::u16string>{u"たす", u"<NUMK VAL=3>"}));

    speech.Speak(u""); // nothing to say (a date total of no known kind)
    speech.setTalking(false);
    speech.Speak(u"ひく");
    EXPECT_EQ(played.size(), 2u);

    speech.setTalking(true);
    speech.release();
    EXPECT_FALSE(speech.available());
    speech.Speak(u"ひく");
    EXPECT_EQ(played.size(), 2u);
}

TEST(Speak, WithoutAnEngineNothingHappens) {
    Speech speech;
    EXPECT_FALSE(speech.available());
    speech.setTalking(true);
    speech.Speak(u"たす"); // must simply return
}

struct TextRow {
    const char* name;
    std::u16string phrase;
    std::u16string text;
};

TEST(EspeakText, ReadsTheNotationAsJapaneseText) {
    const TextRow rows[] = {
        {"digit", u"<NUMK VAL=7>", u"7"},
        {"accent and separator dropped", u"か'っこと/じ'る", u"かっことじる"},
        {"long vowel written as a full-width minus", u"る'－と", u"るーと"},
        {"decimal read digit by digit", u"マイナス<NUMK VAL=12.05>", u"マイナス12てんぜろご"},
        {"number with text after it", u"<NUMK VAL=16>しん", u"16しん"},
        {"counters and pauses",
         u"<NUMK VAL=2009 COUNTER=ねん>;<NUMK VAL=3 COUNTER=がつ>;<NUMK VAL=7 COUNTER=にち>;",
         u"2009ねん、3がつ、7にち、"},
        {"version", u"バージョンわ,<NUMK VAL=1.57>,で'す。", u"バージョンわ、1てんごなな、です。"},
        {"exponent", u"<NUMK VAL=1.5E+15>", u"1てんごかけるじゅうの15じょう"},
        {"negative exponent", u"<NUMK VAL=1E-05>", u"1かけるじゅうのマイナス05じょう"},
        {"negative inside the tag", u"<NUMK VAL=-3>", u"マイナス3"},
        {"unknown tag dropped", u"あ<XYZ>い", u"あい"},
        {"unfinished tag dropped", u"あ<NUMK VAL=3", u"あ"},
        {"empty", u"", u""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(espeakText(row.phrase), row.text);
    }
}

TEST(TalkEngine, SynthesisesAudibleSamples) {
    auto engine = TalkEngine::createForRetrieval();
    if (!engine) GTEST_SKIP() << "espeak-ng or its Japanese voice is not installed";
    EXPECT_GT(engine->sampleRate(), 0);
    EXPECT_EQ(TalkEngine::createForRetrieval(), nullptr) << "a second instance at once";

    const std::vector<short> samples =
        engine->synthesize(u"マイナス<NUMK VAL=12.5>;<NUMK VAL=3 COUNTER=がつ>");
    // At least a quarter of a second of sound that is not silence.
    ASSERT_GT(samples.size(), static_cast<std::size_t>(engine->sampleRate() / 4));
    const auto loudest = std::max_element(
        samples.begin(), samples.end(), [](short a, short b) { return std::abs(a) < std::abs(b); });
    EXPECT_GT(std::abs(*loudest), 1000);

    engine.reset();
    engine = TalkEngine::createForRetrieval();
    ASSERT_NE(engine, nullptr) << "released engine not created again";
    EXPECT_FALSE(engine->synthesize(u"たす").empty());
    EXPECT_EQ(TalkEngine::create(), nullptr) << "the process is set up for retrieval";
}

} // namespace
} // namespace quill
