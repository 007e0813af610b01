// The desktop's speech service as an output: what is sent to it and in which order, against a
// stand-in service on a socket of the test's own.
#include "speech/chosen_output.h"
#include "speech/speech_service.h"

#include "fake_speech_service.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace quill {
namespace {

using namespace std::chrono_literals;
using test::FakeSpeechService;

std::unique_ptr<ServiceSpeech> connectTo(const FakeSpeechService& service) {
    std::string error;
    auto speech = ServiceSpeech::connect(error, service.path());
    if (!speech) ADD_FAILURE() << "no connection: " << error;
    return speech;
}

// The commands that decide what is heard: cancelling, priorities, texts and voice settings.
std::vector<std::string> heardCommands(const FakeSpeechService& service) {
    std::vector<std::string> kept;
    for (const std::string& c : service.received())
        if (c.rfind("CANCEL", 0) == 0 || c.rfind("SPEAK ", 0) == 0 ||
            c.rfind("SET SELF PRIORITY", 0) == 0 || c.rfind("SET SELF RATE", 0) == 0 ||
            c.rfind("SET SELF VOLUME", 0) == 0 || c.rfind("SET SELF PITCH", 0) == 0 ||
            c.rfind("SET SELF LANGUAGE", 0) == 0)
            kept.push_back(c);
    return kept;
}

TEST(ServiceVoice, TheProgramsVoiceGoesOnTopOfTheUsersOwn) {
    const struct {
        ServiceVoice user;
        Voice voice;
        ServiceVoice sent;
    } rows[] = {
        {{0, 100, 0}, {}, {0, 100, 0}},               // the defaults change nothing
        {{30, 60, -20}, {}, {30, 60, -20}},           // ... of the user's own either
        {{0, 100, 0}, {300, 100, 50}, {100, 100, 0}}, // fastest is the service's fastest
        {{0, 100, 0}, {200, 100, 50}, {50, 100, 0}},
        {{40, 100, 0}, {200, 100, 50}, {70, 100, 0}}, // half-way from the user's rate
        {{0, 100, 0}, {50, 100, 50}, {-100, 100, 0}}, // slowest is the service's slowest
        {{-20, 100, 0}, {75, 100, 50}, {-60, 100, 0}},
        {{0, 100, 0}, {100, 50, 50}, {0, 0, 0}}, // volume scales down to the service's lowest
        {{0, 60, 0}, {100, 0, 50}, {0, -100, 0}},
        {{0, 100, 10}, {100, 100, 70}, {0, 100, 50}}, // pitch moves the user's
        {{0, 100, 90}, {100, 100, 100}, {0, 100, 100}},
        {{0, 100, 0}, {1000, 500, -9}, {100, 100, -100}}, // out of range: the nearest end
        {{250, 300, -300}, {}, {100, 100, -100}},         // the service's odd values too
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "user " << row.user.rate << "/" << row.user.volume << "/"
                                        << row.user.pitch << ", voice " << row.voice.speed << "/"
                                        << row.voice.volume << "/" << row.voice.pitch);
        const ServiceVoice sent = onTopOf(row.user, row.voice);
        EXPECT_EQ(sent.rate, row.sent.rate);
        EXPECT_EQ(sent.volume, row.sent.volume);
        EXPECT_EQ(sent.pitch, row.sent.pitch);
    }
}

TEST(ServiceSpeech, KeysCancelAndQueueAsTheScreenReaderResultsWaitAndGiveWay) {
    FakeSpeechService service(40, 80, -10);
    auto speech = connectTo(service);
    ASSERT_TRUE(speech);
    // Japanese, and the user's own settings sent back unchanged at the default voice.
    EXPECT_EQ(heardCommands(service),
              (std::vector<std::string>{"SET SELF LANGUAGE JA", "SET SELF RATE 40",
                                        "SET SELF VOLUME 80", "SET SELF PITCH -10"}));
    service.forget();

    speech->play(u"<NUMK VAL=1>");
    speech->playResult(u"<NUMK VAL=12>");
    speech->playResult(u"<NUMK VAL=123>");
    speech->play(u"たす");
    speech->setVoice(Voice{200, 50, 50});
    speech->stop();
    speech->playResult(u"ABC"); // nothing speakable: nothing sent
    EXPECT_EQ(heardCommands(service),
              (std::vector<std::string>{
                  "CANCEL SELF", "SET SELF PRIORITY MESSAGE", "SPEAK いち",
                  // results wait behind "message" and the newer replaces the older by itself:
                  // no cancel, which would drop the key's phrase before them
                  "SET SELF PRIORITY TEXT", "SPEAK じゅうに", "SET SELF PRIORITY TEXT",
                  "SPEAK ひゃくにじゅうさん",
                  // the next key drops the program's own phrases only
                  "CANCEL SELF", "SET SELF PRIORITY MESSAGE", "SPEAK たす", "SET SELF RATE 70",
                  "SET SELF VOLUME -10", "SET SELF PITCH -10", "CANCEL SELF"}));
}

TEST(ServiceSpeech, PlaysUntilTheServiceReportsTheEnd) {
    FakeSpeechService service(0, 100, 0);
    auto speech = connectTo(service);
    ASSERT_TRUE(speech);
    auto waitFor = [&](bool playing) {
        for (int i = 0; i < 400 && speech->playing() != playing; ++i)
            std::this_thread::sleep_for(5ms);
        return speech->playing() == playing;
    };
    EXPECT_FALSE(speech->playing());
    speech->play(u"いち");
    speech->playResult(u"に");
    EXPECT_TRUE(speech->playing());
    service.end(1);
    std::this_thread::sleep_for(50ms);
    EXPECT_TRUE(speech->playing()) << "the result is still to be heard";
    service.end(2);
    EXPECT_TRUE(waitFor(false));

    speech->play(u"さん");
    EXPECT_TRUE(speech->playing());
    speech->stop(); // the service reports the cancelled message
    EXPECT_TRUE(waitFor(false));
}

// Records what the program's own voice is given.
class OwnVoice : public SpeechOutput {
public:
    explicit OwnVoice(std::vector<std::u16string>& said) : said_(said) {}
    void play(std::u16string_view phrase) override { said_.emplace_back(phrase); }

private:
    std::vector<std::u16string>& said_;
};

TEST(ChosenOutput, TheOwnVoiceSpeaksWhenTheServiceIsMissingOrGoesAway) {
    std::vector<std::u16string> own;
    auto service = std::make_unique<FakeSpeechService>(0, 100, 0);
    const std::string address = service->path();
    ChosenOutput output(std::make_unique<OwnVoice>(own), [&](std::string& error) {
        return std::unique_ptr<SpeechOutput>(ServiceSpeech::connect(error, address));
    });
    std::string error;
    EXPECT_TRUE(output.useOutput(VoiceOutput::Service, error)) << error;
    output.play(u"いち");
    EXPECT_TRUE(own.empty());
    EXPECT_EQ(heardCommands(*service).back(), "SPEAK いち");

    // The service goes away between two phrases: the next is said by the own voice.
    service->goAway();
    std::this_thread::sleep_for(50ms);
    output.play(u"に");
    EXPECT_EQ(own, std::vector<std::u16string>{u"に"});
    output.play(u"さん");
    EXPECT_EQ(own.back(), u"さん");

    // Chosen again while nothing answers: the caller learns why, the own voice speaks on.
    service.reset();
    error.clear();
    EXPECT_FALSE(output.useOutput(VoiceOutput::Service, error));
    EXPECT_NE(error, "");
    output.play(u"よん");
    EXPECT_EQ(own.back(), u"よん");
    EXPECT_TRUE(output.useOutput(VoiceOutput::Own, error));
}

TEST(ServiceSpeech, NoServiceAtTheAddressIsReported) {
    std::string error;
    EXPECT_EQ(ServiceSpeech::connect(error, testing::TempDir() + "quill-no-such-service.sock"),
              nullptr);
    EXPECT_NE(error, "");
}

} // namespace
} // namespace quill
