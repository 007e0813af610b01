#pragma once
// Which encoding a text file of this program is in when it carries no mark: UTF-8 (what this
// program writes) or code page 932 (the Japanese Windows code page, in which settings files
// and sheets carried over from a Japanese Windows system are stored).
#include <string_view>

namespace quill {

enum class TextEncoding { Utf8, Cp932 };

// The encoding to read `bytes` in:
// - a UTF-8 byte order mark at the start, or text that is all ASCII: UTF-8;
// - bytes that are no valid UTF-8: code page 932;
// - valid UTF-8 holding a sequence of three or four bytes (kana, kanji, full-width forms,
//   everything from U+0800 on): UTF-8, since code page 932 text does not line up into such
//   sequences in practice;
// - valid UTF-8 whose only sequences are of two bytes: these are just what pairs of code page
//   932 half-width katakana (ﾃｽ is C3 BD) look like, so code page 932 when the bytes decode
//   cleanly in it, else UTF-8.
// A writer that stores UTF-8 which would read back as code page 932 marks it with a byte
// order mark.
TextEncoding detectEncoding(std::string_view bytes);

} // namespace quill
