#pragma once
// Speech output: `Speak` is the one entry (`SpeakResult` its form for a calculation's result).
// It says nothing while talking is off or when there is no speech engine ready (the espeak-ng
// library or its Japanese voice missing, or still loading), and then no call reaches any
// engine at all.
#include "speech/espeak_text.h"
#include "speech/phrases.h"
#include "speech/sound_output.h"
#include "speech/voice.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

// Something that plays a phrase in the speech notation without waiting for it to finish.
class SpeechOutput {
public:
    virtual ~SpeechOutput() = default;
    // A key's or a menu's phrase: cuts off whatever is still being spoken.
    virtual void play(std::u16string_view phrase) = 0;
    // A result phrase: spoken after the key's phrase that came just before it.
    virtual void playResult(std::u16string_view phrase) { play(phrase); }
    // Whether phrases can be spoken yet: an engine may still be opening.
    virtual bool ready() const { return true; }
    // Calls `notice` once the output is ready, on whatever thread that happens (at once when
    // it already is); never when it cannot become ready.
    virtual void whenReady(std::function<void()> notice) {
        if (ready()) notice();
    }
    // The speed, volume and pitch of the phrases played from now on.
    virtual void setVoice(const Voice&) {}
    // Where the phrases from now on are spoken. False, with `error` saying why, when the
    // output cannot be used; what spoke before goes on speaking then. Only the program's own
    // voice is there unless the output says otherwise.
    virtual bool useOutput(VoiceOutput output, std::string& error) {
        if (output == VoiceOutput::Own) return true;
        error = "no speech service here";
        return false;
    }
    // Cuts off what is being spoken and drops what waits.
    virtual void stop() {}
    // Whether a phrase is still being spoken or waits to be.
    virtual bool playing() const { return false; }
};

// The talking state and the speech instance, held for the life of the main window.
class Speech {
public:
    // `output` null means no speech instance: the talking option cannot be used.
    explicit Speech(std::unique_ptr<SpeechOutput> output = nullptr);

    // Whether there is a speech instance ready to speak (the talking menu item is enabled
    // only then).
    bool available() const { return output_ != nullptr && output_->ready(); }
    // Calls `notice` once the speech instance has become ready (see SpeechOutput::whenReady).
    void whenReady(std::function<void()> notice);

    bool talking() const { return talking_; }
    void setTalking(bool on) { talking_ = on; }

    // Plays the phrase when talking is on and an instance is ready; returns at once. A key's
    // phrase cuts off what is still being spoken.
    void Speak(std::u16string_view phrase) const;
    // The same for the result phrase of a calculation: it follows the key's phrase before it.
    void SpeakResult(std::u16string_view phrase) const;

    // Reading back: plays the phrase whenever an instance exists, talking on or off (the user
    // asked for it explicitly).
    void say(std::u16string_view phrase) const;
    void stop() const;
    bool playing() const;
    // The voice of the phrases from now on (see SpeechOutput::setVoice).
    void setVoice(const Voice& voice) const;
    // Where they are spoken (see SpeechOutput::useOutput); false without a speech instance.
    bool useOutput(VoiceOutput output, std::string& error) const;

    // Shut-down: releases the speech instance; Speak is silent afterwards.
    void release() { output_.reset(); }

private:
    bool speaking(std::u16string_view phrase) const;

    std::unique_ptr<SpeechOutput> output_;
    bool talking_ = false;
};

// espeak-ng with its Japanese voice, playing through the desktop's sound server. Phrases are
// synthesised and played on the engine's own thread, so play() returns at once; espeak-ng is
// opened on that thread too, and the engine is ready once the voice has loaded.
class TalkEngine : public SpeechOutput {
public:
    using OutputOpener = std::function<std::unique_ptr<SoundOutput>(int sampleRate)>;

    // Returns at once; the engine becomes ready when espeak-ng and its Japanese voice have
    // loaded (never, when they are missing). The sound output is opened on the first phrase
    // (again on a later one when that failed); without one, phrases are dropped silently.
    static std::unique_ptr<TalkEngine> create(OutputOpener openOutput = openDesktopSound);
    // Opened on the calling thread, for synthesis into memory (synthesize(), speakTo()); null
    // when espeak-ng or its Japanese voice is missing. Its play() synthesises and drops.
    static std::unique_ptr<TalkEngine> createForRetrieval();

    ~TalkEngine() override;
    TalkEngine(const TalkEngine&) = delete;
    TalkEngine& operator=(const TalkEngine&) = delete;

    void play(std::u16string_view phrase) override;
    void playResult(std::u16string_view phrase) override;
    bool ready() const override;
    void whenReady(std::function<void()> notice) override;
    void setVoice(const Voice& voice) override;
    void stop() override;
    bool playing() const override;
    Voice voice() const;

    // The 16-bit mono samples of a phrase at sampleRate(), synthesised on the calling thread;
    // empty while the engine is not ready.
    std::vector<short> synthesize(std::u16string_view phrase);
    // Synthesises a phrase on the calling thread straight into `output`; false when the engine
    // is not ready or the output failed. Does not wait for the sound to end (output.drain()).
    bool speakTo(std::u16string_view phrase, SoundOutput& output);
    // 0 while the engine is not ready.
    int sampleRate() const;

private:
    class Player;
    explicit TalkEngine(std::unique_ptr<Player> player);

    std::unique_ptr<Player> player_; // null for an engine for retrieval
    mutable std::mutex voiceMutex_;
    Voice voice_;
};

} // namespace quill
