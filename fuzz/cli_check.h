#pragma once
// The promises of quillsum-calc's argument handling, checked on one argument list: run() ends
// with 0, 1 or 2 and lets no exception out; a failure is one line "quillsum-calc: ..." on
// standard error and nothing on standard output, a success writes nothing on standard error;
// and a --now value that is accepted is a real date and time written exactly in its form.
// Shared by fuzz_cli and the regression tests that replay its findings.
#include "cli/options.h"
#include "cli/run.h"
#include "engine/datetime.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace quill::fuzz {

// YYYY-MM-DDTHH:MM:SS of a day count.
inline std::string nowText(double serial) {
    const DateTimeFields f = dateFields(serial);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", f.year, f.month, f.day,
                  f.hour, f.minute, f.second);
    return text;
}

inline const char* nowFault(std::string text) {
    const auto now = cli::parseNow(text);
    if (!now) return nullptr;
    if (text.size() > 10 && text[10] == ' ') text[10] = 'T';
    return nowText(*now) == text ? nullptr : "--now took a value not written in its form";
}

// Runs quillsum-calc with `args`, its input reading as `input` says (a short sheet when read).
inline const char* commandLineFault(const std::vector<std::string>& args,
                                    cli::SheetInput::Status input) {
    for (const auto& a : args)
        if (const char* fault = nowFault(a)) return fault;
    std::ostringstream out, err;
    cli::Console console{out, err, false,
                         [input](const std::string&) {
                             cli::SheetInput sheet;
                             sheet.status = input;
                             if (input == cli::SheetInput::Read) sheet.text = "1+2\n3";
                             return sheet;
                         },
                         // --say is heard nowhere and --wav writes no file while fuzzing.
                         [](const std::vector<std::u16string>&, const std::optional<std::string>&,
                            const Voice&, std::string&) { return 0; }};
    const int status = cli::run(args, console);
    const std::string e = err.str();
    if (status < 0 || status > 2) return "an exit status other than 0, 1 or 2";
    if (status == 0) return e.empty() ? nullptr : "a success wrote to standard error";
    if (!out.str().empty()) return "a failure wrote to standard output";
    if (e.rfind("quillsum-calc: ", 0) != 0 || std::count(e.begin(), e.end(), '\n') != 1 ||
        e.back() != '\n')
        return "a failure was not one line";
    return nullptr;
}

// Fuzz bytes as a command line: the first byte says how the input reads, the rest are the
// arguments separated by zero bytes.
inline const char* commandLineFault(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return nullptr;
    const auto input = static_cast<cli::SheetInput::Status>(data[0] % 3);
    std::vector<std::string> args;
    std::string arg;
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] != 0) {
            arg += static_cast<char>(data[i]);
        } else {
            args.push_back(std::move(arg));
            arg.clear();
        }
    }
    if (size > 1) args.push_back(std::move(arg));
    return commandLineFault(args, input);
}

} // namespace quill::fuzz
