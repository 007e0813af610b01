#pragma once
// quillsum-calc from its arguments to its exit status, with its streams and its input given
// from outside so that it can be driven without a process.
#include "cli/input.h"
#include "cli/say.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quill::cli {

struct Console {
    std::ostream& out;
    std::ostream& err;
    bool outIsTerminal = false;
    // Reads the sheet named on the command line ("-" for standard input).
    std::function<SheetInput(const std::string& name)> readInput = [](const std::string& name) {
        return readSheetInput(name);
    };
    // Speaks phrases one after another for --say and --read-back (or writes them into the WAV
    // file); returns the exit status.
    std::function<int(const std::vector<std::u16string>& phrases,
                      const std::optional<std::string>& wavPath, const Voice& voice,
                      std::string& error)>
        speak = sayInTurn;
};

// Runs quillsum-calc with `args` (without the program name). Exit status 0 when the
// calculation ran, 1 when the input cannot be read or is too large, 2 for unusable arguments,
// 3 when --say or --read-back finds nothing to speak with;
// a failure is one line "quillsum-calc: ..." on `err` and nothing on `out`. Exceptions other
// than the engine's own are left to the caller.
int run(const std::vector<std::string>& args, Console& console);

// `text` as one line: control characters (a line break in a file name or an option's value)
// become "?".
std::string oneLine(std::string text);

} // namespace quill::cli
