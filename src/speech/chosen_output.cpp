#include "speech/chosen_output.h"

namespace quill {

ChosenOutput::ChosenOutput(std::unique_ptr<SpeechOutput> own, ServiceOpener openService)
    : own_(std::move(own)),
      openService_(openService ? std::move(openService) : connectToSpeechService) {}

// The service while it answers; once it has gone away, the own voice.
SpeechOutput* ChosenOutput::speaking() const {
    return service_ && service_->ready() ? service_.get() : own_.get();
}

void ChosenOutput::play(std::u16string_view phrase) {
    SpeechOutput* first = speaking();
    first->play(phrase);
    // The service went away with this phrase: the own voice says it.
    if (speaking() != first) speaking()->play(phrase);
}

void ChosenOutput::playResult(std::u16string_view phrase) {
    SpeechOutput* first = speaking();
    first->playResult(phrase);
    if (speaking() != first) speaking()->playResult(phrase);
}

bool ChosenOutput::ready() const {
    return speaking()->ready();
}

void ChosenOutput::whenReady(std::function<void()> notice) {
    speaking()->whenReady(std::move(notice));
}

void ChosenOutput::setVoice(const Voice& voice) {
    voice_ = voice;
    own_->setVoice(voice);
    if (service_) service_->setVoice(voice);
}

bool ChosenOutput::useOutput(VoiceOutput output, std::string& error) {
    if (output == VoiceOutput::Own) {
        if (service_) service_->stop();
        service_.reset();
        return true;
    }
    if (service_ && service_->ready()) return true;
    service_ = openService_(error);
    if (!service_) return false;
    own_->stop();
    service_->setVoice(voice_);
    return true;
}

void ChosenOutput::stop() {
    speaking()->stop();
}

bool ChosenOutput::playing() const {
    return speaking()->playing();
}

} // namespace quill
