#include "speech/speak.h"

namespace quill {

Speech::Speech(std::unique_ptr<SpeechOutput> output) : output_(std::move(output)) {}

void Speech::Speak(std::u16string_view phrase) const {
    if (!talking_ || !output_ || phrase.empty()) return;
    output_->play(phrase);
}

void Speech::say(std::u16string_view phrase) const {
    if (output_ && !phrase.empty()) output_->play(phrase);
}

void Speech::stop() const {
    if (output_) output_->stop();
}

bool Speech::playing() const {
    return output_ && output_->playing();
}

} // namespace quill
