#include "settings/text_encoding.h"

#include "engine/jtext.h"

#include <algorithm>

namespace quill {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool allAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Lead bytes E0 to F4 start the three- and four-byte sequences of valid UTF-8.
bool holdsLongSequence(std::string_view utf8) {
    return std::any_of(utf8.begin(), utf8.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0xE0; });
}

// Code page 932 has no character that decodes to U+FFFD: the decoder writes it only for a
// byte sequence without a character.
bool decodesCleanlyAsCp932(std::string_view bytes) {
    return decodeCp932(bytes).find(u'\uFFFD') == std::u16string::npos;
}

} // namespace

TextEncoding detectEncoding(std::string_view bytes) {
    if (bytes.substr(0, kBom.size()) == kBom || allAscii(bytes)) return TextEncoding::Utf8;
    if (!isValidUtf8(bytes)) return TextEncoding::Cp932;
    if (holdsLongSequence(bytes)) return TextEncoding::Utf8;
    return decodesCleanlyAsCp932(bytes) ? TextEncoding::Cp932 : TextEncoding::Utf8;
}

} // namespace quill
