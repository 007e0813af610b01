#include "cli/options.h"

#include "engine/datetime.h"
#include "engine/error.h"

#include <cstdio>

namespace quill::cli {

const char* const kUsage =
    "usage: quillsum-calc [--grouping none|3|4|units] [--now YYYY-MM-DDTHH:MM:SS] [--json]\n"
    "                     [--say [--wav OUT.wav]] [FILE | -]\n"
    "       quillsum-calc --read-back [--grouping G] [--json | --wav OUT.wav] [FILE | -]\n"
    "       quillsum-calc --eval EXPRESSION [--now ...] [--json] [--say [--wav OUT.wav]]\n"
    "       quillsum-calc --version | --help\n"
    "\n"
    "  FILE | -            the sheet to calculate (UTF-8, one entry per line); standard input\n"
    "                      when it is - or not given. Prints the results column, then \"= total\"\n"
    "  --eval EXPRESSION   evaluate one expression and print its value instead\n"
    "  --grouping G        group the results' digits: none (default), 3, 4 or units (万、億、兆)\n"
    "  --now DATE-TIME     fix the clock for NOW, TIME, DATE and RND, as 2026-12-07T09:30:00\n"
    "  --json              print one JSON object; its \"spoken\" is the text the voice reads\n"
    "  --say               then speak the result through the desktop's sound server, returning\n"
    "                      when it has been played (needs espeak-ng's Japanese voice)\n"
    "  --wav OUT.wav       with --say: write the speech to a WAV file instead of playing it\n"
    "  --read-back         read the sheet back aloud: each line's result with its operator,\n"
    "                      then the total, one after another; with --wav into one WAV file,\n"
    "                      with --json print {\"phrases\": [...]}, the texts the voice reads\n"
    "  --version           print the version\n"
    "  -h, --help          print this help\n"
    "\n"
    "Exit status: 0 when the calculation ran (failed lines are reported in the status), 1 when\n"
    "a file cannot be read or the WAV file written, 2 for unusable arguments, 3 when --say\n"
    "finds no speech engine or no sound server.\n";

namespace {

std::optional<Grouping> parseGrouping(const std::string& s) {
    if (s == "none" || s == "0") return Grouping::None;
    if (s == "3") return Grouping::Three;
    if (s == "4") return Grouping::Four;
    if (s == "units" || s == "1") return Grouping::Units;
    return std::nullopt;
}

std::optional<double> parseNow(const std::string& s) {
    DateTimeFields f;
    char sep = 0, tail = 0;
    int n = std::sscanf(s.c_str(), "%4d-%2d-%2d%c%2d:%2d:%2d%c", &f.year, &f.month, &f.day, &sep,
                        &f.hour, &f.minute, &f.second, &tail);
    if (n != 7 || (sep != 'T' && sep != ' ')) return std::nullopt;
    try {
        return dateSerial(f);
    } catch (const EvalError&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<Options> parseOptions(const std::vector<std::string>& args, std::string& error) {
    Options o;
    bool haveInput = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string* {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return nullptr;
            }
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
            o.say = true;
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
    if (o.eval && haveInput) return error = "--eval takes no input file", std::nullopt;
    if (o.eval && o.readBack) return error = "--read-back reads a sheet, not --eval", std::nullopt;
    return o;
}

} // namespace quill::cli
