#pragma once
// What is waiting to be spoken, and what a new phrase does to it. Typing fast never builds up
// a backlog: a key's phrase cuts off everything before it, and the result phrase that follows
// it waits for it; a result replaces a result that is waiting or still being spoken.
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace quill::speech {

class PhraseQueue {
public:
    struct Job {
        std::string text; // what the synthesiser reads
        bool result;      // a result phrase (false: a key's or a menu's)
        std::uint64_t generation;
    };

    // A key's or a menu's phrase: drops everything waiting and cuts off what is being spoken.
    void cutIn(std::string text);
    // A result phrase: spoken after the key phrase that came before it; a result that is
    // waiting or being spoken gives way to it, unless it is the same phrase still being
    // spoken (a repeated pass): that one goes on.
    void follow(std::string text);
    // The phrase begun last has been heard to its end.
    void ended() { lastEnded_ = true; }
    // Drops everything waiting and cuts off what is being spoken.
    void clear();

    // The next phrase to speak, now begun; nullopt when none waits.
    std::optional<Job> take();
    bool empty() const { return waiting_.empty(); }

    // A job of an older generation has been cut off: its samples must not be heard any more.
    std::uint64_t generation() const { return generation_; }

private:
    std::deque<Job> waiting_;
    std::uint64_t generation_ = 0;
    bool lastBegunIsResult_ = false;
    std::string lastBegunText_;
    bool lastEnded_ = true;
};

} // namespace quill::speech
