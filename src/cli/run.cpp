#include "cli/run.h"

#include "cli/options.h"
#include "cli/output.h"
#include "document/sheet_file.h"
#include "engine/eval.h"
#include "engine/jtext.h"
#include "engine/platform.h"
#include "sheet/phrase.h"
#include "speech/espeak_text.h"
#include "speech/read_back.h"

#include <nlohmann/json.hpp>

namespace quill::cli {
namespace {

std::u16string joinArguments(const std::vector<std::string>& args) {
    std::string s;
    for (std::size_t i = 0; i < args.size(); ++i) s.append(i > 0 ? " " : "").append(args[i]);
    return fromUtf8(s);
}

int fail(Console& console, int status, const std::string& message) {
    console.err << "quillsum-calc: " << oneLine(message) << '\n';
    return status;
}

int speakInTurn(const Options& options, Console& console,
                const std::vector<std::u16string>& phrases) {
    console.out.flush();
    std::string error;
    const int status = console.speak(phrases, options.wav, options.voice, error);
    if (status != 0) fail(console, status, error);
    return status;
}

// --say: the result phrase is heard (or written) after the results are printed.
int speakIfAsked(const Options& options, Console& console, std::u16string_view phrase) {
    if (!options.say) return 0;
    std::vector<std::u16string> phrases;
    if (!phrase.empty()) phrases.emplace_back(phrase);
    return speakInTurn(options, console, phrases);
}

// --read-back: the phrases of every line and the total, printed as JSON, played in turn, or
// written into one WAV file.
int readBack(const Options& options, Console& console, std::u16string_view sheet) {
    std::vector<std::u16string> phrases;
    for (ReadBackPhrase& p : readBackPhrases(shownTape(sheet, options.grouping), 0))
        phrases.push_back(std::move(p.text));
    if (options.json) {
        nlohmann::json spoken = nlohmann::json::array();
        for (const std::u16string& p : phrases) spoken.push_back(toUtf8(espeakText(p)));
        console.out << nlohmann::json{{"phrases", spoken}}.dump() << '\n';
        return 0;
    }
    return speakInTurn(options, console, phrases);
}

int runSheet(const Options& options, Console& console) {
    SheetInput input = console.readInput(options.input);
    if (input.status == SheetInput::TooLarge)
        return fail(console, 1,
                    options.input + " is larger than 256 MB, the most a sheet may hold");
    if (input.status != SheetInput::Read) return fail(console, 1, "cannot read " + options.input);
    // The sheet's lines as the window opens the same file: in its encoding (UTF-8 or code page
    // 932), every kind of line break a plain one, control characters dropped.
    std::optional<std::u16string> lines = decodeSheetBytes(input.text);
    input.text = std::string();
    if (!lines) return fail(console, 1, options.input + " is not text (UTF-8 or code page 932)");
    std::u16string sheet = std::move(*lines);
    if (options.readBack) return readBack(options, console, sheet);
    const std::u16string phrase =
        printSheet(console.out, sheet, options.grouping, options.json, console.outIsTerminal);
    return speakIfAsked(options, console, phrase);
}

} // namespace

std::string oneLine(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return text;
}

int run(const std::vector<std::string>& args, Console& console) {
    std::string error;
    const auto options = parseOptions(args, error);
    if (!options) return fail(console, 2, error);
    if (options->help) {
        console.out << kUsage;
        return 0;
    }
    if (options->version) {
        console.out << "quillsum-calc " QUILL_VERSION "\n";
        return 0;
    }
    platform::setCommandLine(joinArguments(args));
    platform::setFixedNow(options->now);
    if (!options->eval) return runSheet(*options, console);
    std::u16string status;
    const Value v = Eval(fromUtf8(*options->eval), [&](std::u16string_view m) { status = m; });
    printEval(console.out, v, status, options->json);
    return speakIfAsked(*options, console, resultPhrase(v));
}

} // namespace quill::cli
