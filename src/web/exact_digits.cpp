#include "web/exact_digits.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>

namespace quill {
namespace {

using u128 = unsigned __int128;

constexpr std::array<u128, 39> kPow10 = [] {
    std::array<u128, 39> t{};
    t[0] = 1;
    for (std::size_t i = 1; i < t.size(); ++i) t[i] = t[i - 1] * 10;
    return t;
}();

int bitWidth(u128 x) {
    const auto hi = static_cast<std::uint64_t>(x >> 64);
    return hi ? 64 + std::bit_width(hi) : std::bit_width(static_cast<std::uint64_t>(x));
}

// v * 10^shift as the exact fraction num / den. For most values den is a power of two,
// 2^denBits: then shifts take the place of 128-bit divisions and products, which WebAssembly
// leaves to library calls.
struct Fraction {
    u128 num;
    u128 den;
    int denBits; // -1 when den is no power of two

    u128 timesDen(u128 a) const { return denBits >= 0 ? a << denBits : a * den; }
    u128 quotient() const { return denBits >= 0 ? num >> denBits : num / den; }
};

// num fits in 125 bits and den in 68, which leaves room for the read-back test's factor of four
// and its digits (below 2^57).
std::optional<Fraction> scaled(std::uint64_t mant, int binaryExponent, int shift) {
    const int up = std::max(shift, 0), down = std::max(-shift, 0);
    const int left = std::max(binaryExponent, 0), right = std::max(-binaryExponent, 0);
    if (up > 38 || down > 38) return std::nullopt;
    if (53 + bitWidth(kPow10[up]) + left > 125) return std::nullopt;
    if (bitWidth(kPow10[down]) + right > 68) return std::nullopt;
    return Fraction{(u128(mant) * kPow10[up]) << left, kPow10[down] << right, down ? -1 : right};
}

// Whether the decimal `digits` (at the fraction's scale) lies within v's rounding interval:
// half the gap to either neighbouring double, the lower gap being half as wide at a power of
// two; a decimal exactly on the boundary reads as v when v's mantissa is even.
bool readsBack(u128 digits, const Fraction& x, std::uint64_t mant, int binaryExponent, int shift) {
    // Everything times 4 * den: |4 (digits * den - num)| against 2^(e + 1) 10^shift den,
    // which is 2^(max(e,0) + 1) 10^max(shift,0) (den supplies the rest).
    const u128 lhsA = x.timesDen(digits) << 2, lhsB = x.num << 2;
    const u128 distance = lhsA > lhsB ? lhsA - lhsB : lhsB - lhsA;
    const bool below = lhsA < lhsB;
    const u128 halfGap = kPow10[std::max(shift, 0)] << (std::max(binaryExponent, 0) + 1);
    const bool narrowBelow = mant == (std::uint64_t(1) << 52);
    const u128 gap = below && narrowBelow ? halfGap / 2 : halfGap;
    return distance < gap || (distance == gap && mant % 2 == 0);
}

} // namespace

std::optional<ExactDigits> exactDigits(double v, int count, bool anyReadingBack) {
    if (!(v > 0) || !std::isfinite(v) || count < 1 || count > 17) return std::nullopt;
    if (v < 0x1p-1022) return std::nullopt; // subnormal: a mantissa of fewer bits
    const auto bits = std::bit_cast<std::uint64_t>(v);
    const auto mant = (bits & ((std::uint64_t(1) << 52) - 1)) | (std::uint64_t(1) << 52);
    const int binaryExponent = static_cast<int>(bits >> 52) - 1075; // v = mant * 2^binaryExponent
    // floor(log10 v) is that of 2^(binaryExponent + 52) or one more; the loop corrects it.
    int exponent = ((binaryExponent + 52) * 78913) >> 18;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int shift = count - 1 - exponent;
        const auto x = scaled(mant, binaryExponent, shift);
        if (!x) return std::nullopt;
        u128 q = x->quotient();
        const u128 r = x->num - x->timesDen(q);
        if (q >= kPow10[count]) {
            ++exponent;
            continue;
        }
        if (q < kPow10[count - 1]) {
            --exponent;
            continue;
        }
        const bool up = r > x->den - r || (r == x->den - r && (q & 1) != 0);
        q += up;
        bool back = readsBack(q, *x, mant, binaryExponent, shift);
        // At a power of two the gap below is half the gap above, so a nearest decimal under v
        // may miss while the one above it, farther but within the wider gap, reads back.
        if (anyReadingBack && !back && !up && r != 0 &&
            readsBack(q + 1, *x, mant, binaryExponent, shift)) {
            ++q;
            back = true;
        }
        if (q == kPow10[count])
            return ExactDigits{std::uint64_t(kPow10[count - 1]), exponent + 1, back};
        return ExactDigits{static_cast<std::uint64_t>(q), exponent, back};
    }
    return std::nullopt;
}

int writeExactScientific(char* out, const ExactDigits& d, int count, bool negative) {
    char* p = out;
    if (negative) *p++ = '-';
    char digits[20];
    std::uint64_t n = d.digits;
    for (int i = count - 1; i >= 0; --i, n /= 10) digits[i] = static_cast<char>('0' + n % 10);
    *p++ = digits[0];
    if (count > 1) {
        *p++ = '.';
        std::memcpy(p, digits + 1, static_cast<std::size_t>(count - 1));
        p += count - 1;
    }
    *p++ = 'e';
    *p++ = d.exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(d.exponent);
    if (magnitude >= 100) *p++ = static_cast<char>('0' + magnitude / 100);
    *p++ = static_cast<char>('0' + magnitude / 10 % 10);
    *p++ = static_cast<char>('0' + magnitude % 10);
    *p = '\0';
    return static_cast<int>(p - out);
}

} // namespace quill
