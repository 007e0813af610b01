#pragma once
// The narrowing a calculation pass makes of the sheet: full-width characters become half-width,
// and the characters a Japanese input method types for an operator become that operator.
#include <cstddef>
#include <string>
#include <string_view>

namespace quill {

// One line narrowed: full-width digits, letters, symbols and katakana become half-width (ガ
// becomes ｶﾞ); the yen signs ￥ and ¥ become "\" (the yen sign is the backslash on a Japanese
// keyboard and in its code page), curly double quotes become '"' and the minus sign U+2212
// becomes "-". String literals are narrowed like everything else. Line breaks are kept.
std::u16string narrowLine(std::u16string_view line);

// Where column `column` of `line` lies in its narrowing. A character that becomes two (ガ)
// moves every later column one further.
std::size_t narrowedColumn(std::u16string_view line, std::size_t column);

// Where a position of `original` lies in `narrowed`, the narrowing of it that keeps its line
// breaks: the same line, after the narrowing of the part of the line before the position.
std::size_t narrowedPosition(std::u16string_view original, std::u16string_view narrowed,
                             std::size_t position);

} // namespace quill
