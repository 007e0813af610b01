#include "sheet/narrowing.h"

#include "engine/jtext.h"

#include <algorithm>

namespace quill {
namespace {

char16_t operatorMeant(char16_t c) {
    switch (c) {
    case u'\u00A5': return u'\\'; // ¥ (also what ICU makes of the full-width ￥)
    case u'\u201C':
    case u'\u201D': return u'"';
    case u'\u2212': return u'-';
    default: return c;
    }
}

// Start of the line that holds `position`, and that line's number.
std::size_t lineStart(std::u16string_view text, std::size_t position, std::size_t& line) {
    const std::size_t nl =
        position == 0 ? std::u16string_view::npos : text.rfind(u'\n', position - 1);
    const std::size_t start = nl == std::u16string_view::npos ? 0 : nl + 1;
    line = static_cast<std::size_t>(std::count(text.begin(), text.begin() + start, u'\n'));
    return start;
}

// Start and length of the 0-based line of a text; the text's end when it has fewer lines.
std::u16string_view nthLine(std::u16string_view text, std::size_t line, std::size_t& start) {
    start = 0;
    for (std::size_t i = 0; i < line; ++i) {
        const std::size_t nl = text.find(u'\n', start);
        if (nl == std::u16string_view::npos) {
            start = text.size();
            return {};
        }
        start = nl + 1;
    }
    const std::size_t end = std::min(text.find(u'\n', start), text.size());
    return text.substr(start, end - start);
}

} // namespace

std::u16string narrowLine(std::u16string_view line) {
    std::u16string out = toHalfWidth(line);
    std::transform(out.begin(), out.end(), out.begin(), operatorMeant);
    return out;
}

std::size_t narrowedColumn(std::u16string_view line, std::size_t column) {
    return narrowLine(line.substr(0, std::min(column, line.size()))).size();
}

std::size_t narrowedPosition(std::u16string_view original, std::u16string_view narrowed,
                             std::size_t position) {
    position = std::min(position, original.size());
    std::size_t line = 0;
    const std::size_t from = lineStart(original, position, line);
    std::size_t start = 0;
    const std::u16string_view target = nthLine(narrowed, line, start);
    const std::size_t column = narrowedColumn(original.substr(from), position - from);
    return start + std::min(column, target.size());
}

} // namespace quill
