#include "speech/speak.h"

namespace quill {

Speech::Speech(std::unique_ptr<SpeechOutput> output) : output_(std::move(output)) {}

void Speech::whenReady(std::function<void()> notice) {
    if (output_) output_->whenReady(std::move(notice));
}

bool Speech::speaking(std::u16string_view phrase) const {
    return talking_ && available() && !phrase.empty();
}

void Speech::Speak(std::u16string_view phrase) const {
    if (speaking(phrase)) output_->play(phrase);
}

void Speech::SpeakResult(std::u16string_view phrase) const {
    if (speaking(phrase)) output_->playResult(phrase);
}

void Speech::say(std::u16string_view phrase) const {
    if (available() && !phrase.empty()) output_->play(phrase);
}

void Speech::stop() const {
    if (output_) output_->stop();
}

void Speech::setVoice(const Voice& voice) const {
    if (output_) output_->setVoice(voice);
}

bool Speech::useOutput(VoiceOutput output, std::string& error) const {
    if (output_) return output_->useOutput(output, error);
    error = "no speech instance";
    return false;
}

bool Speech::playing() const {
    return output_ && output_->playing();
}

} // namespace quill
