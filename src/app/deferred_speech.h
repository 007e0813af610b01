#pragma once
// A speech output whose engine is opened only when asked, so that opening it (loading
// espeak-ng, its voice and the sound libraries) does not compete with the window's first paint.
// Until then it is not ready: phrases are dropped and ready-notices wait for the engine.
#include "speech/speak.h"

#include <functional>
#include <memory>
#include <vector>

namespace quill {

class DeferredSpeech : public SpeechOutput {
public:
    using Opener = std::function<std::unique_ptr<SpeechOutput>()>;

    explicit DeferredSpeech(Opener opener) : opener_(std::move(opener)) {}

    // Opens the engine (once; later calls do nothing) and hands it the notices that wait.
    void open();
    bool opened() const { return output_ != nullptr; }

    void play(std::u16string_view phrase) override;
    void playResult(std::u16string_view phrase) override;
    bool ready() const override;
    void whenReady(std::function<void()> notice) override;
    void setVoice(const Voice& voice) override;
    // Before the engine opens, the choice is kept and made when it opens (true then).
    bool useOutput(VoiceOutput output, std::string& error) override;
    void stop() override;
    bool playing() const override;

private:
    Opener opener_;
    Voice voice_; // handed to the engine when it opens
    VoiceOutput chosen_ = VoiceOutput::Own;
    std::unique_ptr<SpeechOutput> output_;
    std::vector<std::function<void()>> waiting_;
};

} // namespace quill
