#pragma once
// The width conversions, code page 932 and case mapping as tables, for builds without ICU.
// The tables are written at build time by text_tables_gen from the build machine's ICU, so a
// build that reads them converts exactly as the desktop does.
#include <cstddef>
#include <cstdint>

namespace quill::text_tables {

// One width rule: a character, or a character and a sound mark, written as one or two others.
struct WidthRule {
    char16_t from[2];
    std::uint8_t fromLength;
    char16_t to[2];
    std::uint8_t toLength;
};

// A character and its counterpart (case mapping, code page 932 codes).
struct CharPair {
    char16_t from;
    std::uint16_t to;
};

// Rules sorted by `from` (one-character rules before the longer ones of the same start).
extern const WidthRule kNarrowing[];
extern const std::size_t kNarrowingCount;
extern const WidthRule kWidening[];
extern const std::size_t kWideningCount;

// Simple case mapping of the characters that change, sorted.
extern const CharPair kUpper[];
extern const std::size_t kUpperCount;
extern const CharPair kLower[];
extern const std::size_t kLowerCount;

// Code page 932, reading: what each byte reads as alone (also a lead byte at the end of the
// text), and for a lead byte its row (1-based) of what it reads as with each following byte.
// A row entry kLeadAlone means the lead byte alone reads as U+FFFD and the following byte is
// read afresh.
constexpr char16_t kLeadAlone = 0xFFFF;
extern const char16_t kCp932Single[256];
extern const std::uint8_t kCp932LeadRow[256];
extern const char16_t kCp932Double[][256];

// Code page 932, writing: the codes of the characters that have one (a code below 0x100 is one
// byte, kNoBytes none: the character is dropped), sorted; kCp932Fallbacks holds the further
// codes used when "?" is not wanted.
constexpr std::uint16_t kNoBytes = 0xFFFF;
extern const CharPair kCp932Codes[];
extern const std::size_t kCp932CodeCount;
extern const CharPair kCp932Fallbacks[];
extern const std::size_t kCp932FallbackCount;

// Characters beyond U+FFFF have no code; those in these ranges (format controls) are dropped
// rather than written as "?".
struct CodeRange {
    char32_t first, last;
};
extern const CodeRange kCp932Dropped[];
extern const std::size_t kCp932DroppedCount;

} // namespace quill::text_tables
