// Functions that reach the running system (clock, environment, command line, files, keys),
// the bare names, and RND.
#include "engine/datetime.h"
#include "engine/error.h"
#include "engine/functions.h"
#include "engine/jtext.h"
#include "engine/platform.h"

#include <bit>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace quill {
namespace {

// A value taken as a date: a date, a text that reads as a date, or a day count.
DateTimeFields asDate(const Value& v) {
    if (auto serial = readsAsDate(v)) return dateFields(*serial);
    return dateFields(toDouble(v));
}

Value environFn(const Call& c) {
    Value v = c.arg(0);
    platform::noteSystemRead();
    if (v.isText()) {
        const char* value = std::getenv(toUtf8(v.asText()).c_str());
        return Value::text(value ? fromUtf8(value) : u"");
    }
    std::int32_t n = toInt32(v);
    if (n < 1) fail();
    for (std::int32_t i = 1; environ && environ[i - 1]; ++i)
        if (i == n) return Value::text(fromUtf8(environ[i - 1]));
    return Value::text(u"");
}

// Files are never opened during evaluation, so every numbered-file query fails.
Value fileQuery(const Call& c) {
    c.cint(0);
    fail();
}

bool truthOf(const Value& v) {
    if (v.is(Kind::Bool)) return v.asBool();
    return toDouble(v) != 0;
}

Value iifFn(const Call& c) {
    Value x = c.arg(0), y = c.arg(1), z = c.arg(2);
    return truthOf(x) ? y : z;
}

// INPUT$ with one argument would wait for keys that never arrive: it fails instead.
Value inputFn(const Call& c) {
    c.arg(0);
    if (c.count() >= 2) {
        c.arg(1);
        return Value::empty();
    }
    fail();
}

#define FN(name, body)                                                                             \
    {                                                                                              \
        u"" name, [](const Call& c) -> Value { body }                                              \
    }

const FunctionEntry kSystem[] = {
    {u"ENVIRON$", environFn},
    {u"EOF", fileQuery},
    FN("EVAL", return evalNested(c.ctx, toText(c.arg(0)));),
    FN("HOUR", return Value::int16(static_cast<std::int16_t>(asDate(c.arg(0)).hour));),
    {u"IIF", iifFn},
    {u"INPUT$", inputFn},
    FN("INP", c.cint(0); return Value::int16(0);),
    {u"LOC", fileQuery},
    {u"LOF", fileQuery},
    FN("MINUTE", return Value::int16(static_cast<std::int16_t>(asDate(c.arg(0)).minute));),
    FN("POS", (void)c; return Value::empty();),
    FN("RND", return randomNumber(static_cast<float>(c.num(0)));),
};

#undef FN

// The random generator: a 24-bit linear congruential sequence, reseeded from the clock on
// every call while keeping its low byte, so calls within one clock tick still differ.
struct RandomState {
    std::uint32_t seed = 0x50000;
    float last = 0;
};

RandomState& randomState() {
    static RandomState state;
    return state;
}

std::uint32_t clockBits() {
    double t = platform::now();
    if (!platform::isClockFixed()) {
        auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                      std::chrono::system_clock::now().time_since_epoch())
                      .count();
        t += static_cast<double>(us % 1000000) / 86400e6;
    }
    std::uint64_t bits = std::bit_cast<std::uint64_t>(t);
    return static_cast<std::uint32_t>(bits ^ (bits >> 24) ^ (bits >> 48));
}

float nextRandom(RandomState& s) {
    s.seed = (s.seed * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    s.last = static_cast<float>(s.seed) / 16777216.0f;
    return s.last;
}

} // namespace

std::span<const FunctionEntry> systemFunctions() {
    return kSystem;
}

Value randomNumber(std::optional<float> arg) {
    platform::noteSystemRead();
    RandomState& s = randomState();
    s.seed = (s.seed & 0xFFu) | ((clockBits() << 8) & 0xFFFF00u);
    if (arg && *arg == 0) return Value::single(s.last);
    if (arg && *arg < 0) {
        // A negative argument determines the value alone.
        std::uint32_t bits = std::bit_cast<std::uint32_t>(*arg);
        s.seed = (bits + (bits >> 24)) & 0xFFFFFFu;
    }
    return Value::single(nextRandom(s));
}

Value bareName(std::u16string_view name) {
    if (name == u"CSRLIN" || name == u"INKEY$") return Value::empty();
    if (name == u"ERR") return Value::int32(0);
    if (name == u"COMMAND$") return Value::text(platform::commandLine());
    if (name == u"NOW") return Value::date(platform::now());
    if (name == u"TIME") {
        DateTimeFields f = dateFields(platform::now());
        return Value::date((f.hour * 3600.0 + f.minute * 60.0 + f.second) / 86400.0);
    }
    if (name == u"DATE") {
        DateTimeFields f = dateFields(platform::now());
        f.hour = f.minute = f.second = 0;
        return Value::text(formatDate(dateSerial(f)));
    }
    if (name == u"RND") return randomNumber(std::nullopt);
    if (!name.empty() && name.back() == u'$') return Value::text(u"");
    return Value::int16(0);
}

} // namespace quill
