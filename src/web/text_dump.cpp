// Writes what the text services and number texts make of every BMP character, every pair of
// characters a width rule could join, every code page 932 byte and byte pair, the short UTF-8
// sequences and a seeded sample of longer texts and of doubles, one line each. The web build's
// dump is compared with the desktop's: the two must be the same, byte for byte.
#include "engine/float_text.h"
#include "engine/jtext.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace quill;

std::string hex(std::u16string_view s) {
    std::string out;
    char buf[8];
    for (char16_t c : s)
        std::snprintf(buf, sizeof buf, "%04X.", static_cast<unsigned>(c)), out += buf;
    return out;
}

std::string hexBytes(std::string_view s) {
    std::string out;
    char buf[4];
    for (char c : s)
        std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned char>(c)), out += buf;
    return out;
}

std::string strict(std::u16string_view s) {
    const auto bytes = encodeCp932Strict(s);
    return bytes ? hexBytes(*bytes) : "none";
}

void line(const std::string& text) {
    std::fwrite((text + "\n").data(), 1, text.size() + 1, stdout);
}

std::u16string surrogates(char32_t c) {
    return {static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)),
            static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF))};
}

void characters() {
    for (unsigned c = 0; c < 0x10000; ++c) {
        const std::u16string one(1, static_cast<char16_t>(c));
        std::string utf8;
        appendUtf8(utf8, one);
        line(hex(one) + " half " + hex(toHalfWidth(one)) + " full " + hex(toFullWidth(one)) +
             " case " + hex(std::u16string{upperCase(one[0]), lowerCase(one[0])}) + " cp932 " +
             strict(one) + " " + hexBytes(encodeCp932(one)) + " utf8 " + hexBytes(utf8));
    }
    // Beyond U+FFFF: only what differs from "left as it is, no code".
    for (char32_t c = 0x10000; c < 0x110000; ++c) {
        const std::u16string s = surrogates(c);
        const std::string lenient = encodeCp932(s);
        if (toHalfWidth(s) != s || toFullWidth(s) != s || encodeCp932Strict(s) || lenient != "?")
            line(hex(s) + " half " + hex(toHalfWidth(s)) + " full " + hex(toFullWidth(s)) +
                 " cp932 " + strict(s) + " " + hexBytes(lenient));
    }
}

// Pairs that a width rule could join: printed when they convert otherwise than each alone.
void widthPairs() {
    std::vector<char16_t> set;
    for (char16_t c = 0x20; c < 0x7F; ++c) set.push_back(c);
    for (char16_t c = 0x3000; c < 0x3100; ++c) set.push_back(c);
    for (char16_t c = 0xFF00; c < 0xFFF0; ++c) set.push_back(c);
    for (char16_t a : set) {
        for (char16_t b : set) {
            const std::u16string one(1, a), other(1, b), two{a, b};
            const std::u16string half = toHalfWidth(two), full = toFullWidth(two);
            if (half != toHalfWidth(one) + toHalfWidth(other) ||
                full != toFullWidth(one) + toFullWidth(other))
                line("pair " + hex(two) + " half " + hex(half) + " full " + hex(full));
        }
    }
}

void cp932Bytes() {
    for (unsigned a = 0; a < 256; ++a) {
        line("byte " + hexBytes(std::string(1, static_cast<char>(a))) + " " +
             hex(decodeCp932(std::string(1, static_cast<char>(a)))));
        for (unsigned b = 0; b < 256; ++b) {
            const std::string two{static_cast<char>(a), static_cast<char>(b)};
            line("bytes " + hexBytes(two) + " " + hex(decodeCp932(two)));
        }
    }
}

void utf8Line(const std::string& bytes) {
    line("utf8 " + hexBytes(bytes) + (isValidUtf8(bytes) ? " valid " : " invalid ") +
         hex(fromUtf8(bytes)));
}

void utf8Sequences() {
    const unsigned edges[] = {0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xFF};
    for (unsigned a = 0; a < 256; ++a) {
        for (unsigned b = 0; b < 256; ++b) utf8Line({static_cast<char>(a), static_cast<char>(b)});
        if (a < 0xE0) continue;
        for (unsigned b = 0x7F; b <= 0xC0; ++b)
            for (unsigned c : edges) {
                utf8Line({static_cast<char>(a), static_cast<char>(b), static_cast<char>(c)});
                if (a >= 0xF0)
                    for (unsigned d : {0x41u, 0x80u, 0xBFu})
                        utf8Line({static_cast<char>(a), static_cast<char>(b), static_cast<char>(c),
                                  static_cast<char>(d)});
            }
    }
}

// Seeded texts: std::mt19937_64 gives the same numbers everywhere.
void sampledTexts(std::mt19937_64& random) {
    std::u16string alphabet = u"1aA ｶﾞﾟｳﾜｦﾊ\uFF9E\uFF9Fガパヴ\u3099\u309A\u309B😀"
                              u"￥¥\\~￣‐－ー。｡、､「」\u3000\u00AD";
    alphabet += {char16_t(0xD800), char16_t(0xDC00)}; // lone halves of a pair
    const size_t n = alphabet.size();
    for (int i = 0; i < 20000; ++i) {
        std::u16string s;
        for (size_t len = 1 + random() % 8; len > 0; --len) s += alphabet[random() % n];
        std::string utf8;
        appendUtf8(utf8, s);
        line("text " + hex(s) + " half " + hex(toHalfWidth(s)) + " full " + hex(toFullWidth(s)) +
             " cp932 " + strict(s) + " " + hexBytes(encodeCp932(s)) + " utf8 " + hexBytes(utf8));
        std::string bytes;
        for (size_t len = 1 + random() % 8; len > 0; --len) bytes += static_cast<char>(random());
        line("bytes " + hexBytes(bytes) + " " + hex(decodeCp932(bytes)));
        utf8Line(bytes);
    }
}

// Error codes by name: their numbers differ between C libraries.
const char* errorName(std::errc ec) {
    if (ec == std::errc()) return "ok";
    if (ec == std::errc::invalid_argument) return "invalid";
    if (ec == std::errc::result_out_of_range) return "range";
    return "other";
}

// The bits of a double (C libraries print small numbers differently with "%a").
std::string bits(double v) {
    std::uint64_t b;
    std::memcpy(&b, &v, sizeof b);
    return std::to_string(b);
}

void doubleLine(double v) {
    char a[64], b[64], c[400];
    const auto shortest = writeShortestScientific(a, a + sizeof a, v);
    const auto fourteen = writeScientific(b, b + sizeof b, v, 14);
    const auto precise = writeScientific(c, c + sizeof c, v, 2);
    double back = -1;
    const auto read = readDouble(a + (a[0] == '-'), shortest.ptr, back);
    std::string text = "double " + std::string(a, shortest.ptr) + " " +
                       std::string(b, fourteen.ptr) + " " + std::string(c, precise.ptr) + " read " +
                       errorName(read.ec) + " ";
    line(text + bits(back));
}

void readLine(const std::string& text) {
    double d = -1;
    float f = -1;
    const auto rd = readDouble(text.data(), text.data() + text.size(), d);
    const auto rf = readFloat(text.data(), text.data() + text.size(), f);
    char buf[64];
    std::snprintf(buf, sizeof buf, " %s %td %s %td ", errorName(rd.ec), rd.ptr - text.data(),
                  errorName(rf.ec), rf.ptr - text.data());
    line("read [" + text + "]" + buf + bits(d) + " " + bits(static_cast<double>(f)));
}

// Doubles where the web build counts digits itself (about 1e-4 to 1e36): full mantissas,
// powers of two (a narrower gap below), the neighbours of powers of ten, and products that end
// in an exact half.
void exactRangeDoubles(std::mt19937_64& random) {
    for (int i = 0; i < 20000; ++i) {
        const double mantissa = 1.0 + static_cast<double>(random() >> 12) * 0x1p-52;
        const int exponent = static_cast<int>(random() % 140) - 20;
        doubleLine(std::ldexp(mantissa, exponent) * (i % 2 ? -1 : 1));
        doubleLine(std::ldexp(1.0, exponent));
        const double half = static_cast<double>(random() % 1000000000000000) + 0.5;
        doubleLine(half);
        doubleLine(std::ldexp(half, -static_cast<int>(random() % 12)));
    }
    for (int k = -5; k <= 36; ++k) {
        const double p = std::pow(10.0, k);
        for (const double v : {std::nextafter(p, 0.0), p, std::nextafter(p, 1e300)}) doubleLine(v);
    }
}

void numbers(std::mt19937_64& random) {
    exactRangeDoubles(random);
    for (int i = 0; i < 20000; ++i) {
        std::uint64_t bits = random();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v)) doubleLine(v);
        doubleLine(static_cast<double>(random() % 100000000) / 100.0);
        doubleLine(static_cast<double>(random() % 1000) * 1e-300);
        float f = static_cast<float>(static_cast<std::int64_t>(random() % 2000000) - 1000000) /
                  static_cast<float>(1 + random() % 1000);
        char buf[64];
        const auto fixed = writeShortestFixed(buf, buf + sizeof buf, f);
        line("float " + std::string(buf, fixed.ptr));
    }
    for (const char* text : {"",
                             "0",
                             "1",
                             "1.5",
                             ".5",
                             "5.",
                             "1e5",
                             "1E+05",
                             "1e-5",
                             "1e",
                             "1e+",
                             "1e400",
                             "1e-400",
                             "4.9e-324",
                             "2.4e-320",
                             "1.7976931348623157e308",
                             "1.8e308",
                             "inf",
                             "INF",
                             "infinity",
                             "nan",
                             "0x10",
                             " 1",
                             "+1",
                             "-1",
                             "1,5",
                             "12abc",
                             "0.1000000000000000055511151231257827",
                             "123456789012345678901234567890",
                             "3.4028235e38",
                             "3.5e38",
                             "1e-46"})
        readLine(text);
}

} // namespace

int main() {
    characters();
    widthPairs();
    cp932Bytes();
    utf8Sequences();
    std::mt19937_64 random(20261207);
    sampledTexts(random);
    numbers(random);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
