// quillsum-calc: the calculator's engine and calculation pass on the command line.
#include "cli/options.h"
#include "cli/output.h"
#include "cli/say.h"
#include "engine/eval.h"
#include "engine/jtext.h"
#include "engine/platform.h"
#include "sheet/phrase.h"
#include "speech/espeak_text.h"
#include "speech/read_back.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <iostream>
#include <unistd.h>

using namespace quill;

namespace {

std::u16string joinArguments(int argc, char** argv) {
    std::string s;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) s += ' ';
        s += argv[i];
    }
    return fromUtf8(s);
}

// The sheet text: CR LF and LF both end a line; one final line break ends the last line
// without starting another.
bool readAll(std::FILE* f, std::string& text) {
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    return !std::ferror(f);
}

bool readSheet(const std::string& path, std::string& text) {
    if (path == "-") {
        if (!readAll(stdin, text)) return false;
    } else {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f) return false;
        bool ok = readAll(f, text);
        std::fclose(f);
        if (!ok) return false;
    }
    if (!text.empty() && text.back() == '\n') text.pop_back();
    if (!text.empty() && text.back() == '\r') text.pop_back();
    return true;
}

// --say: the result phrase is heard (or written) after the results are printed.
int speakIfAsked(const cli::Options& options, std::u16string_view phrase) {
    if (!options.say) return 0;
    std::cout.flush();
    std::string error;
    const int status = cli::say(phrase, options.wav, error);
    if (status != 0) std::cerr << "quillsum-calc: " << error << '\n';
    return status;
}

// --read-back: the phrases of every line and the total, printed as JSON, played in turn, or
// written into one WAV file.
int readBack(const cli::Options& options, std::u16string_view sheet) {
    std::vector<std::u16string> phrases;
    for (ReadBackPhrase& p : readBackPhrases(shownTape(sheet, options.grouping), 0))
        phrases.push_back(std::move(p.text));
    if (options.json) {
        nlohmann::json spoken = nlohmann::json::array();
        for (const std::u16string& p : phrases) spoken.push_back(toUtf8(espeakText(p)));
        std::cout << nlohmann::json{{"phrases", spoken}}.dump() << '\n';
        if (!options.wav) return 0;
    }
    std::cout.flush();
    std::string error;
    const int status = cli::sayInTurn(phrases, options.wav, error);
    if (status != 0) std::cerr << "quillsum-calc: " << error << '\n';
    return status;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::string error;
    auto options = cli::parseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "quillsum-calc: " << error << '\n';
        return 2;
    }
    if (options->help) {
        std::cout << cli::kUsage;
        return 0;
    }
    if (options->version) {
        std::cout << "quillsum-calc " QUILL_VERSION "\n";
        return 0;
    }
    platform::setCommandLine(joinArguments(argc, argv));
    platform::setFixedNow(options->now);

    if (options->eval) {
        std::u16string status;
        Value v = Eval(fromUtf8(*options->eval), [&](std::u16string_view m) { status = m; });
        cli::printEval(std::cout, v, status, options->json);
        return speakIfAsked(*options, resultPhrase(v));
    }
    std::string text;
    if (!readSheet(options->input, text)) {
        std::cerr << "quillsum-calc: cannot read " << options->input << '\n';
        return 1;
    }
    std::u16string sheet = fromUtf8(text);
    text = std::string();
    if (options->readBack) return readBack(*options, sheet);
    const std::u16string phrase =
        cli::printSheet(std::cout, sheet, options->grouping, options->json, isatty(STDOUT_FILENO));
    return speakIfAsked(*options, phrase);
}
