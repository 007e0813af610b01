// Doubles and floats to and from text through the C library, for C++ libraries whose
// std::to_chars and std::from_chars lack the floating-point forms. The texts are the ones
// those give: the shortest digits are found by reading back each rounding in turn.
#include "engine/float_text.h"

#include "engine/short_decimal.h"
#include "web/exact_digits.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>

namespace quill {
namespace {

std::to_chars_result copyOut(char* first, char* last, const char* text, std::size_t length) {
    if (static_cast<std::size_t>(last - first) < length) return {last, std::errc::value_too_large};
    std::memcpy(first, text, length);
    return {first + length, std::errc()};
}

// "%.*e" writes what to_chars writes in scientific form (at least two exponent digits).
int scientific(char* buf, std::size_t size, double v, int precision) {
    if (precision < 17 && size >= kExactTextRoom) {
        if (const auto d = exactDigits(std::fabs(v), precision + 1))
            return writeExactScientific(buf, *d, precision + 1, std::signbit(v));
    }
    return std::snprintf(buf, size, "%.*e", precision, v);
}

// "1.2300e+05" becomes "1.23e+05", "1.000e+05" "1e+05"; returns the new length.
int dropTrailingZeros(char* buf, int n) {
    char* e = std::strchr(buf, 'e');
    char* last = e;
    while (last[-1] == '0') --last;
    if (last[-1] == '.') --last;
    const int exponentLength = static_cast<int>(buf + n - e);
    std::memmove(last, e, static_cast<std::size_t>(exponentLength) + 1);
    return static_cast<int>(last - buf) + exponentLength;
}

// Digits, an optional point and an optional exponent of at most 15 significant digits and a
// power of ten up to 22: the digits and the power are exact doubles, so one multiplication or
// division rounds correctly. False (and nothing read) for any other text.
bool readShortDecimal(const char* first, const char* last, double& v, const char*& end) {
    std::uint64_t digits = 0;
    int count = 0, scale = 0;
    bool point = false, any = false;
    const char* p = first;
    for (; p != last; ++p) {
        if (*p == '.' && !point) {
            point = true;
            continue;
        }
        if (*p < '0' || *p > '9') break;
        any = true;
        if (point) ++scale;
        if (digits == 0 && *p == '0') continue;
        if (++count > 15) return false;
        digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    if (!any) return false;
    end = p;
    if (p != last && (*p == 'e' || *p == 'E')) {
        const char* x = p + 1;
        const bool negative = x != last && *x == '-';
        if (x != last && (*x == '-' || *x == '+')) ++x;
        int exponent = 0, exponentDigits = 0;
        for (; x != last && *x >= '0' && *x <= '9'; ++x) {
            if (++exponentDigits > 3) return false;
            exponent = exponent * 10 + (*x - '0');
        }
        if (exponentDigits > 0) { // "1e" reads as 1, as from_chars reads it
            scale -= negative ? -exponent : exponent;
            end = x;
        }
    }
    if (scale < -22 || scale > 22) return false;
    const auto d = static_cast<double>(digits);
    v = scale >= 0 ? d / kExactPow10[scale] : d * kExactPow10[-scale];
    return true;
}

template <typename T> T readBack(const char* text);
template <> double readBack<double>(const char* text) {
    const bool negative = *text == '-';
    const char* digits = text + negative;
    double v = 0;
    const char* end = nullptr;
    if (readShortDecimal(digits, digits + std::strlen(digits), v, end)) return negative ? -v : v;
    return std::strtod(text, nullptr);
}
template <> float readBack<float>(const char* text) {
    return std::strtof(text, nullptr);
}

// The shortest "%.*e" text that reads back as v. The C library's formatting and reading work
// in software long double here, so few tries are made: a double's rounding interval is far
// narrower than the spacing of 15-digit decimals, so when the nearest 15-digit decimal reads
// back, every shorter one that reads back is it with its trailing zeros dropped.
template <typename T> int shortestScientific(char* buf, std::size_t size, T v) {
    if constexpr (std::is_same_v<T, double>) {
        // Without the C library where the exact digits know whether they read back.
        for (int digits = 15; digits <= 17; ++digits) {
            const auto d = exactDigits(std::fabs(v), digits, true);
            if (!d) break;
            if (!d->readsBack && digits < 17) continue;
            const int n = writeExactScientific(buf, *d, digits, std::signbit(v));
            return digits == 15 ? dropTrailingZeros(buf, n) : n;
        }
    }
    constexpr int kSafeDigits = std::is_same_v<T, float> ? 6 : 15;
    constexpr int kMostDigits = std::is_same_v<T, float> ? 9 : 17;
    int n = scientific(buf, size, v, kSafeDigits - 1);
    if (readBack<T>(buf) == v) return dropTrailingZeros(buf, n);
    for (int digits = kSafeDigits + 1; digits < kMostDigits; ++digits) {
        n = scientific(buf, size, v, digits - 1);
        if (readBack<T>(buf) == v) return n;
    }
    return scientific(buf, size, v, kMostDigits - 1);
}

// Fixed form of a "d.ddde±x" text.
std::string fixedFromScientific(const char* s) {
    std::string out;
    if (*s == '-') out += *s++;
    std::string digits;
    for (; *s != 'e'; ++s)
        if (*s != '.') digits += *s;
    const int exponent = std::atoi(s + 1);
    const int point = exponent + 1; // digits before the point
    if (point <= 0) {
        out += "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    } else if (point >= static_cast<int>(digits.size())) {
        out += digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
    } else {
        out += digits.substr(0, static_cast<std::size_t>(point)) + "." +
               digits.substr(static_cast<std::size_t>(point));
    }
    return out;
}

// std::from_chars accepts neither leading blanks nor a plus sign, and reads "0x10" as 0; strtod
// would take them all, so they are refused or cut first.
bool plainDecimal(const char* first, const char*& last) {
    if (first == last) return false;
    const char c = *first;
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == 'i' || c == 'I' ||
          c == 'n' || c == 'N'))
        return false;
    if (last - first > 1 && c == '0' && (first[1] == 'x' || first[1] == 'X')) last = first + 1;
    return true;
}

template <typename T>
std::from_chars_result readUnsigned(const char* first, const char* last, T& v) {
    if (!plainDecimal(first, last)) return {first, std::errc::invalid_argument};
    if constexpr (std::is_same_v<T, double>) {
        const char* end = nullptr;
        double quick = 0;
        if (readShortDecimal(first, last, quick, end)) {
            v = quick;
            return {end, std::errc()};
        }
    }
    const std::string text(first, last);
    char* end = nullptr;
    errno = 0;
    const T value = std::is_same_v<T, float> ? std::strtof(text.c_str(), &end)
                                             : static_cast<T>(std::strtod(text.c_str(), &end));
    if (end == text.c_str()) return {first, std::errc::invalid_argument};
    const char* stop = first + (end - text.c_str());
    // Like from_chars: a result beyond the range (infinity or zero from a number that is
    // neither) leaves v as it was.
    if (errno == ERANGE && (std::isinf(value) || value == 0))
        return {stop, std::errc::result_out_of_range};
    v = value;
    return {stop, std::errc()};
}

// A minus sign, as from_chars takes it, and the number after it.
template <typename T> std::from_chars_result readNumber(const char* first, const char* last, T& v) {
    if (first == last || *first != '-') return readUnsigned(first, last, v);
    T magnitude = v;
    const std::from_chars_result r = readUnsigned(first + 1, last, magnitude);
    if (r.ec == std::errc::invalid_argument) return {first, r.ec};
    if (r.ec == std::errc()) v = -magnitude;
    return r;
}

} // namespace

std::to_chars_result writeShortestScientific(char* first, char* last, double v) {
    char buf[64];
    const int n = shortestScientific(buf, sizeof buf, v);
    return copyOut(first, last, buf, static_cast<std::size_t>(n));
}

std::to_chars_result writeScientific(char* first, char* last, double v, int precision) {
    char buf[400];
    const int n = scientific(buf, sizeof buf, v, std::clamp(precision, 0, 300));
    return copyOut(first, last, buf, static_cast<std::size_t>(n));
}

std::from_chars_result readDouble(const char* first, const char* last, double& v) {
    return readNumber(first, last, v);
}

std::to_chars_result writeShortestFixed(char* first, char* last, float v) {
    char buf[64];
    shortestScientific(buf, sizeof buf, v);
    const std::string fixed = fixedFromScientific(buf);
    return copyOut(first, last, fixed.data(), fixed.size());
}

std::from_chars_result readFloat(const char* first, const char* last, float& v) {
    return readNumber(first, last, v);
}

} // namespace quill
