#pragma once
// Exact decimal: a 96-bit unsigned mantissa, a sign and a scale of 0 to 28 fractional digits.
// value = (negative ? -1 : 1) * mantissa / 10^scale.
// Whenever digits must be dropped the result is rounded to nearest, ties to even. Results that
// do not fit (overflow) and division by zero throw EvalError.
#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quill {

using u128 = unsigned __int128;

class Decimal {
public:
    static constexpr int kMaxScale = 28;
    static constexpr u128 kMaxMantissa = (u128(1) << 96) - 1;

    constexpr Decimal() = default;

    // Throws EvalError when mantissa > kMaxMantissa or scale is outside 0..28.
    static Decimal fromParts(u128 mantissa, int scale, bool negative);
    static Decimal fromInt(std::int64_t v);
    // The double is first rounded to 15 significant decimal digits (so 0.1 becomes exactly 0.1,
    // 1/3 becomes 0.333333333333333); values below the smallest scale-28 step become 0.
    // NaN, infinities and magnitudes beyond the range throw EvalError.
    static Decimal fromDouble(double v);
    // Reads a number text exactly: optional blanks, an optional sign, digits with optional ","
    // group separators, at most one ".", an optional exponent (E or e, optional sign, digits),
    // optional blanks. Digits beyond what fits are rounded (ties to even). Returns nullopt when
    // the text is not a number; throws EvalError when the number is beyond the range.
    static std::optional<Decimal> parse(std::string_view text);

    u128 mantissa() const { return mant_; }
    int scale() const { return scale_; }
    bool isNegative() const { return neg_ && mant_ != 0; }
    bool isZero() const { return mant_ == 0; }
    int sign() const { return isZero() ? 0 : (neg_ ? -1 : 1); }

    double toDouble() const;
    // Plain text form: every significant digit, never an exponent, trailing fractional zeros
    // removed, "-" for negative values, "0" for zero (never "-0").
    std::string toString() const;
    // The plain text form written into `out` (room for kMaxTextLength characters); returns
    // its length.
    static constexpr std::size_t kMaxTextLength = 32;
    std::size_t writeText(char* out) const;

    Decimal operator-() const;
    Decimal abs() const;
    friend Decimal operator+(const Decimal& a, const Decimal& b);
    friend Decimal operator-(const Decimal& a, const Decimal& b);
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    friend Decimal operator/(const Decimal& a, const Decimal& b);
    // Numeric comparison: 1.10 equals 1.1, -0 equals 0.
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);
    friend bool operator==(const Decimal& a, const Decimal& b);

    // Rounded to `places` fractional digits (0..28), ties to even.
    Decimal roundTo(int places) const;
    Decimal truncate() const; // toward zero
    Decimal floor() const;    // toward minus infinity
    // Rounded half to even to an integer; throws EvalError when it does not fit in 64 bits.
    std::int64_t toInt64() const;

private:
    // Callers guarantee mantissa <= kMaxMantissa and scale 0..28; zero is never negative.
    constexpr Decimal(u128 mantissa, int scale, bool negative)
        : mant_(mantissa), scale_(scale), neg_(negative && mantissa != 0) {}

    u128 mant_ = 0;
    int scale_ = 0;
    bool neg_ = false;
};

} // namespace quill
