// quillsum-calc: the calculator's engine and calculation pass on the command line.
#include "cli/run.h"

#include <iostream>
#include <new>
#include <unistd.h>

using namespace quill;

namespace {

int failure(const std::string& message) {
    std::cerr << "quillsum-calc: " << cli::oneLine(message) << '\n';
    return 1;
}

} // namespace

// Every failure ends as one line on standard error and exit status 1: no exception leaves
// main, and output that could not be written is no success.
int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    try {
        cli::Console console{std::cout, std::cerr, isatty(STDOUT_FILENO) != 0};
        const int status = cli::run(std::vector<std::string>(argv + 1, argv + argc), console);
        std::cout.flush();
        if (!std::cout) return failure("cannot write the output");
        return status;
    } catch (const std::bad_alloc&) {
        return failure("out of memory");
    } catch (const std::exception& e) {
        return failure(e.what());
    } catch (...) {
        return failure("unexpected failure");
    }
}
