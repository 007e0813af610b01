#pragma once
// Internal: doubles that are short decimal fractions (0.1, 1234.56), read without formatting.
#include <cmath>
#include <cstdint>
#include <optional>

namespace quill {

// Powers of ten a double holds exactly.
inline constexpr double kExactPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                         1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// value = digits / 10^scale
struct ShortDecimal {
    std::uint64_t digits;
    int scale;
};

// The 15-significant-digit rounding of a positive double, when it has one to six fractional
// digits; nullopt otherwise. A decimal m / 10^s of at most 15 digits whose nearest double is
// `mag` is that rounding: a double keeps any two 15-digit decimals apart, so no other one lies
// nearer. m and 10^s are exact doubles, so the one division that checks it rounds correctly.
inline std::optional<ShortDecimal> shortDecimal(double mag) {
    constexpr int kMaxFraction = 6;
    for (int s = 1; s <= kMaxFraction; ++s) {
        const double m = std::nearbyint(mag * kExactPow10[s]);
        if (m >= 1e15) return std::nullopt;
        if (m / kExactPow10[s] == mag) return ShortDecimal{static_cast<std::uint64_t>(m), s};
    }
    return std::nullopt;
}

} // namespace quill
