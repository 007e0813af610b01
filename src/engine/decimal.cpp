#include "engine/decimal.h"

#include "engine/error.h"
#include "engine/float_text.h"
#include "engine/short_decimal.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

#include <boost/multiprecision/cpp_int.hpp>

namespace quill {
namespace {

using boost::multiprecision::uint256_t;

// One past the largest mantissa: the first value that needs a 97th bit.
constexpr u128 kMantissaLimit = u128(1) << 96;

// A magnitude before its sign is attached.
struct Scaled {
    u128 mant;
    int scale;
};

constexpr int kNarrowPowers = 39; // 10^38 is the largest power of ten in 128 bits
constexpr int kWidePowers = 78;   // 10^77 is the largest power of ten in 256 bits

constexpr std::array<u128, kNarrowPowers> kPow10 = [] {
    std::array<u128, kNarrowPowers> t{};
    t[0] = 1;
    for (int i = 1; i < kNarrowPowers; ++i) t[i] = t[i - 1] * 10;
    return t;
}();

// The largest mantissa that, lifted by 10^k, stays below 2^127: two such lifted mantissas add
// up without leaving 128 bits.
constexpr std::array<u128, kNarrowPowers> kNarrowLiftLimit = [] {
    std::array<u128, kNarrowPowers> t{};
    const u128 limit = (u128(1) << 127) - 1;
    for (int i = 0; i < kNarrowPowers; ++i) t[i] = limit / kPow10[i];
    return t;
}();

const std::array<uint256_t, kWidePowers>& widePow10() {
    static const auto table = [] {
        std::array<uint256_t, kWidePowers> t;
        t[0] = 1;
        for (int i = 1; i < kWidePowers; ++i) t[i] = t[i - 1] * 10;
        return t;
    }();
    return table;
}

// n / d and its remainder (d > 0). A 128-bit division is a library call, and a slow one in
// the web build: the usual operands, which fit in 64 bits, are divided in 64 bits.
struct QuotRem {
    u128 q;
    u128 r;
};
QuotRem divMod(u128 n, u128 d) {
    if ((n >> 64) == 0) {
        if (d > n) return {0, n};
        const auto a = static_cast<std::uint64_t>(n), b = static_cast<std::uint64_t>(d);
        return {a / b, a % b};
    }
    const u128 q = n / d;
    return {q, n - q * d};
}

// The largest mantissa that, times 10^k, stays within 2^96: floor(2^96 / 10^k).
constexpr std::array<u128, kNarrowPowers> kMantissaRoom = [] {
    std::array<u128, kNarrowPowers> t{};
    for (int i = 0; i < kNarrowPowers; ++i) t[i] = kMantissaLimit / kPow10[i];
    return t;
}();

template <class T> int powerCount();
template <> int powerCount<u128>() {
    return kNarrowPowers;
}
template <> int powerCount<uint256_t>() {
    return kWidePowers;
}

template <class T> const T& pow10Of(int k);
template <> const u128& pow10Of<u128>(int k) {
    return kPow10[k];
}
template <> const uint256_t& pow10Of<uint256_t>(int k) {
    return widePow10()[k];
}

int bitWidth(u128 x) {
    const auto hi = static_cast<std::uint64_t>(x >> 64);
    return hi ? 64 + std::bit_width(hi) : std::bit_width(static_cast<std::uint64_t>(x));
}
int bitWidth(const uint256_t& x) {
    return x == 0 ? 0 : int(boost::multiprecision::msb(x)) + 1;
}

// floor(log10(x)) for x >= 1.
int log10Floor(u128 x) {
    const int t = (bitWidth(x) * 1233) >> 12;
    return t - (x < kPow10[t] ? 1 : 0);
}

template <class T> bool isOdd(const T& q) {
    return (q & 1) != 0;
}

// Whether dropping `r` (out of a unit of `2 * half`) rounds the kept part `q` up: above half,
// or exactly half with `q` odd. `sticky` tells of non-zero digits dropped earlier beyond `r`,
// which lift an exact half above half.
template <class T> bool roundsUp(const T& q, const T& r, const T& half, bool sticky) {
    if (r != half) return r > half;
    return sticky || isOdd(q);
}

// Drops trailing digits of x (a mantissa at `scale`), at least `minDrop` of them, rounding,
// until the mantissa fits in 96 bits. Each attempt rounds from the exact value, never from an
// earlier rounded one. Fails when every fractional digit is gone and it still does not fit.
template <class T> Scaled reduce(const T& x, int scale, int minDrop, bool sticky = false) {
    // A value needing b bits cannot fit before (b - 97) * log10(2) digits are gone; the
    // factor is taken a little below log10(2) so the estimate never overshoots.
    const int estimate = std::max(0, (bitWidth(x) - 97) * 30102 / 100000);
    for (int k = std::max(minDrop, estimate); k <= scale; ++k) {
        if (k >= powerCount<T>()) return {0, scale - k}; // the unit exceeds twice x: rounds to 0
        if (k == 0) {
            if (x <= T(Decimal::kMaxMantissa)) return {static_cast<u128>(x), scale};
            continue;
        }
        const T& unit = pow10Of<T>(k);
        if constexpr (std::is_same_v<T, uint256_t>) {
            // Wide division is slow: skip drops that leave 97 bits or more, seen by a product
            // (2^96 * 10^48 still fits in 256 bits).
            if (k <= 48 && x >= T(kMantissaLimit) * unit) continue;
        }
        T q, r;
        if constexpr (std::is_same_v<T, u128>) {
            const QuotRem d = divMod(x, unit);
            q = d.q;
            r = d.r;
        } else {
            q = x / unit;
            r = x - q * unit; // cheaper than a second division
        }
        if (roundsUp(q, r, T(unit / 2), sticky)) q += 1;
        if (q <= T(Decimal::kMaxMantissa)) return {static_cast<u128>(q), scale - k};
    }
    fail();
}

// Removes trailing zero digits while the scale stays above `floorScale`. A quotient extended
// by a whole chunk of digits may end in twenty zeros: they go in steps of 16, 8, 4, 2 and 1
// digits (the steps' greedy sum is exactly the count to remove), not one wide division each.
Scaled trimZeros(Scaled v, int floorScale) {
    if (v.mant == 0) return {0, std::min(v.scale, std::max(floorScale, 0))};
    if (divMod(v.mant, 10).r != 0) return v; // the common case: one division
    for (const int step : {16, 8, 4, 2, 1}) {
        while (v.scale - step >= floorScale) {
            const QuotRem d = divMod(v.mant, kPow10[step]);
            if (d.r != 0) break;
            v.mant = d.q;
            v.scale -= step;
        }
    }
    return v;
}

// Sum or difference of two aligned magnitudes with their signs; the sign of the result goes
// to `neg`.
template <class T>
Scaled addAligned(const T& x, bool xNeg, const T& y, bool yNeg, int scale, bool& neg) {
    T sum;
    if (xNeg == yNeg) {
        sum = x + y;
        neg = xNeg;
    } else if (x >= y) {
        sum = x - y;
        neg = xNeg;
    } else {
        sum = y - x;
        neg = yNeg;
    }
    if (sum <= T(Decimal::kMaxMantissa)) return {static_cast<u128>(sum), scale};
    return reduce(sum, scale, 0);
}

// Three-way comparison of two magnitudes at different scales.
std::strong_ordering compareMagnitudes(u128 a, int sa, u128 b, int sb) {
    if (sa == sb) return a <=> b;
    const bool aFiner = sa > sb;
    const int lift = aFiner ? sa - sb : sb - sa;
    u128& coarse = aFiner ? b : a;
    // A 96-bit mantissa times 10^9 still fits in 128 bits.
    if (lift <= 9) {
        coarse *= kPow10[lift];
        return a <=> b;
    }
    const uint256_t x = aFiner ? uint256_t(a) : uint256_t(a) * widePow10()[lift];
    const uint256_t y = aFiner ? uint256_t(b) * widePow10()[lift] : uint256_t(b);
    if (x == y) return std::strong_ordering::equal;
    return x < y ? std::strong_ordering::less : std::strong_ordering::greater;
}

// The integer quotient part of a division at the natural scale: n = a * 10^lift, then n / d.
void divideStart(u128 a, int lift, u128 d, u128& q, u128& r) {
    if (lift <= 9) {
        const QuotRem qr = divMod(a * kPow10[lift], d);
        q = qr.q;
        r = qr.r;
        return;
    }
    const uint256_t n = uint256_t(a) * widePow10()[lift];
    const uint256_t wq = n / d;
    if (wq > Decimal::kMaxMantissa) fail();
    q = static_cast<u128>(wq);
    r = static_cast<u128>(n % d);
}

// Appends quotient digits to q (remainder r over divisor d) while the scale stays within 28
// and the mantissa within 96 bits. Works in 128 bits only: r < d < 2^96 and q < 2^96.
void divideExtend(u128& q, u128& r, u128 d, int& scale) {
    // Digits per step so that r * 10^k stays within 128 bits.
    const int chunk = d <= (u128(1) << 64) ? 19 : 9;
    while (r != 0 && scale < Decimal::kMaxScale) {
        // Digits that fit whatever they turn out to be: (q + 1) * 10^k <= 2^96. For q + 1 of
        // n + 1 digits that is 28 - n digits or one fewer, as 10^28 < 2^96 < 10^29.
        const int most = 28 - log10Floor(q + 1);
        const int safe = q + 1 <= kMantissaRoom[most] ? most : most - 1;
        const int k = std::min({Decimal::kMaxScale - scale, safe, chunk});
        if (k == 0) {
            // One more digit may still fit, after which none can.
            const QuotRem next = divMod(r * 10, d);
            const u128 q1 = q * 10 + next.q;
            if (q1 > Decimal::kMaxMantissa) return;
            q = q1;
            r = next.r;
            ++scale;
            return;
        }
        const QuotRem next = divMod(r * kPow10[k], d);
        q = q * kPow10[k] + next.q;
        r = next.r;
        scale += k;
    }
}

Scaled divideMagnitudes(u128 a, int sa, u128 b, int sb) {
    if (b == 0) fail();
    const int natural = std::max(0, sa - sb);
    u128 q = 0;
    u128 r = 0;
    divideStart(a, sb + natural - sa, b, q, r);
    if (q > Decimal::kMaxMantissa) fail();
    int scale = natural;
    divideExtend(q, r, b, scale);
    if (r != 0 && roundsUp(q, r * 2, b, false)) {
        ++q;
        if (q > Decimal::kMaxMantissa) {
            // q is 2^96 now, ending in 6, and the true quotient lies between max and 2^96:
            // one digit fewer rounds up.
            if (scale == 0) fail();
            q = q / 10 + 1;
            --scale;
        }
    }
    return trimZeros({q, scale}, natural);
}

Scaled multiplyMagnitudes(u128 a, int sa, u128 b, int sb) {
    const int scale = sa + sb;
    const int minDrop = std::max(0, scale - Decimal::kMaxScale);
    constexpr u128 kLow64 = u128(1) << 64;
    if (a < kLow64 && b < kLow64) {
        const u128 p = a * b;
        if (p <= Decimal::kMaxMantissa && minDrop == 0) return {p, scale};
        return reduce(p, scale, minDrop);
    }
    return reduce(uint256_t(a) * b, scale, minDrop);
}

// Digits of a mantissa, most significant first, without leading zeros ("0" for zero), written
// into `out` (room for 29); returns their count.
std::size_t writeMantissa(u128 m, char* out) {
    constexpr u128 kSplit = 10'000'000'000'000'000'000ULL; // 10^19
    constexpr std::size_t kRoom = 29;
    if (m <= std::numeric_limits<std::uint64_t>::max()) // no wide division for most values
        return std::size_t(std::to_chars(out, out + kRoom, static_cast<std::uint64_t>(m)).ptr -
                           out);
    const auto hi = static_cast<std::uint64_t>(m / kSplit);
    const auto lo = static_cast<std::uint64_t>(m % kSplit);
    if (hi == 0) return std::size_t(std::to_chars(out, out + kRoom, lo).ptr - out);
    char* end = std::to_chars(out, out + kRoom, hi).ptr;
    char low[20];
    char* lowEnd = std::to_chars(low, low + sizeof low, lo).ptr;
    end = std::fill_n(end, 19 - (lowEnd - low), '0');
    return std::size_t(std::copy(low, lowEnd, end) - out);
}

// Significant digits of a finite positive double, as read from its text form.
struct RoundedDouble {
    u128 digits;
    int scale; // value = digits / 10^scale
    int count; // significant digits
};

// Reads the "d[.ddd]e[+-]x" form that to_chars writes in scientific format.
RoundedDouble readScientific(const char* p, const char* end) {
    std::uint64_t digits = 0;
    int count = 0;
    for (; *p != 'e'; ++p) {
        if (*p == '.') continue;
        digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
        ++count;
    }
    ++p;
    const bool negExp = *p == '-';
    int exponent = 0;
    std::from_chars(p + 1, end, exponent);
    return {digits, count - 1 - (negExp ? -exponent : exponent), count};
}

// A finite positive double rounded to 15 significant digits.
RoundedDouble roundTo15Digits(double mag) {
    if (const auto quick = shortDecimal(mag)) return {quick->digits, quick->scale, 15};
    char buf[40];
    // The shortest form that reads back as the same double is much cheaper to produce. When it
    // has at most 15 digits it is also the 15-digit rounding: a double keeps any 15-digit
    // decimal apart from its neighbours, so the nearest 15-digit decimal is that one.
    auto res = writeShortestScientific(buf, buf + sizeof buf, mag);
    const RoundedDouble shortest = readScientific(buf, res.ptr);
    if (shortest.count <= 15) return shortest;
    res = writeScientific(buf, buf + sizeof buf, mag, 14);
    return readScientific(buf, res.ptr);
}

// The significant digits of a number text, before the range is applied:
// value = mant * 10^exponent, plus a little more when `sticky`.
struct ScannedNumber {
    u128 mant = 0;
    int kept = 0;              // significant digits held in mant (at most 38)
    std::int64_t exponent = 0; // power of ten applied to mant
    bool sticky = false;       // a non-zero digit was dropped beyond mant
    bool negative = false;
    bool anyDigit = false;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

void addDigit(ScannedNumber& n, int d, bool fractional) {
    n.anyDigit = true;
    if (n.kept == 0 && d == 0) {
        if (fractional) --n.exponent; // a leading zero after the point only moves the scale
        return;
    }
    if (n.kept < kNarrowPowers - 1) {
        n.mant = n.mant * 10 + static_cast<unsigned>(d);
        ++n.kept;
        if (fractional) --n.exponent;
        return;
    }
    // Beyond 38 digits only the rounding needs to know whether anything was there.
    n.sticky = n.sticky || d != 0;
    if (!fractional) ++n.exponent;
}

// Reads "[sign]digits[,digits...][.digits]" from text at i; false when malformed.
bool scanMantissa(std::string_view text, std::size_t& i, ScannedNumber& n) {
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) n.negative = text[i++] == '-';
    while (i < text.size()) {
        if (isDigit(text[i])) {
            addDigit(n, text[i++] - '0', false);
        } else if (text[i] == ',' && i > 0 && isDigit(text[i - 1]) && i + 1 < text.size() &&
                   isDigit(text[i + 1])) {
            ++i; // a group separator stands between two digits of the integer part
        } else {
            break;
        }
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) addDigit(n, text[i++] - '0', true);
    }
    return n.anyDigit;
}

// Reads an optional "E[sign]digits" and adds it to the exponent; false when malformed.
bool scanExponent(std::string_view text, std::size_t& i, ScannedNumber& n) {
    if (i >= text.size() || (text[i] != 'E' && text[i] != 'e')) return true;
    ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || !isDigit(text[i])) return false;
    std::int64_t e = 0;
    constexpr std::int64_t kCap = 1'000'000'000; // far beyond any range; keeps the sum finite
    for (; i < text.size() && isDigit(text[i]); ++i) e = std::min(kCap, e * 10 + (text[i] - '0'));
    n.exponent += negative ? -e : e;
    return true;
}

// Applies the decimal range to scanned digits: rounds away excess fractional digits, fails
// when the integer part does not fit.
Scaled fitScanned(const ScannedNumber& n) {
    if (n.mant == 0) return {0, static_cast<int>(std::clamp<std::int64_t>(-n.exponent, 0, 28))};
    if (n.exponent >= 0) {
        if (n.exponent > Decimal::kMaxScale) fail();
        const uint256_t x = uint256_t(n.mant) * widePow10()[n.exponent];
        if (x > Decimal::kMaxMantissa) fail();
        return {static_cast<u128>(x), 0};
    }
    const std::int64_t scale = -n.exponent;
    // Dropping more digits than mant has (38) leaves nothing but a rounded-away zero.
    if (scale - Decimal::kMaxScale >= kNarrowPowers) return {0, Decimal::kMaxScale};
    const int s = static_cast<int>(scale);
    return reduce(n.mant, s, std::max(0, s - Decimal::kMaxScale), n.sticky);
}

} // namespace

Decimal Decimal::fromParts(u128 mantissa, int scale, bool negative) {
    if (mantissa > kMaxMantissa || scale < 0 || scale > kMaxScale) fail();
    return Decimal(mantissa, scale, negative);
}

Decimal Decimal::fromDouble(double v) {
    const double mag = std::fabs(v);
    // Whole numbers below 10^15 are already exact in 15 digits: no formatting needed.
    if (mag < 1e15 && mag == std::floor(mag))
        return Decimal(static_cast<u128>(static_cast<std::uint64_t>(mag)), 0, v < 0);
    if (!std::isfinite(v) || mag >= 0x1p96) fail();
    const RoundedDouble r = roundTo15Digits(mag);
    const int scale = r.scale;
    Scaled s;
    if (scale < 0) {
        // mag < 2^96 < 10^29 keeps the lift within 28 digits.
        s = {r.digits * kPow10[-scale], 0};
        if (s.mant > kMaxMantissa) fail();
    } else {
        s = reduce(r.digits, scale, std::max(0, scale - kMaxScale));
    }
    s = trimZeros(s, 0);
    return Decimal(s.mant, s.scale, v < 0);
}

std::optional<Decimal> Decimal::parse(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    ScannedNumber n;
    if (!scanMantissa(text, i, n) || !scanExponent(text, i, n)) return std::nullopt;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i != text.size()) return std::nullopt;
    const Scaled s = fitScanned(n);
    return Decimal(s.mant, s.scale, n.negative);
}

Decimal Decimal::fromInt(std::int64_t v) {
    // Negating in 128-bit unsigned arithmetic gives the exact magnitude, -2^63 included.
    const u128 mag = v < 0 ? u128(0) - u128(v) : u128(v);
    return Decimal(mag, 0, v < 0);
}

Decimal Decimal::operator-() const {
    return Decimal(mant_, scale_, !neg_);
}
Decimal Decimal::abs() const {
    return Decimal(mant_, scale_, false);
}

Decimal operator+(const Decimal& a, const Decimal& b) {
    const int scale = std::max(a.scale_, b.scale_);
    const int la = scale - a.scale_;
    const int lb = scale - b.scale_;
    bool neg = false;
    Scaled s;
    // Exact in 128 bits whenever both lifted mantissas fit (always for lifts up to 10^9; for
    // larger ones when the mantissa is small, as a whole amount added to a 28-digit total).
    if (a.mant_ <= kNarrowLiftLimit[la] && b.mant_ <= kNarrowLiftLimit[lb]) {
        s = addAligned(a.mant_ * kPow10[la], a.neg_, b.mant_ * kPow10[lb], b.neg_, scale, neg);
    } else {
        s = addAligned(uint256_t(a.mant_) * widePow10()[la], a.neg_,
                       uint256_t(b.mant_) * widePow10()[lb], b.neg_, scale, neg);
    }
    return Decimal(s.mant, s.scale, neg);
}

Decimal operator-(const Decimal& a, const Decimal& b) {
    return a + (-b);
}

Decimal operator*(const Decimal& a, const Decimal& b) {
    const Scaled s = multiplyMagnitudes(a.mant_, a.scale_, b.mant_, b.scale_);
    return Decimal(s.mant, s.scale, a.neg_ != b.neg_);
}

Decimal operator/(const Decimal& a, const Decimal& b) {
    const Scaled s = divideMagnitudes(a.mant_, a.scale_, b.mant_, b.scale_);
    return Decimal(s.mant, s.scale, a.neg_ != b.neg_);
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
    const int sa = a.sign();
    const int sb = b.sign();
    if (sa != sb) return sa <=> sb;
    if (sa == 0) return std::strong_ordering::equal;
    const auto mag = compareMagnitudes(a.mant_, a.scale_, b.mant_, b.scale_);
    return sa > 0 ? mag : 0 <=> mag;
}

bool operator==(const Decimal& a, const Decimal& b) {
    return (a <=> b) == 0;
}

std::string Decimal::toString() const {
    char text[kMaxTextLength];
    return std::string(text, writeText(text));
}

std::size_t Decimal::writeText(char* out) const {
    const Scaled v = trimZeros({mant_, scale_}, 0);
    char digits[29];
    const std::size_t n = writeMantissa(v.mant, digits);
    const auto scale = static_cast<std::size_t>(v.scale);
    char* o = out;
    if (isNegative()) *o++ = '-';
    if (scale == 0) {
        o = std::copy(digits, digits + n, o);
    } else if (n <= scale) {
        *o++ = '0', *o++ = '.';
        o = std::fill_n(o, scale - n, '0');
        o = std::copy(digits, digits + n, o);
    } else {
        o = std::copy(digits, digits + n - scale, o);
        *o++ = '.';
        o = std::copy(digits + n - scale, digits + n, o);
    }
    return std::size_t(o - out);
}

double Decimal::toDouble() const {
    double mag;
    if (mant_ < (u128(1) << 53) && scale_ <= 22) {
        // Both operands are exact doubles, so the one division rounds correctly.
        mag = static_cast<double>(static_cast<std::uint64_t>(mant_)) / kExactPow10[scale_];
    } else {
        char digits[29];
        std::string text(digits, writeMantissa(mant_, digits));
        text += "e-";
        text += std::to_string(scale_);
        readDouble(text.data(), text.data() + text.size(), mag);
    }
    return isNegative() ? -mag : mag;
}

Decimal Decimal::roundTo(int places) const {
    places = std::clamp(places, 0, kMaxScale);
    if (places >= scale_) return *this;
    const Scaled s = reduce(mant_, scale_, scale_ - places);
    return Decimal(s.mant, s.scale, neg_);
}

Decimal Decimal::truncate() const {
    return Decimal(divMod(mant_, kPow10[scale_]).q, 0, neg_);
}

Decimal Decimal::floor() const {
    const QuotRem d = divMod(mant_, kPow10[scale_]);
    return Decimal(d.q + (isNegative() && d.r != 0), 0, neg_);
}

std::int64_t Decimal::toInt64() const {
    const u128 m = roundTo(0).mant_;
    constexpr u128 kMaxPositive = u128(std::numeric_limits<std::int64_t>::max());
    if (!isNegative()) {
        if (m > kMaxPositive) fail();
        return static_cast<std::int64_t>(m);
    }
    if (m > kMaxPositive + 1) fail();
    // Negate in unsigned arithmetic so -2^63 does not overflow.
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(0) - static_cast<std::uint64_t>(m));
}

} // namespace quill
