// Doubles and floats to and from text through the C library, for C++ libraries whose
// std::to_chars and std::from_chars lack the floating-point forms. The texts are the ones
// those give: the shortest digits are found by reading back each rounding in turn.
#include "engine/float_text.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
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
    return std::snprintf(buf, size, "%.*e", precision, v);
}

template <typename T> T readBack(const char* text);
template <> double readBack<double>(const char* text) {
    return std::strtod(text, nullptr);
}
template <> float readBack<float>(const char* text) {
    return std::strtof(text, nullptr);
}

// The shortest "%.*e" text that reads back as v.
template <typename T> int shortestScientific(char* buf, std::size_t size, T v) {
    const int most = std::is_same_v<T, float> ? 9 : 17;
    int n = 0;
    for (int precision = 0; precision < most; ++precision) {
        n = scientific(buf, size, v, precision);
        if (readBack<T>(buf) == v) return n;
    }
    return n;
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

// std::from_chars accepts neither leading blanks nor a sign nor hexadecimal forms; strtod
// does, so those are refused first.
bool plainDecimal(const char* first, const char* last) {
    if (first == last) return false;
    const char c = *first;
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == 'i' || c == 'I' ||
          c == 'n' || c == 'N'))
        return false;
    return !(last - first > 1 && c == '0' && (first[1] == 'x' || first[1] == 'X'));
}

template <typename T> std::from_chars_result readNumber(const char* first, const char* last, T& v) {
    if (!plainDecimal(first, last)) return {first, std::errc::invalid_argument};
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
