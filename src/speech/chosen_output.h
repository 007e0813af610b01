#pragma once
// The output the user chose: the program's own voice, or the desktop's speech service with
// the own voice standing in whenever the service cannot be reached.
#include "speech/speak.h"

#include <functional>
#include <memory>
#include <string>

namespace quill {

class ChosenOutput : public SpeechOutput {
public:
    // Connects to the service; null with `error` saying why when it cannot be reached.
    using ServiceOpener = std::function<std::unique_ptr<SpeechOutput>(std::string& error)>;

    // Starts with the own voice.
    explicit ChosenOutput(std::unique_ptr<SpeechOutput> own, ServiceOpener openService = {});

    void play(std::u16string_view phrase) override;
    void playResult(std::u16string_view phrase) override;
    bool ready() const override;
    void whenReady(std::function<void()> notice) override;
    void setVoice(const Voice& voice) override;
    bool useOutput(VoiceOutput output, std::string& error) override;
    void stop() override;
    bool playing() const override;

private:
    SpeechOutput* speaking() const;

    std::unique_ptr<SpeechOutput> own_;
    ServiceOpener openService_;
    std::unique_ptr<SpeechOutput> service_; // null while the own voice speaks
    Voice voice_;
};

// The desktop's speech service as ServiceSpeech connects to it.
std::unique_ptr<SpeechOutput> connectToSpeechService(std::string& error);

} // namespace quill
