#pragma once
// The values of the running system that expressions can reach: the clock, the command line and
// the environment. The clock can be fixed so that results are reproducible.
#include <cstdint>
#include <optional>
#include <string>

namespace quill::platform {

// The current local date and time as a day count (whole seconds).
double now();
// Fixes now() to the given day count; nullopt returns to the real clock.
void setFixedNow(std::optional<double> serial);
bool isClockFixed();
int currentYear();

// The command-line arguments of the program, as one text (COMMAND$).
void setCommandLine(std::u16string args);
const std::u16string& commandLine();

// How many times the running system has been read on this thread (the clock, the command
// line, the environment, the random generator). A caller compares two readings to learn
// whether a result depends on more than its text.
std::uint64_t systemReads();
void noteSystemRead();

} // namespace quill::platform
