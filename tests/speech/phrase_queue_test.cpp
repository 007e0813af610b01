// What a new phrase does to those before it: a key's phrase cuts off, a result follows the key.
#include "speech/phrase_queue.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quill::speech {
namespace {

// Runs a script of "k:TEXT" (a key's phrase), "r:TEXT" (a result phrase) and "t" (the engine
// begins the next phrase) and "e" (the phrase begun last has been heard to its end), then lets
// the engine take what still waits. Lists every phrase
// begun, marked "~" when a later phrase cut it off (it is flushed if still heard).
std::string heard(const std::string& script) {
    PhraseQueue queue;
    std::vector<PhraseQueue::Job> begun;
    std::istringstream steps(script);
    for (std::string step; steps >> step;) {
        if (step == "t") {
            if (auto job = queue.take()) begun.push_back(*job);
        } else if (step == "e") {
            queue.ended();
        } else if (step.starts_with("k:")) {
            queue.cutIn(step.substr(2));
        } else {
            queue.follow(step.substr(2));
        }
    }
    const std::uint64_t last = queue.generation();
    while (auto job = queue.take()) begun.push_back(*job);
    std::string out;
    for (const auto& job : begun)
        out += (out.empty() ? "" : " ") + job.text + (job.generation == last ? "" : "~");
    return out;
}

TEST(PhraseQueue, KeysCutOffAndResultsFollowTheirKey) {
    const struct {
        const char* script;
        const char* heard;
    } rows[] = {
        {"k:1 r:R1", "1 R1"},
        {"k:1 t r:R1", "1 R1"},
        {"k:1 t k:2", "1~ 2"},
        {"k:1 r:R1 k:2 r:R2", "2 R2"}, // typed before the engine began: no backlog
        {"k:1 t r:R1 t k:2 t r:R2", "1~ R1~ 2 R2"},
        {"r:R1 t r:R2", "R1~ R2"},   // a new result cuts off the one being spoken
        {"r:R1 r:R2", "R2"},         // and replaces one that waits
        {"k:1 t r:R1 r:R2", "1 R2"}, // the key is still heard, the newer result after it
        {"k:1 r:R1 t r:R2", "1 R2"},
        {"k:1 t r:R1 t r:R2", "1~ R1~ R2"},
        {"k:1 k:2 k:3", "3"},
        {"", ""},
        // A repeated pass (a held Ctrl+Enter) lets the same result go on being spoken.
        {"r:R t r:R", "R"},
        {"k:1 t r:R t r:R r:R", "1 R"},
        {"r:R t e r:R", "R R"}, // heard to its end: said again
        {"r:R t k:1 r:R", "R~ 1 R"},
        {"r:R t r:S t r:R", "R~ S~ R"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.script);
        EXPECT_EQ(heard(row.script), row.heard);
    }
}

} // namespace
} // namespace quill::speech
