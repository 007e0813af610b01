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

} // namespace quill
