#pragma once
// Runs quillsum-calc as a user would, for the command-line tests.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace quill::cli_test {

struct CalcRun {
    int status = -1;
    std::string out, err;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The program under test: this build's quillsum-calc, or the command in QUILL_CALC_COMMAND
// (the web edition's: "node build-web/quillsum-calc.js").
inline std::string calcCommand() {
    const char* other = std::getenv("QUILL_CALC_COMMAND");
    return other != nullptr && *other != '\0' ? other : QUILL_CALC;
}

// Runs quillsum-calc with the given arguments (shell-quoted by the caller), standard input
// from `input`. The temporary files are named with the process id, so that runs side by side
// do not share them.
inline CalcRun calc(const std::string& args, const std::string& input = "") {
    const std::string base = testing::TempDir() + "quill-cli-run-" + std::to_string(getpid());
    std::ofstream(base + ".in", std::ios::binary) << input;
    // The arguments come last, so that a redirection among them ("> /dev/full") wins.
    const std::string cmd =
        calcCommand() + " <" + base + ".in >" + base + ".out 2>" + base + ".err " + args;
    CalcRun r;
    const int st = std::system(cmd.c_str());
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    r.out = readFile(base + ".out");
    r.err = readFile(base + ".err");
    for (const char* ext : {".in", ".out", ".err"}) std::remove((base + ext).c_str());
    return r;
}

} // namespace quill::cli_test
