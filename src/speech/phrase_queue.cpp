#include "speech/phrase_queue.h"

#include <algorithm>

namespace quill::speech {

void PhraseQueue::cutIn(std::string text) {
    waiting_.clear();
    ++generation_;
    waiting_.push_back({std::move(text), false, generation_});
}

void PhraseQueue::follow(std::string text) {
    std::erase_if(waiting_, [](const Job& job) { return job.result; });
    // Nothing but results waiting or being spoken: the new result replaces them all, except
    // the same phrase, which goes on being spoken instead of starting again.
    if (waiting_.empty() && lastBegunIsResult_ && !lastEnded_) {
        if (text == lastBegunText_) return;
        ++generation_;
    }
    waiting_.push_back({std::move(text), true, generation_});
}

void PhraseQueue::clear() {
    waiting_.clear();
    ++generation_;
    lastBegunIsResult_ = false;
}

std::optional<PhraseQueue::Job> PhraseQueue::take() {
    if (waiting_.empty()) return std::nullopt;
    Job job = std::move(waiting_.front());
    waiting_.pop_front();
    lastBegunIsResult_ = job.result;
    lastBegunText_ = job.text;
    lastEnded_ = false;
    return job;
}

} // namespace quill::speech
