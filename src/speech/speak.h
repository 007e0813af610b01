#pragma once
// Speech output: `Speak` is the one entry. It says nothing while talking is off or when there
// is no speech engine (the espeak-ng library or its Japanese voice missing), and then no call
// reaches any engine at all.
#include "speech/phrases.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quill {

// Something that plays a phrase in the speech notation without waiting for it to finish.
class SpeechOutput {
public:
    virtual ~SpeechOutput() = default;
    virtual void play(std::u16string_view phrase) = 0;
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

    // Whether there is a speech instance (the talking menu item is enabled only then).
    bool available() const { return output_ != nullptr; }

    bool talking() const { return talking_; }
    void setTalking(bool on) { talking_ = on; }

    // Plays the phrase when talking is on and an instance exists; returns at once.
    void Speak(std::u16string_view phrase) const;

    // Reading back: plays the phrase whenever an instance exists, talking on or off (the user
    // asked for it explicitly).
    void say(std::u16string_view phrase) const;
    void stop() const;
    bool playing() const;

    // Shut-down: releases the speech instance; Speak is silent afterwards.
    void release() { output_.reset(); }

private:
    std::unique_ptr<SpeechOutput> output_;
    bool talking_ = false;
};

// Turns the speech notation into text that espeak-ng's Japanese voice reads well: accent
// marks and "/" separators dropped, each number tag spoken as its number followed by its
// counter (the decimal point read as "てん", the digits after it one by one), ";" and ","
// as short pauses, "。" as the end of a sentence.
std::u16string espeakText(std::u16string_view phrase);

// espeak-ng with its Japanese voice ("ja"), loaded at run time from libespeak-ng.so.1.
// espeak-ng can be set up only once per process: the first engine fixes the mode (playback or
// retrieval) for the whole process, at most one engine exists at a time, and a released
// engine can be created again in the same mode.
class TalkEngine : public SpeechOutput {
public:
    // Playing through the sound device, asynchronously. Null when the library or the voice
    // is missing, another TalkEngine exists, or this process opened espeak-ng for retrieval.
    static std::unique_ptr<TalkEngine> create();
    // Synthesising into memory (no sound device), for checks: use synthesize().
    static std::unique_ptr<TalkEngine> createForRetrieval();

    ~TalkEngine() override;
    TalkEngine(const TalkEngine&) = delete;
    TalkEngine& operator=(const TalkEngine&) = delete;

    // Starts playing and returns at once (in retrieval mode, synthesises and drops the
    // samples).
    void play(std::u16string_view phrase) override;

    // Retrieval mode only: the 16-bit mono samples of a phrase at sampleRate(); empty in
    // playback mode.
    std::vector<short> synthesize(std::u16string_view phrase);
    int sampleRate() const { return sampleRate_; }

    // The library's entry points (opaque outside the engine).
    struct Api;

private:
    static std::unique_ptr<TalkEngine> open(bool retrieval);
    TalkEngine(const Api* api, int sampleRate, bool retrieval);

    const Api* api_;
    int sampleRate_;
    bool retrieval_;
};

} // namespace quill
