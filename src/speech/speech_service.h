#pragma once
// The desktop's speech service, speech-dispatcher, as a speech output: the phrases go, as the
// same kana the program's own voice reads, to the service a screen reader (Orca) speaks through,
// so that both share one queue and one voice. libspeechd is loaded at run time, so the
// calculator runs without it.
//
// How phrases meet the screen reader's speech: a key's phrase first cancels this program's
// own phrases still waiting or being spoken, then goes at priority "message", the screen
// reader's own, which queues behind whatever it is saying instead of cutting it off. A result
// goes at priority "text": it waits until no "message" is left (the key's phrase before it, the
// screen reader's speech), is cut off by the screen reader when that speaks again, and a newer
// "text" (the next result) replaces it.
#include "speech/speak.h"

#include <memory>
#include <string>

namespace quill {

// The service's own voice settings, in its units (-100 to 100 each).
struct ServiceVoice {
    int rate = 0;
    int volume = 100;
    int pitch = 0;
    bool operator==(const ServiceVoice&) const = default;
};

// The program's voice on top of the user's service settings: speed 100, volume 100 and pitch
// 50 leave them as they are; speed 300 is the service's fastest rate and 50 its slowest, with
// the user's rate between; volume scales the user's volume down towards the service's lowest;
// pitch moves the user's pitch up or down.
ServiceVoice onTopOf(const ServiceVoice& user, const Voice& voice);

class ServiceSpeech : public SpeechOutput {
public:
    // Connects to the user's speech service (started when it is not running and may be) or,
    // with `socketPath`, to the service listening there (never started). Null, with `error`
    // saying why, when libspeechd or the service is missing. The connection is made on the
    // calling thread.
    static std::unique_ptr<ServiceSpeech> connect(std::string& error,
                                                  const std::string& socketPath = {});
    ~ServiceSpeech() override;
    ServiceSpeech(const ServiceSpeech&) = delete;
    ServiceSpeech& operator=(const ServiceSpeech&) = delete;

    void play(std::u16string_view phrase) override;
    void playResult(std::u16string_view phrase) override;
    void setVoice(const Voice& voice) override;
    void stop() override;
    // A phrase sent has been neither spoken to its end nor cancelled.
    bool playing() const override;
    // False once the connection has failed (the service went away): nothing is spoken any
    // more.
    bool ready() const override;

private:
    struct Connection;
    explicit ServiceSpeech(std::unique_ptr<Connection> connection);

    std::unique_ptr<Connection> connection_;
};

} // namespace quill
