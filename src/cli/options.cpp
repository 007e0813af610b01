#include "cli/options.h"

#include "engine/datetime.h"
#include "engine/error.h"

#include <algorithm>
#include <string_view>

namespace quill::cli {

const char* const kUsage =
    "usage: quillsum-calc [--grouping none|3|4|units] [--now YYYY-MM-DDTHH:MM:SS] [--json]\n"
    "                     [--say [--wav OUT.wav]] [--speed PERCENT] [--volume PERCENT]\n"
    "                     [FILE | -]\n"
    "       quillsum-calc --read-back [--grouping G] [--json | --wav OUT.wav]\n"
    "                     [--speed PERCENT] [--volume PERCENT] [FILE | -]\n"
    "       quillsum-calc --eval EXPRESSION [--now ...] [--json] [--say [--wav OUT.wav]]\n"
    "                     [--speed PERCENT] [--volume PERCENT]\n"
    "       quillsum-calc --version | --help\n"
    "\n"
    "  FILE | -            the sheet to calculate (UTF-8 or code page 932, one entry per\n"
    "                      line); standard input when it is - or not given. Prints the results\n"
    "                      column, then \"= total\"\n"
    "  --eval EXPRESSION   evaluate one expression and print its value instead\n"
    "  --grouping G        group the results' digits: none (default), 3, 4 or units (万、億、兆)\n"
    "  --now DATE-TIME     fix the clock for NOW, TIME, DATE and RND, as 2026-12-07T09:30:00\n"
    "  --json              print one JSON object; its \"spoken\" is the text the voice reads\n"
    "  --say               then speak the result through the desktop's sound server, returning\n"
    "                      when it has been played (needs espeak-ng's Japanese voice)\n"
    "  --wav OUT.wav       with --say or --read-back: write the speech to a WAV file instead\n"
    "                      of playing it; its folder must exist\n"
    "  --speed PERCENT     the voice's speed, 50 to 300 (default 100, the normal speed)\n"
    "  --volume PERCENT    the voice's volume, 0 to 100 (default 100)\n"
    "  --read-back         read the sheet back aloud: each line's result with its operator,\n"
    "                      then the total, one after another; with --wav into one WAV file,\n"
    "                      with --json print {\"phrases\": [...]}, the texts the voice reads\n"
    "  --version           print the version\n"
    "  -h, --help          print this help\n"
    "\n"
    "Each option is given at most once. Unusable arguments: an unknown option, an option given\n"
    "twice with a value, --wav without --say or --read-back, --read-back with both --json and\n"
    "--wav, --eval with a FILE or with --read-back.\n"
    "\n"
    "Exit status: 0 when the calculation ran (failed lines are reported in the status), 1 when\n"
    "a file cannot be read or is no text or the WAV file cannot be written (its folder missing,\n"
    "a link refused), 2 for unusable arguments, 3 when --say or --read-back finds no speech\n"
    "engine or no sound server.\n";

namespace {

std::optional<Grouping> parseGrouping(const std::string& s) {
    if (s == "none" || s == "0") return Grouping::None;
    if (s == "3") return Grouping::Three;
    if (s == "4") return Grouping::Four;
    if (s == "units" || s == "1") return Grouping::Units;
    return std::nullopt;
}

// A whole number of percent from `low` to `high`, written in plain digits.
std::optional<int> parsePercent(const std::string& s, int low, int high) {
    if (s.empty() || s.size() > 3) return std::nullopt;
    int n = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n < low || n > high) return std::nullopt;
    return n;
}

// Unusable combinations of otherwise valid options; "" when there is none. `valued`: the
// options given with a value.
std::string conflictOf(const Options& o, bool haveInput, const std::vector<std::string>& valued) {
    if (o.eval && haveInput) return "--eval takes no input file";
    if (o.eval && o.readBack) return "--read-back reads a sheet, not --eval";
    if (o.wav && !o.say && !o.readBack) return "--wav needs --say or --read-back";
    if (o.wav && o.readBack && o.json) return "--read-back prints --json or writes --wav, not both";
    if (!o.say && !o.readBack)
        for (const char* voiceOption : {"--speed", "--volume"})
            if (std::find(valued.begin(), valued.end(), voiceOption) != valued.end())
                return std::string(voiceOption) + " needs --say or --read-back";
    return {};
}

} // namespace

// Exactly YYYY-MM-DDTHH:MM:SS, or with a blank for the T; a scanf form would also take blanks,
// signs and one-digit fields ("2026-+1-7T 9:3:0").
std::optional<double> parseNow(const std::string& s) {
    constexpr std::string_view form = "dddd-dd-ddTdd:dd:dd";
    if (s.size() != form.size()) return std::nullopt;
    for (std::size_t i = 0; i < form.size(); ++i) {
        const bool ok = form[i] == 'd'   ? (s[i] >= '0' && s[i] <= '9')
                        : form[i] == 'T' ? (s[i] == 'T' || s[i] == ' ')
                                         : s[i] == form[i];
        if (!ok) return std::nullopt;
    }
    auto number = [&](std::size_t at, std::size_t digits) {
        int n = 0;
        for (std::size_t i = at; i < at + digits; ++i) n = n * 10 + (s[i] - '0');
        return n;
    };
    DateTimeFields f;
    f.year = number(0, 4), f.month = number(5, 2), f.day = number(8, 2);
    f.hour = number(11, 2), f.minute = number(14, 2), f.second = number(17, 2);
    try {
        return dateSerial(f);
    } catch (const EvalError&) {
        return std::nullopt;
    }
}

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error) {
    Options o;
    bool haveInput = false;
    std::vector<std::string> valued; // options with a value, each at most once
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string* {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return nullptr;
            }
            if (std::find(valued.begin(), valued.end(), a) != valued.end()) {
                error = a + " is given twice";
                return nullptr;
            }
            valued.push_back(a);
            return &args[++i];
        };
        if (a == "--json") {
            o.json = true;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--version") {
            o.version = true;
        } else if (a == "--say") {
            o.say = true;
        } else if (a == "--read-back") {
            o.readBack = true;
        } else if (a == "--wav") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            o.wav = *v;
        } else if (a == "--eval") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            o.eval = *v;
        } else if (a == "--grouping") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            auto g = parseGrouping(*v);
            if (!g)
                return error = "--grouping takes none, 3, 4 or units, not '" + *v + "'",
                       std::nullopt;
            o.grouping = *g;
        } else if (a == "--speed" || a == "--volume") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            const bool speed = a == "--speed";
            const int low = speed ? Voice::kMinSpeed : 0;
            const int high = speed ? Voice::kMaxSpeed : Voice::kMaxVolume;
            const auto percent = parsePercent(*v, low, high);
            if (!percent)
                return error = a + " takes a percentage from " + std::to_string(low) + " to " +
                               std::to_string(high) + ", not '" + *v + "'",
                       std::nullopt;
            (speed ? o.voice.speed : o.voice.volume) = *percent;
        } else if (a == "--now") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            o.now = parseNow(*v);
            if (!o.now)
                return error = "--now takes a date and time such as 2026-12-07T09:30:00, not '" +
                               *v + "'",
                       std::nullopt;
        } else if (a.size() > 1 && a[0] == '-') {
            return error = "unknown option '" + a + "'", std::nullopt;
        } else {
            if (haveInput) return error = "only one input file can be given", std::nullopt;
            o.input = a;
            haveInput = true;
        }
    }
    error = conflictOf(o, haveInput, valued);
    if (!error.empty()) return std::nullopt;
    return o;
}

} // namespace quill::cli
