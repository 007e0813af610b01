#include "engine/platform.h"

#include "engine/datetime.h"

#include <algorithm>
#include <ctime>

namespace quill::platform {
namespace {

std::optional<double>& fixedNow() {
    static std::optional<double> value;
    return value;
}

std::u16string& commandLineStore() {
    static std::u16string value;
    return value;
}

double realNow() {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    DateTimeFields f{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                     local.tm_hour,        local.tm_min,     std::min(local.tm_sec, 59)};
    return dateSerial(f);
}

thread_local std::uint64_t readsOfSystem = 0;

} // namespace

std::uint64_t systemReads() {
    return readsOfSystem;
}

void noteSystemRead() {
    ++readsOfSystem;
}

double now() {
    noteSystemRead();
    return fixedNow() ? *fixedNow() : realNow();
}

void setFixedNow(std::optional<double> serial) {
    fixedNow() = serial;
}

bool isClockFixed() {
    return fixedNow().has_value();
}

int currentYear() {
    return dateFields(now()).year;
}

void setCommandLine(std::u16string args) {
    commandLineStore() = std::move(args);
}

const std::u16string& commandLine() {
    noteSystemRead();
    return commandLineStore();
}

} // namespace quill::platform
