// The text services that need no conversion tables, shared by every build.
#include "engine/jtext.h"

#include "engine/char_scan.h"

#include <cstdint>

namespace quill {

bool hasNonAscii(std::u16string_view text) {
    return anyCharacter(text, [](std::uint16_t c) { return c >= 0x80; });
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    appendUtf8(out, text);
    return out;
}

std::u16string fromAscii(std::string_view ascii) {
    std::u16string out;
    out.reserve(ascii.size());
    for (char ch : ascii) out += static_cast<char16_t>(static_cast<unsigned char>(ch));
    return out;
}

} // namespace quill
