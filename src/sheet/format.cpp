#include "sheet/format.h"

#include "engine/convert.h"

namespace quill {
namespace {

std::u16string groupDigits(std::u16string_view digits, int mode) {
    if (mode != 1 && mode != 4) {
        std::u16string out;
        out.reserve(digits.size() + digits.size() / 3);
        for (size_t i = 0; i < digits.size(); ++i) {
            if (i > 0 && (digits.size() - i) % 3 == 0) out += u',';
            out += digits[i];
        }
        return out;
    }
    // Separators go in from the lowest group upwards; each lies left of the earlier ones, so
    // positions measured on the unchanged digits stay valid. Digits beyond the 兆 group stay
    // together in front.
    static const char16_t* const units[] = {u"万", u"億", u"兆"};
    std::u16string out(digits);
    size_t groups = digits.empty() ? 0 : (digits.size() - 1) / 4;
    if (mode == 1 && groups > 3) groups = 3;
    for (size_t k = 1; k <= groups; ++k)
        out = StrInsert(out, digits.size() - 4 * k, mode == 1 ? units[k - 1] : u",");
    return out;
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
    std::u16string out = negative ? u"-" : u"";
    out += groupDigits(whole, mode);
    out.append(fraction);
    return out;
}

std::u16string displayText(const Value& value, Grouping grouping) {
    if (grouping == Grouping::None) return toText(value);
    return FormatGrouped(value, static_cast<int>(grouping));
}

} // namespace quill
