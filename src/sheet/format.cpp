#include "sheet/format.h"

#include "engine/convert.h"

#include <algorithm>

namespace quill {
namespace {

// Appends the digits with separators: "," every three digits, or for mode 4 every four; for
// mode 1 万, 億 and 兆 after the 4th, 8th and 12th digit from the right, the digits beyond the
// 兆 group staying together in front.
void appendGrouped(std::u16string& out, std::u16string_view digits, int mode) {
    static const char16_t units[] = {u'万', u'億', u'兆'};
    const size_t n = digits.size();
    const size_t width = (mode == 1 || mode == 4) ? 4 : 3;
    const size_t lastGroup = mode == 1 ? 3 : n; // groups counted from the right
    const size_t separators = n == 0 ? 0 : std::min((n - 1) / width, lastGroup);
    size_t at = out.size();
    out.resize(at + n + separators);
    for (size_t i = 0; i < n; ++i) {
        size_t fromRight = n - i; // digits left including this one
        if (i > 0 && fromRight % width == 0 && fromRight / width <= lastGroup)
            out[at++] = mode == 1 ? units[fromRight / width - 1] : u',';
        out[at++] = digits[i];
    }
}

} // namespace

std::u16string StrInsert(std::u16string_view text, size_t position, std::u16string_view piece) {
    position = std::min(position, text.size());
    std::u16string out(text.substr(0, position));
    out.append(piece);
    out.append(text.substr(position));
    return out;
}

std::u16string FormatGrouped(const Value& value, int mode) {
    std::u16string s = toText(value);
    if (!readsAsNumber(value)) return s;
    size_t point = s.find(u'.');
    std::u16string_view whole = std::u16string_view(s).substr(0, point);
    std::u16string_view fraction = point == std::u16string::npos
                                       ? std::u16string_view()
                                       : std::u16string_view(s).substr(point);
    bool negative = !whole.empty() && whole[0] == u'-';
    if (negative) whole.remove_prefix(1);
    // Only a plain run of digits is grouped (not "1E+15", "True" or a text with blanks).
    for (char16_t c : whole)
        if (c < u'0' || c > u'9') return s;
    std::u16string out;
    out.reserve(s.size() + s.size() / 3 + 1);
    if (negative) out += u'-';
    appendGrouped(out, whole, mode);
    out.append(fraction);
    return out;
}

std::u16string displayText(const Value& value, Grouping grouping) {
    if (grouping == Grouping::None) return toText(value);
    return FormatGrouped(value, static_cast<int>(grouping));
}

void appendDisplayText(std::u16string& out, const Value& value, Grouping grouping) {
    if (grouping != Grouping::None && (value.isText() || value.isDate())) {
        out += FormatGrouped(value, static_cast<int>(grouping));
        return;
    }
    const size_t start = out.size();
    appendText(out, value);
    if (grouping == Grouping::None) return;
    // A number's text is grouped where it stands, as FormatGrouped would group it.
    char16_t plain[48];
    const size_t length = out.size() - start;
    if (length > std::size(plain)) {
        out.resize(start);
        out += FormatGrouped(value, static_cast<int>(grouping));
        return;
    }
    std::copy(out.begin() + long(start), out.end(), plain);
    std::u16string_view s(plain, length);
    const size_t point = s.find(u'.');
    std::u16string_view whole = s.substr(0, point);
    const std::u16string_view fraction =
        point == std::u16string_view::npos ? std::u16string_view() : s.substr(point);
    const bool negative = !whole.empty() && whole[0] == u'-';
    if (negative) whole.remove_prefix(1);
    for (char16_t c : whole)
        if (c < u'0' || c > u'9') return;
    out.resize(start);
    if (negative) out += u'-';
    appendGrouped(out, whole, static_cast<int>(grouping));
    out.append(fraction);
}

} // namespace quill
