// The text services of jtext.h from the tables of text_tables.h, for builds without ICU.
#include "engine/char_scan.h"
#include "engine/jtext.h"
#include "web/text_tables.h"

#include <algorithm>
#include <cstdint>

namespace quill {
namespace {

using namespace text_tables;

// Applies the width rules: at each place the rule joining two characters first, then the one
// for the character alone; characters without a rule stay.
std::u16string applyWidthRules(const WidthRule* rules, std::size_t count,
                               std::u16string_view text) {
    const WidthRule* end = rules + count;
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char16_t c = text[i];
        const WidthRule* r = std::lower_bound(
            rules, end, c, [](const WidthRule& rule, char16_t ch) { return rule.from[0] < ch; });
        const WidthRule* single = nullptr;
        const WidthRule* joined = nullptr;
        for (; r != end && r->from[0] == c; ++r) {
            if (r->fromLength == 1)
                single = r;
            else if (i + 1 < text.size() && r->from[1] == text[i + 1])
                joined = r;
        }
        const WidthRule* use = joined ? joined : single;
        if (use == nullptr) {
            out += c;
            ++i;
            continue;
        }
        out.append(use->to, use->toLength);
        i += use->fromLength;
    }
    return out;
}

const CharPair* findPair(const CharPair* pairs, std::size_t count, char16_t c) {
    const CharPair* end = pairs + count;
    const CharPair* p = std::lower_bound(
        pairs, end, c, [](const CharPair& pair, char16_t ch) { return pair.from < ch; });
    return p != end && p->from == c ? p : nullptr;
}

char16_t mapped(const CharPair* pairs, std::size_t count, char16_t c) {
    const CharPair* p = findPair(pairs, count, c);
    return p ? static_cast<char16_t>(p->to) : c;
}

bool isLead(char16_t c) {
    return c >= 0xD800 && c < 0xDC00;
}
bool isTrail(char16_t c) {
    return c >= 0xDC00 && c < 0xE000;
}

bool dropped(char32_t c) {
    const CodeRange* end = kCp932Dropped + kCp932DroppedCount;
    const CodeRange* r = std::lower_bound(
        kCp932Dropped, end, c, [](const CodeRange& range, char32_t x) { return range.last < x; });
    return r != end && r->first <= c;
}

void putCode(std::string& out, std::uint16_t code) {
    if (code == kNoBytes) return;
    if (code > 0xFF) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

// Code page 932 bytes; a character without a code is written as "?" when `lenient` (a pair of
// surrogates or a lone one counting as one character), or ends the writing.
std::optional<std::string> encode(std::u16string_view text, bool lenient) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const CharPair* p = findPair(kCp932Codes, kCp932CodeCount, c);
        if (p == nullptr && lenient) p = findPair(kCp932Fallbacks, kCp932FallbackCount, c);
        if (p != nullptr) {
            putCode(out, p->to);
            continue;
        }
        if (isLead(c) && i + 1 < text.size() && isTrail(text[i + 1])) {
            const char32_t cp = 0x10000 + ((c - 0xD800u) << 10) + (text[++i] - 0xDC00u);
            if (dropped(cp)) continue;
        }
        if (!lenient) return std::nullopt;
        out += '?';
    }
    return out;
}

// The UTF-8 sequence starting at s[i]: its code point (or -1 when ill-formed) and its length,
// which for an ill-formed one is the longest start of a well-formed sequence (at least 1).
struct Utf8Step {
    std::int32_t c;
    std::size_t length;
};

Utf8Step nextUtf8(const unsigned char* s, std::size_t i, std::size_t n) {
    const unsigned char b = s[i];
    if (b < 0x80) return {b, 1};
    int more = 0;
    std::int32_t c = 0;
    unsigned char low = 0x80, high = 0xBF; // the allowed range of the second byte
    if (b >= 0xC2 && b <= 0xDF)
        more = 1, c = b & 0x1F;
    else if (b >= 0xE0 && b <= 0xEF) {
        more = 2, c = b & 0x0F;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F; // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        more = 3, c = b & 0x07;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else {
        return {-1, 1};
    }
    std::size_t k = 1;
    for (int m = 0; m < more; ++m, ++k) {
        if (i + k >= n) return {-1, k};
        const unsigned char t = s[i + k];
        if (t < (m == 0 ? low : 0x80) || t > (m == 0 ? high : 0xBF)) return {-1, k};
        c = (c << 6) | (t & 0x3F);
    }
    return {c, k};
}

void appendCodePoint(std::u16string& out, std::int32_t c) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
        return;
    }
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (c >> 10));
    out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

} // namespace

std::u16string toHalfWidth(std::u16string_view text) {
    if (!hasNonAscii(text)) return std::u16string(text);
    return applyWidthRules(kNarrowing, kNarrowingCount, text);
}

std::u16string toFullWidth(std::u16string_view text) {
    return applyWidthRules(kWidening, kWideningCount, text);
}

char16_t upperCase(char16_t c) {
    return mapped(kUpper, kUpperCount, c);
}

char16_t lowerCase(char16_t c) {
    return mapped(kLower, kLowerCount, c);
}

std::optional<std::string> encodeCp932Strict(std::u16string_view text) {
    return encode(text, false);
}

std::string encodeCp932(std::u16string_view text) {
    return *encode(text, true);
}

std::u16string decodeCp932(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        const unsigned row = kCp932LeadRow[b];
        if (row == 0 || i + 1 == bytes.size()) {
            out += kCp932Single[b];
            continue;
        }
        const char16_t c = kCp932Double[row - 1][static_cast<unsigned char>(bytes[i + 1])];
        if (c == kLeadAlone) {
            out += u'\uFFFD';
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

bool isValidUtf8(std::string_view bytes) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t i = 0; i < bytes.size();) {
        const Utf8Step step = nextUtf8(s, i, bytes.size());
        if (step.c < 0) return false;
        i += step.length;
    }
    return true;
}

std::u16string fromUtf8(std::string_view bytes) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    std::u16string out(bytes.size(), u'\0');
    out.resize(asciiPrefix(s, out.data(), bytes.size()));
    for (std::size_t i = out.size(); i < bytes.size();) {
        const Utf8Step step = nextUtf8(s, i, bytes.size());
        appendCodePoint(out, step.c < 0 ? 0xFFFD : step.c);
        i += step.length;
    }
    return out;
}

void appendUtf8(std::string& out, std::u16string_view text) {
    const std::size_t start = out.size();
    out.resize(start + text.size());
    out.resize(start + asciiPrefix(text.data(), out.data() + start, text.size()));
    for (std::size_t i = out.size() - start; i < text.size(); ++i) {
        std::uint32_t c = text[i];
        if (isLead(text[i]) && i + 1 < text.size() && isTrail(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
            ++i;
        } else if (isLead(text[i]) || isTrail(text[i])) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
}

} // namespace quill
