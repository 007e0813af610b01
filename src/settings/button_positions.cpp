#include "settings/button_positions.h"

#include "engine/float_text.h"
#include "engine/jtext.h"

#include <charconv>
#include <cmath>

namespace quill {
namespace {

// Positions are applied to real buttons: a number far beyond any screen is as unusable as
// one that is not a number at all.
constexpr float kFarthestTwips = 1.0e6f;

std::optional<float> readNumber(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
    if (!text.empty() && text.front() == u'+') text.remove_prefix(1);
    std::string ascii;
    for (char16_t c : text) {
        if (c >= 0x80) return std::nullopt;
        ascii += static_cast<char>(c);
    }
    float value = 0;
    const auto [end, ec] = readFloat(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec != std::errc() || end != ascii.data() + ascii.size() || ascii.empty())
        return std::nullopt;
    if (!std::isfinite(value) || std::fabs(value) > kFarthestTwips) return std::nullopt;
    return value;
}

std::optional<ButtonPosition> readPair(std::u16string_view pair) {
    const auto comma = pair.find(u',');
    if (comma == std::u16string_view::npos) return std::nullopt;
    const auto left = readNumber(pair.substr(0, comma));
    const auto top = readNumber(pair.substr(comma + 1));
    if (!left || !top) return std::nullopt;
    return ButtonPosition{*left, *top};
}

} // namespace

int numPosElement(std::size_t pair) {
    return pair <= 10 ? static_cast<int>(pair) : static_cast<int>(pair) + 53;
}

PositionListRead readPositionList(std::u16string_view text, std::size_t buttonCount) {
    PositionListRead read;
    if (text.empty()) return read;
    for (std::size_t k = 0;; ++k) {
        const auto bar = text.find(u'|');
        const auto pair = readPair(text.substr(0, bar));
        if (k >= buttonCount || !pair) {
            read.badPair = k;
            return read;
        }
        read.positions.push_back(*pair);
        if (bar == std::u16string_view::npos) return read;
        text.remove_prefix(bar + 1);
    }
}

std::u16string formatSingle(float value) {
    if (!std::isfinite(value) || value == 0) return u"0";
    char buffer[64];
    const auto [end, ec] = writeShortestFixed(buffer, buffer + sizeof buffer, value);
    if (ec != std::errc()) return u"0";
    return fromAscii(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
}

std::u16string formatPositionList(const std::vector<ButtonPosition>& positions) {
    std::u16string text;
    for (const auto& p : positions) {
        if (!text.empty()) text += u'|';
        text += formatSingle(p.left) + u',' + formatSingle(p.top);
    }
    return text;
}

} // namespace quill
