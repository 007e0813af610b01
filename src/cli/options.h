#pragma once
// Command-line options of quillsum-calc.
#include "sheet/calculation.h"
#include "speech/voice.h"

#include <optional>
#include <string>
#include <vector>

namespace quill::cli {

struct Options {
    bool json = false;
    bool help = false;
    bool version = false;
    bool say = false;               // --say: speak the result phrase
    std::optional<std::string> wav; // --wav OUT.wav: the speech into a WAV file instead
    bool readBack = false;          // --read-back: every line and the total read aloud
    Voice voice;                    // --speed and --volume of what is said
    Grouping grouping = Grouping::None;
    std::optional<double> now;       // fixed clock, as a day count
    std::optional<std::string> eval; // --eval EXPRESSION
    std::string input = "-";         // FILE or "-" for standard input
};

// Parses the arguments (without the program name); on unusable arguments returns nullopt and
// sets `error` to a one-line message.
std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error);

// The value of --now: a date and time written exactly as YYYY-MM-DDTHH:MM:SS (a blank may
// stand for the T), as a day count; nullopt for anything else or a date that does not exist.
std::optional<double> parseNow(const std::string& text);

extern const char* const kUsage;

} // namespace quill::cli
