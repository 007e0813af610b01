#pragma once
// Japanese text services: full-width/half-width conversion (ICU's Fullwidth-Halfwidth and
// Halfwidth-Fullwidth transliterators), Windows code page 932 (ICU's windows-31j converter),
// case mapping and UTF-8/UTF-16 conversion. The desktop build implements them with ICU
// (jtext_icu.cpp); a build without ICU links tables written from ICU at build time instead.
#include <optional>
#include <string>
#include <string_view>

namespace quill {

// True when the text holds a character at or above U+0080.
bool hasNonAscii(std::u16string_view text);

// Full-width digits, Latin letters, symbols and katakana (and the ideographic space) become
// half-width (ガ becomes ｶﾞ); hiragana and kanji stay. Texts without any character at or above
// U+0080 are returned unchanged without touching ICU.
std::u16string toHalfWidth(std::u16string_view text);
// Half-width letters, digits, symbols and katakana become full-width (ｶﾞ becomes ガ).
std::u16string toFullWidth(std::u16string_view text);

// Code page 932 bytes of a text; nullopt when a character has no code in the code page.
std::optional<std::string> encodeCp932Strict(std::u16string_view text);
// Code page 932 bytes of a text, writing "?" for a character without a code (as Windows does),
// with Windows' own fallbacks (U+301C and U+2212 map as Windows maps them).
std::string encodeCp932(std::u16string_view text);
// Text of code page 932 bytes; a byte sequence without a character decodes as U+FFFD.
std::u16string decodeCp932(std::string_view bytes);

// Simple (one character to one) case mapping.
char16_t upperCase(char16_t c);
char16_t lowerCase(char16_t c);

bool isValidUtf8(std::string_view bytes);
// Invalid sequences become U+FFFD.
std::u16string fromUtf8(std::string_view bytes);
std::string toUtf8(std::u16string_view text);
// toUtf8 appended to `out`.
void appendUtf8(std::string& out, std::u16string_view text);
// ASCII text to UTF-16 (each char one code unit).
std::u16string fromAscii(std::string_view ascii);

} // namespace quill
