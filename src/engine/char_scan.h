#pragma once
// Looking through a long text for a kind of character, fast enough for a megabyte sheet on
// every pass.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quill {

// True when `flag` holds for some character of the text. The text is looked through a block
// at a time without stopping inside a block, in 16-bit arithmetic, so that the compiler
// compares many characters at once; `flag` must be cheap and have no side effects.
template <typename Flag> bool anyCharacter(std::u16string_view text, Flag flag) {
    constexpr std::size_t kBlock = 256;
    for (std::size_t start = 0; start < text.size(); start += kBlock) {
        const std::size_t end = std::min(text.size(), start + kBlock);
        std::uint16_t found = 0;
        for (std::size_t i = start; i < end; ++i)
            found |= std::uint16_t(flag(std::uint16_t(text[i])));
        if (found) return true;
    }
    return false;
}

// Copies the leading ASCII characters of `from` (n units) into `to`, each unit widened or
// narrowed; returns how many were copied. Most of a sheet is ASCII: whole blocks are tested
// and copied without stopping inside a block, so that the compiler handles many at once.
template <typename From, typename To>
std::size_t asciiPrefix(const From* from, To* to, std::size_t n) {
    constexpr std::size_t kBlock = 64;
    std::size_t i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        unsigned high = 0;
        for (std::size_t k = i; k < i + kBlock; ++k) high |= unsigned(from[k]);
        if (high >= 0x80) break;
        for (std::size_t k = i; k < i + kBlock; ++k) to[k] = static_cast<To>(from[k]);
    }
    for (; i < n && unsigned(from[i]) < 0x80; ++i) to[i] = static_cast<To>(from[i]);
    return i;
}

} // namespace quill
