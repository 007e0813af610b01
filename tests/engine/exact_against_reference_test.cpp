// The fast ways through the decimal quotient and the double text form against plain
// references: every quotient against exact big-integer division rounded half to even, every
// double text against the C library's own 15-digit rounding. Operands are drawn near the
// 96-bit and 28-digit limits, at every scale, with both signs and many exact halves.
#include "engine/convert.h"
#include "engine/decimal.h"
#include "engine/error.h"

#include <gtest/gtest.h>

#include <boost/multiprecision/cpp_int.hpp>

#include <cmath>
#include <cstdio>
#include <optional>
#include <random>
#include <string>

namespace quill {
namespace {

using boost::multiprecision::cpp_int;

cpp_int pow10(int k) {
    cpp_int r = 1;
    for (int i = 0; i < k; ++i) r *= 10;
    return r;
}

std::string digitsOf(const cpp_int& m, int scale, bool negative) {
    std::string s = m.str();
    if (scale > 0) {
        if (static_cast<int>(s.size()) <= scale) s.insert(0, size_t(scale) + 1 - s.size(), '0');
        s.insert(s.size() - size_t(scale), 1, '.');
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    return negative && m != 0 ? "-" + s : s;
}

struct Quotient {
    std::string text;
    int scale;
};

// a / b from its definition: the finest scale from 28 down to the natural one whose rounded
// quotient fits in 96 bits, trailing zeros then removed down to the natural scale.
std::optional<Quotient> referenceQuotient(const Decimal& a, const Decimal& b) {
    const int natural = std::max(0, a.scale() - b.scale());
    const cpp_int num = cpp_int(a.mantissa()) * pow10(b.scale());
    const cpp_int den = cpp_int(b.mantissa()) * pow10(a.scale());
    for (int s = Decimal::kMaxScale; s >= natural; --s) {
        const cpp_int n = num * pow10(s);
        cpp_int q = n / den;
        const cpp_int twice = 2 * (n - q * den);
        if (twice > den || (twice == den && (q & 1) != 0)) ++q;
        if (q > cpp_int(Decimal::kMaxMantissa)) continue;
        while (s > natural && q % 10 == 0) q /= 10, --s;
        return Quotient{digitsOf(q, s, a.isNegative() != b.isNegative()), s};
    }
    return std::nullopt;
}

// A mantissa of a random width, mostly near the 96-bit limit, now and then ending in zeros or
// a small divisor that makes exact halves common.
u128 randomMantissa(std::mt19937_64& rng) {
    const int pick = int(rng() % 8);
    if (pick == 0) {
        static const u128 small[] = {1, 2, 4, 5, 8, 16, 20, 25, 125, 3, 7, 1024};
        return small[rng() % std::size(small)];
    }
    const int width = pick <= 4 ? 90 + int(rng() % 7) : 1 + int(rng() % 96);
    u128 m = (u128(rng()) << 64 | rng()) & ((u128(1) << width) - 1);
    if (pick == 7) {
        m /= 1'000'000'000'000ULL;
        m *= 1'000'000'000'000ULL;
    }
    return m;
}

TEST(ExactAgainstReference, QuotientsNearTheLimits) {
    std::mt19937_64 rng(20261207);
    int compared = 0;
    for (int i = 0; i < 40000; ++i) {
        const Decimal a = Decimal::fromParts(randomMantissa(rng), int(rng() % 29), rng() & 1);
        const Decimal b = Decimal::fromParts(randomMantissa(rng), int(rng() % 29), rng() & 1);
        SCOPED_TRACE(a.toString() + " / " + b.toString());
        if (b.isZero()) {
            EXPECT_THROW(a / b, EvalError);
            continue;
        }
        const std::optional<Quotient> expected = referenceQuotient(a, b);
        if (!expected) {
            EXPECT_THROW(a / b, EvalError);
            continue;
        }
        const Decimal q = a / b;
        ASSERT_EQ(q.toString(), expected->text);
        ASSERT_EQ(q.scale(), expected->scale);
        ++compared;
    }
    EXPECT_GT(compared, 20000);
}

// The plain text form of a double, built from printf's 15-digit rounding.
std::string referenceDoubleText(double v) {
    if (v == 0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    const std::string s(buf);
    const size_t e = s.find('e');
    const int exponent = std::stoi(s.substr(e + 1));
    std::string digits = s.substr(0, 1) + s.substr(2, e - 2);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out;
    if (exponent >= 15 || exponent <= -5) {
        out = digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "");
        std::snprintf(buf, sizeof buf, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        out += buf;
    } else if (exponent < 0) {
        out = "0." + std::string(size_t(-exponent - 1), '0') + digits;
    } else if (int(digits.size()) <= exponent + 1) {
        out = digits + std::string(size_t(exponent + 1) - digits.size(), '0');
    } else {
        out = digits.substr(0, size_t(exponent) + 1) + "." + digits.substr(size_t(exponent) + 1);
    }
    return (v < 0 ? "-" : "") + out;
}

TEST(ExactAgainstReference, DoubleTextsAndTheirDecimals) {
    std::mt19937_64 rng(20261207);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 200000; ++i) {
        double v;
        switch (i % 4) {
        case 0: // amounts with a few decimals, as typed
            v = double(rng() % std::uint64_t(std::pow(10.0, double(1 + rng() % 15)))) /
                std::pow(10.0, double(rng() % 9));
            break;
        case 1: // any double between 10^-6 and 10^16
            v = std::pow(10.0, -6 + 22 * unit(rng));
            break;
        case 2: // the neighbours of the form's edges
            v = std::nextafter(i % 8 == 2 ? 1e-4 : 1e15, (rng() & 1) ? 0.0 : 1e300);
            for (int k = int(rng() % 4); k > 0; --k)
                v = std::nextafter(v, (rng() & 1) ? 0.0 : 1e300);
            break;
        default: // a short decimal a step or two away from exact
            v = std::nextafter(double(rng() % 100'000'000) / 100, (rng() & 1) ? 0.0 : 1e300);
        }
        if (rng() & 1) v = -v;
        char exact[32];
        std::snprintf(exact, sizeof exact, "%.17g", v);
        SCOPED_TRACE(exact);
        const std::string expected = referenceDoubleText(v);
        ASSERT_EQ(formatDouble(v), expected);
        // Within the plain form the decimal conversion keeps the same 15 digits.
        if (expected.find('E') == std::string::npos) {
            ASSERT_EQ(Decimal::fromDouble(v).toString(), expected);
        }
    }
}

} // namespace
} // namespace quill
