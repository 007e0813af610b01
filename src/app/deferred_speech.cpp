#include "app/deferred_speech.h"

#include <utility>

namespace quill {

void DeferredSpeech::open() {
    if (output_ || !opener_) return;
    output_ = std::exchange(opener_, nullptr)();
    std::vector<std::function<void()>> waiting = std::move(waiting_);
    waiting_.clear();
    if (!output_) return; // no engine: the notices can never come
    output_->setVoice(voice_);
    std::string unused; // whoever chose asks again once the engine is ready
    output_->useOutput(chosen_, unused);
    for (auto& notice : waiting) output_->whenReady(std::move(notice));
}

void DeferredSpeech::play(std::u16string_view phrase) {
    if (output_) output_->play(phrase);
}

void DeferredSpeech::playResult(std::u16string_view phrase) {
    if (output_) output_->playResult(phrase);
}

bool DeferredSpeech::ready() const {
    return output_ && output_->ready();
}

void DeferredSpeech::whenReady(std::function<void()> notice) {
    if (output_)
        output_->whenReady(std::move(notice));
    else if (opener_)
        waiting_.push_back(std::move(notice));
}

void DeferredSpeech::setVoice(const Voice& voice) {
    voice_ = voice;
    if (output_) output_->setVoice(voice);
}

bool DeferredSpeech::useOutput(VoiceOutput output, std::string& error) {
    chosen_ = output;
    return output_ ? output_->useOutput(output, error) : true;
}

void DeferredSpeech::stop() {
    if (output_) output_->stop();
}

bool DeferredSpeech::playing() const {
    return output_ && output_->playing();
}

} // namespace quill
