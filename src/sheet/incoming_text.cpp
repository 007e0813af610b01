#include "sheet/incoming_text.h"

#include "engine/char_scan.h"

#include <cstdint>

namespace quill {
namespace {

bool isLineBreak(char16_t c) {
    return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\u0085' ||
           c == u'\u2028' || c == u'\u2029';
}

bool isControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

} // namespace

bool needsCleaning(std::u16string_view text) {
    return anyCharacter(text, [](std::uint16_t c) {
        const bool control = c < 0x20 && c != u'\t' && c != u'\n';
        const bool c1 = std::uint16_t(c - 0x7F) <= 0x20;       // DEL and the C1 controls
        const bool separator = std::uint16_t(c | 1) == 0x2029; // U+2028, U+2029
        return control | c1 | separator;
    });
}

std::u16string cleanIncomingText(std::u16string_view text) {
    text = text.substr(0, text.find(u'\0'));
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue; // CR of CR LF
        if (isLineBreak(c))
            out += u'\n';
        else if (c == u'\t' || !isControl(c))
            out += c;
    }
    return out;
}

} // namespace quill
