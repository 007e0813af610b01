#pragma once
// Fuzz input bytes as UTF-16 text. Seed files stay readable UTF-8, while the fuzzer can still
// reach every code unit: a three-byte sequence may encode a lone surrogate, and a byte that
// starts no sequence stands for the code unit of the same value.
#include <cstddef>
#include <cstdint>
#include <string>

namespace quill::fuzz {

inline bool isContinuation(std::uint8_t b) {
    return (b & 0xC0) == 0x80;
}

inline std::u16string fuzzText(const std::uint8_t* data, std::size_t size) {
    std::u16string out;
    out.reserve(size);
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t b = data[i];
        if (b >= 0xC2 && b <= 0xDF && i + 1 < size && isContinuation(data[i + 1])) {
            out += static_cast<char16_t>(((b & 0x1F) << 6) | (data[i + 1] & 0x3F));
            i += 2;
        } else if (b >= 0xE0 && b <= 0xEF && i + 2 < size && isContinuation(data[i + 1]) &&
                   isContinuation(data[i + 2])) {
            out += static_cast<char16_t>(((b & 0x0F) << 12) | ((data[i + 1] & 0x3F) << 6) |
                                         (data[i + 2] & 0x3F));
            i += 3;
        } else if (b >= 0xF0 && b <= 0xF4 && i + 3 < size && isContinuation(data[i + 1]) &&
                   isContinuation(data[i + 2]) && isContinuation(data[i + 3])) {
            const std::uint32_t cp = ((b & 0x07u) << 18) | ((data[i + 1] & 0x3Fu) << 12) |
                                     ((data[i + 2] & 0x3Fu) << 6) | (data[i + 3] & 0x3Fu);
            if (cp >= 0x10000 && cp <= 0x10FFFF) {
                out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
                out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
            } else {
                out += static_cast<char16_t>(b);
                i -= 3;
            }
            i += 4;
        } else {
            out += static_cast<char16_t>(b);
            ++i;
        }
    }
    return out;
}

// A broken promise of the code under test: abort so that libFuzzer keeps the input.
inline void require(bool condition) {
    if (!condition) __builtin_trap();
}

} // namespace quill::fuzz
