// Writes the source of the text tables (text_tables.h) from this machine's conversions, which
// go through ICU: every character is converted alone, every pair of characters that a rule
// could join is tried, and every code page 932 byte and byte pair is read.
// Usage: text_tables_gen OUT.cpp
#include "engine/jtext.h"
#include "web/text_tables.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Convert = std::u16string (*)(std::u16string_view);

[[noreturn]] void fail(const std::string& why) {
    std::fprintf(stderr, "text_tables_gen: %s\n", why.c_str());
    std::exit(1);
}

std::string hex(unsigned value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%04X", value);
    return buf;
}

std::u16string surrogates(char32_t c) {
    return {static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)),
            static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF))};
}

std::string chars(std::u16string_view s) {
    std::string out = "{";
    for (size_t i = 0; i < 2; ++i) out += (i ? ", " : "") + hex(i < s.size() ? s[i] : 0);
    return out + "}";
}

void rule(std::ostream& out, std::u16string_view from, std::u16string_view to) {
    if (to.size() > 2) fail("a width rule writes more than two characters");
    out << "    {" << chars(from) << ", " << from.size() << ", " << chars(to) << ", " << to.size()
        << "},\n";
}

// Characters that convert alone, plus the blocks where sound marks join characters: the
// candidates for the first and second character of a joining rule.
std::set<char16_t> pairCandidates(Convert convert) {
    std::set<char16_t> out;
    for (unsigned c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000) continue;
        const std::u16string one(1, static_cast<char16_t>(c));
        const bool inKanaBlocks = (c >= 0x3000 && c < 0x3100) || (c >= 0xFF00 && c < 0xFFF0);
        if (inKanaBlocks || convert(one) != one) out.insert(static_cast<char16_t>(c));
    }
    return out;
}

void widthTable(std::ostream& out, const char* name, Convert convert) {
    std::ostringstream rules;
    size_t count = 0;
    const std::set<char16_t> candidates = pairCandidates(convert);
    for (unsigned c = 0; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000) continue;
        const std::u16string one(1, static_cast<char16_t>(c));
        const std::u16string alone = convert(one);
        if (alone != one) rule(rules, one, alone), ++count;
        if (!candidates.count(static_cast<char16_t>(c))) continue;
        for (char16_t second : candidates) {
            const std::u16string two = one + second;
            const std::u16string joined = convert(two);
            if (joined != alone + convert(std::u16string(1, second)))
                rule(rules, two, joined), ++count;
        }
    }
    // Characters beyond U+FFFF are left as they are: check rather than assume.
    for (char32_t c = 0x10000; c < 0x110000; ++c) {
        const std::u16string pair = surrogates(c);
        if (convert(pair) != pair) fail("a character beyond U+FFFF changes width");
    }
    out << "const WidthRule " << name << "[] = {\n" << rules.str() << "};\n";
    out << "const std::size_t " << name << "Count = " << count << ";\n\n";
}

std::u16string toHalf(std::u16string_view s) {
    return quill::toHalfWidth(s);
}
std::u16string toFull(std::u16string_view s) {
    return quill::toFullWidth(s);
}

void caseTable(std::ostream& out, const char* name, char16_t (*map)(char16_t)) {
    std::ostringstream rows;
    size_t count = 0;
    for (unsigned c = 0; c < 0x10000; ++c) {
        const char16_t to = map(static_cast<char16_t>(c));
        if (to != c) rows << "    {" << hex(c) << ", " << hex(to) << "},\n", ++count;
    }
    out << "const CharPair " << name << "[] = {\n" << rows.str() << "};\n";
    out << "const std::size_t " << name << "Count = " << count << ";\n\n";
}

std::u16string decode(std::initializer_list<unsigned> bytes) {
    std::string s;
    for (unsigned b : bytes) s += static_cast<char>(b);
    return quill::decodeCp932(s);
}

void cp932Reading(std::ostream& out) {
    char16_t single[256];
    for (unsigned b = 0; b < 256; ++b) {
        const std::u16string r = decode({b});
        if (r.size() != 1) fail("a byte reads as other than one character");
        single[b] = r[0];
    }
    std::vector<std::vector<char16_t>> rows;
    unsigned leadRow[256] = {};
    for (unsigned lead = 0; lead < 256; ++lead) {
        std::vector<char16_t> row(256);
        bool isLead = false;
        for (unsigned trail = 0; trail < 256; ++trail) {
            const std::u16string r = decode({lead, trail});
            if (r == std::u16string{single[lead], single[trail]}) {
                row[trail] = quill::text_tables::kLeadAlone;
            } else if (r.size() == 1) {
                row[trail] = r[0], isLead = true;
            } else {
                fail("byte pair " + hex(lead) + " " + hex(trail) + " reads unlike any rule");
            }
        }
        if (!isLead) continue;
        rows.push_back(row);
        leadRow[lead] = static_cast<unsigned>(rows.size());
    }
    out << "const char16_t kCp932Single[256] = {";
    for (unsigned b = 0; b < 256; ++b) out << (b % 8 ? " " : "\n    ") << hex(single[b]) << ",";
    out << "\n};\n\nconst std::uint8_t kCp932LeadRow[256] = {";
    for (unsigned b = 0; b < 256; ++b) out << (b % 16 ? " " : "\n    ") << leadRow[b] << ",";
    out << "\n};\n\nconst char16_t kCp932Double[][256] = {\n";
    for (const auto& row : rows) {
        out << "    {";
        for (unsigned t = 0; t < 256; ++t)
            out << (t % 8 ? " " : "\n        ") << hex(row[t]) << ",";
        out << "\n    },\n";
    }
    out << "};\n\n";
}

std::uint16_t code(const std::string& bytes) {
    if (bytes.empty()) return quill::text_tables::kNoBytes;
    if (bytes.size() == 1) return static_cast<unsigned char>(bytes[0]);
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[0]) << 8 |
                                      static_cast<unsigned char>(bytes[1]));
}

void cp932Writing(std::ostream& out) {
    std::ostringstream codes, fallbacks;
    size_t codeCount = 0, fallbackCount = 0;
    for (unsigned c = 0; c < 0x10000; ++c) {
        const std::u16string one(1, static_cast<char16_t>(c));
        const auto strict = quill::encodeCp932Strict(one);
        const std::string lenient = quill::encodeCp932(one);
        if (strict && strict->size() > 2)
            fail("the code of " + hex(c) + " has " + std::to_string(strict->size()) + " bytes");
        if (strict) codes << "    {" << hex(c) << ", " << hex(code(*strict)) << "},\n", ++codeCount;
        if (strict && lenient != *strict) fail("a character with a code writes another");
        if (!strict && lenient != "?") {
            if (lenient.size() > 2) fail("a fallback of more than two bytes");
            fallbacks << "    {" << hex(c) << ", " << hex(code(lenient)) << "},\n", ++fallbackCount;
        }
    }
    // Beyond U+FFFF no character has a code, but some (format controls) are dropped.
    std::ostringstream dropped;
    size_t droppedCount = 0;
    char32_t first = 0;
    for (char32_t c = 0x10000; c <= 0x110000; ++c) {
        bool drop = false;
        if (c < 0x110000) {
            const std::u16string pair = surrogates(c);
            const auto strict = quill::encodeCp932Strict(pair);
            const std::string lenient = quill::encodeCp932(pair);
            drop = strict && strict->empty() && lenient.empty();
            if (!drop && (strict || lenient != "?")) fail(hex(c) + " beyond U+FFFF has a code");
        }
        if (drop && first == 0) first = c;
        if (!drop && first != 0) {
            dropped << "    {" << hex(first) << ", " << hex(c - 1) << "},\n", ++droppedCount;
            first = 0;
        }
    }
    out << "const CharPair kCp932Codes[] = {\n" << codes.str() << "};\n";
    out << "const std::size_t kCp932CodeCount = " << codeCount << ";\n\n";
    out << "const CharPair kCp932Fallbacks[] = {\n" << fallbacks.str() << "};\n";
    out << "const std::size_t kCp932FallbackCount = " << fallbackCount << ";\n\n";
    out << "const CodeRange kCp932Dropped[] = {\n" << dropped.str() << "};\n";
    out << "const std::size_t kCp932DroppedCount = " << droppedCount << ";\n\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) fail("usage: text_tables_gen OUT.cpp");
    std::ostringstream out;
    out << "// Written by text_tables_gen from ICU's conversions; not edited by hand.\n"
           "#include \"web/text_tables.h\"\n\nnamespace quill::text_tables {\n\n";
    widthTable(out, "kNarrowing", toHalf);
    widthTable(out, "kWidening", toFull);
    caseTable(out, "kUpper", quill::upperCase);
    caseTable(out, "kLower", quill::lowerCase);
    cp932Reading(out);
    cp932Writing(out);
    out << "} // namespace quill::text_tables\n";
    std::ofstream file(argv[1], std::ios::binary);
    file << out.str();
    if (!file.flush()) fail(std::string("cannot write ") + argv[1]);
    return 0;
}
