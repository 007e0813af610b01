// quillsum-calc: the calculator's engine and calculation pass on the command line.
#include "cli/options.h"
#include "cli/output.h"
#include "engine/eval.h"
#include "engine/jtext.h"
#include "engine/platform.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

using namespace quill;

namespace {

std::u16string joinArguments(int argc, char** argv) {
    std::string s;
    for (int i = 1; i < argc; ++i) s += (i > 1 ? " " : "") + std::string(argv[i]);
    return fromUtf8(s);
}

// The sheet text: CR LF and LF both end a line; one final line break ends the last line
// without starting another.
bool readSheet(const std::string& path, std::string& text) {
    if (path == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), {});
    } else {
        std::ifstream in(path, std::ios::binary);
        if (!in) return false;
        text.assign(std::istreambuf_iterator<char>(in), {});
        if (in.bad()) return false;
    }
    if (!text.empty() && text.back() == '\n') text.pop_back();
    if (!text.empty() && text.back() == '\r') text.pop_back();
    return true;
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
    platform::setCommandLine(joinArguments(argc, argv));
    platform::setFixedNow(options->now);

    if (options->eval) {
        std::u16string status;
        Value v = Eval(fromUtf8(*options->eval), [&](std::u16string_view m) { status = m; });
        cli::printEval(std::cout, v, status, options->json);
        return 0;
    }
    std::string text;
    if (!readSheet(options->input, text)) {
        std::cerr << "quillsum-calc: cannot read " << options->input << '\n';
        return 1;
    }
    cli::printSheet(std::cout, calculateSheet(fromUtf8(text), options->grouping), options->json);
    return 0;
}
