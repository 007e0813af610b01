#include "speech/speak.h"

namespace quill {

Speech::Speech(std::unique_ptr<SpeechOutput> output) : output_(std::move(output)) {}

void Speech::Speak(std::u16string_view phrase) const {
    if (!talking_ || !output_ || phrase.empty()) return;
    output_->play(phrase);
}

} // namespace quill
