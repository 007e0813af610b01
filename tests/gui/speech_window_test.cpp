// The window and its speech engine: the talking item waits for the engine to be ready, and a
// key's phrase cuts in while the result phrase after it follows it.
#include "app/deferred_speech.h"
#include "gui_fixture.h"
#include "keypad/keypad_button.h"
#include "settings/profile.h"
#include "window/frmMain.h"
#include "window/main_menus.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace quill::test {
namespace {

// An engine that becomes ready when the test says so, from a thread of its own as the real
// one does. Phrases are logged with "!" for a key's phrase and "=" for a result.
class LateSpeech : public SpeechOutput {
public:
    struct Shared {
        std::mutex mutex;
        bool ready = false;
        std::function<void()> notice;
        std::vector<std::u16string> log;
        std::vector<std::u16string> voiceLog; // what was set: "voice 100 100 50", "output own"
        bool serviceAnswers = false;
    };
    explicit LateSpeech(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}

    void play(std::u16string_view phrase) override { log(u"!", phrase); }
    void playResult(std::u16string_view phrase) override { log(u"=", phrase); }
    bool ready() const override {
        std::lock_guard lock(shared_->mutex);
        return shared_->ready;
    }
    void whenReady(std::function<void()> notice) override {
        std::lock_guard lock(shared_->mutex);
        shared_->notice = std::move(notice);
    }
    void setVoice(const Voice& v) override {
        logVoice(
            u"voice ",
            QStringLiteral("%1 %2 %3").arg(v.speed).arg(v.volume).arg(v.pitch).toStdU16String());
    }
    bool useOutput(VoiceOutput output, std::string& error) override {
        logVoice(u"output ", output == VoiceOutput::Service ? u"service" : u"own");
        if (output == VoiceOutput::Own || shared_->serviceAnswers) return true;
        error = "none here";
        return false;
    }

private:
    void log(std::u16string_view how, std::u16string_view phrase) {
        shared_->log.push_back(std::u16string(how) + std::u16string(phrase));
    }
    void logVoice(std::u16string_view what, std::u16string_view value) {
        shared_->voiceLog.push_back(std::u16string(what) + std::u16string(value));
    }
    std::shared_ptr<Shared> shared_;
};

class SpeechWindow : public GuiTest {
protected:
    void TearDown() override {
        window_.reset();
        GuiTest::TearDown();
    }
    frmMain& open(const std::string& ini, std::unique_ptr<SpeechOutput> speech = nullptr) {
        writeIni("[Calc]\n" + ini);
        if (!speech) speech = std::make_unique<LateSpeech>(shared_);
        window_ = std::make_unique<frmMain>(std::move(speech));
        window_->show();
        QCoreApplication::processEvents();
        return *window_;
    }
    void becomeReady() {
        std::thread engine([this] {
            std::function<void()> notice;
            {
                std::lock_guard lock(shared_->mutex);
                shared_->ready = true;
                notice = shared_->notice;
            }
            if (notice) notice();
        });
        engine.join();
        QCoreApplication::processEvents();
    }
    void click(KeypadButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    std::vector<std::u16string> takeLog() {
        std::vector<std::u16string> log;
        log.swap(shared_->log);
        return log;
    }

    std::vector<std::u16string> takeVoiceLog() {
        std::vector<std::u16string> log;
        log.swap(shared_->voiceLog);
        return log;
    }

    std::shared_ptr<LateSpeech::Shared> shared_ = std::make_shared<LateSpeech::Shared>();
    std::unique_ptr<frmMain> window_;
};

TEST_F(SpeechWindow, the_talking_item_is_enabled_once_the_engine_is_ready) {
    frmMain& w = open("Talk=-1\nReCalc=-1\n");
    EXPECT_FALSE(w.mnuOptItem().at(OptItem::Talk)->isEnabled());
    EXPECT_TRUE(w.mnuOptItem().isChecked(OptItem::Talk)) << "the stored choice is kept meanwhile";
    click(w.cmdNum(NumKey::Digit7));
    EXPECT_TRUE(takeLog().empty()) << "a key before the engine is ready is not spoken";
    EXPECT_EQ(w.sheet()->toPlainText(), QStringLiteral("7")) << "but typed";

    becomeReady();
    EXPECT_TRUE(w.mnuOptItem().at(OptItem::Talk)->isEnabled());
    click(w.cmdNum(NumKey::Digit8));
    EXPECT_EQ(takeLog(), (std::vector<std::u16string>{u"!<NUMK VAL=8>", u"=<NUMK VAL=78>"}));
}

TEST_F(SpeechWindow, a_keys_phrase_cuts_in_and_the_result_follows_it) {
    frmMain& w = open("Talk=-1\nReCalc=-1\n");
    becomeReady();
    const struct {
        const char* name;
        std::function<void()> act;
        std::vector<std::u16string> heard;
    } rows[] = {
        {"digit key",
         [&] { click(w.cmdNum(NumKey::Digit5)); },
         {u"!<NUMK VAL=5>", u"=<NUMK VAL=5>"}},
        {"operator key", [&] { click(w.cmdOp(OpKey::Plus)); }, {u"!たす"}},
        {"digit after it",
         [&] { click(w.cmdNum(NumKey::Digit3)); },
         {u"!<NUMK VAL=3>", u"=<NUMK VAL=8>"}},
        {"the = key speaks the result alone",
         [&] { click(w.cmdOp(OpKey::Equals)); },
         {u"=<NUMK VAL=8>"}},
    };
    takeLog();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        row.act();
        EXPECT_EQ(takeLog(), row.heard);
    }
}

// The program opens its engine only after the window's first paint: until then the window
// has an engine that is not ready, and nothing said meanwhile reaches the engine later.
TEST_F(SpeechWindow, an_engine_opened_after_the_window_works_as_one_opened_before) {
    for (bool engineExists : {true, false}) {
        SCOPED_TRACE(engineExists ? "engine" : "no engine (espeak-ng missing)");
        shared_ = std::make_shared<LateSpeech::Shared>();
        int opened = 0;
        auto speech = std::make_unique<DeferredSpeech>([&]() -> std::unique_ptr<SpeechOutput> {
            ++opened;
            if (!engineExists) return nullptr;
            return std::make_unique<LateSpeech>(shared_);
        });
        DeferredSpeech* opener = speech.get();
        frmMain& w = open("Talk=-1\nReCalc=-1\n", std::move(speech));
        click(w.cmdNum(NumKey::Digit7));
        EXPECT_FALSE(w.mnuOptItem().at(OptItem::Talk)->isEnabled());
        EXPECT_EQ(opened, 0);

        opener->open();
        opener->open();
        EXPECT_EQ(opened, 1) << "opened once";
        click(w.cmdNum(NumKey::Digit8));
        EXPECT_FALSE(w.mnuOptItem().at(OptItem::Talk)->isEnabled())
            << "not before the engine is ready";
        if (engineExists) becomeReady();
        EXPECT_EQ(w.mnuOptItem().at(OptItem::Talk)->isEnabled(), engineExists);
        click(w.cmdNum(NumKey::Digit9));
        const std::vector<std::u16string> heard = {u"!<NUMK VAL=9>", u"=<NUMK VAL=789>"};
        EXPECT_EQ(takeLog(), engineExists ? heard : std::vector<std::u16string>{});
        EXPECT_TRUE(w.mnuOptItem().isChecked(OptItem::Talk)) << "the stored choice is kept";
        window_.reset();
    }
}

// The stored voice reaches the engine at start; a service that cannot be used is named once
// the engine is ready; the settings dialog's Apply and the Options menu's faster and slower
// change it at once.
TEST_F(SpeechWindow, the_voice_follows_the_settings_and_says_its_new_speed) {
    frmMain& w = open("Talk=0\nVoiceSpeed=290\nVoicePitch=60\nVoiceOutput=1\n");
    EXPECT_EQ(takeVoiceLog(),
              (std::vector<std::u16string>{u"voice 290 100 60", u"output service"}));
    becomeReady();
    EXPECT_EQ(w.statusText(), voiceServiceProblem());
    takeVoiceLog();

    const struct {
        int steps;
        const char* stored;
        const char16_t* said;
    } rows[] = {
        {+1, "300", u"!はやさ,<NUMK VAL=300>ぱ'ーせんと"},
        {+1, "300", u"!はやさ,<NUMK VAL=300>ぱ'ーせんと"}, // the fastest stays, and says so
        {-1, "290", u"!はやさ,<NUMK VAL=290>ぱ'ーせんと"}, // said with talking off
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.steps);
        w.changeVoiceSpeed(row.steps);
        EXPECT_EQ(Profile(iniFile()).readRaw("VoiceSpeed"),
                  QString::fromLatin1(row.stored).toStdU16String());
        const std::u16string stored = QString::fromLatin1(row.stored).toStdU16String();
        EXPECT_EQ(takeVoiceLog(), std::vector<std::u16string>{u"voice " + stored + u" 100 60"});
        EXPECT_EQ(takeLog(), std::vector<std::u16string>{row.said});
    }

    EXPECT_EQ(w.useVoice({Voice{120, 80, 50}, VoiceOutput::Service}), voiceServiceProblem());
    shared_->serviceAnswers = true;
    EXPECT_EQ(w.useVoice({Voice{120, 80, 50}, VoiceOutput::Service}), QString());
    EXPECT_EQ(takeVoiceLog(), (std::vector<std::u16string>{u"voice 120 80 50", u"output service",
                                                           u"voice 120 80 50", u"output service"}));
}

TEST_F(SpeechWindow, faster_and_slower_close_the_options_menu_and_answer_their_keys_in_the_sheet) {
    frmMain& w = open("Talk=0\n");
    becomeReady();
    const QList<QAction*> items = w.mnuOptItem().menu->actions();
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items[items.size() - 2]->text(), QStringLiteral("速く話す(&R)"));
    EXPECT_EQ(items.back()->text(), QStringLiteral("ゆっくり話す(&W)"));
    EXPECT_EQ(w.mnuOptItem().at(OptItem::Faster), items[items.size() - 2]);

    w.activateWindow();
    w.sheet()->setFocus();
    QTest::keyClick(w.sheet(), Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(w.sheet(), Qt::Key_Up, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(w.sheet(), Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(Profile(iniFile()).readRaw("VoiceSpeed"), std::u16string(u"110"));
    EXPECT_EQ(takeLog(), (std::vector<std::u16string>{u"!はやさ,<NUMK VAL=110>ぱ'ーせんと",
                                                      u"!はやさ,<NUMK VAL=120>ぱ'ーせんと",
                                                      u"!はやさ,<NUMK VAL=110>ぱ'ーせんと"}));
    EXPECT_EQ(w.sheet()->toPlainText(), QString()) << "the keys are not the sheet's";
}

} // namespace
} // namespace quill::test
