// Arithmetic, rounding, trigonometric, hyperbolic and logarithmic functions.
#include "engine/error.h"
#include "engine/functions.h"

#include <cmath>

namespace quill {
namespace {

constexpr double kDegPerRad = 57.2957795130823;
constexpr double kRadPerDeg = 0.0174532925199433;
constexpr double kHalfPi = 1.5707963267949;
constexpr double kPi = 3.14159265358979;

double sgn(double x) {
    return x > 0 ? 1 : (x < 0 ? -1 : 0);
}
double divided(double x, double y) {
    if (y == 0) fail();
    return x / y;
}
double sqrtChecked(double x) {
    if (x < 0) fail();
    return std::sqrt(x);
}
double lnChecked(double x) {
    if (x <= 0) fail();
    return std::log(x);
}

// Applies a rounding of the same kind: integers stay, decimals round exactly, everything else
// as a double.
template <typename DecimalOp, typename DoubleOp>
Value sameKind(const Value& v, DecimalOp decimalOp, DoubleOp doubleOp) {
    switch (v.kind()) {
    case Kind::Int16:
    case Kind::Int32: return v;
    case Kind::Empty: return Value::int16(0);
    case Kind::Bool: return Value::int16(v.asBool() ? -1 : 0);
    case Kind::Decimal: return Value::decimal(decimalOp(v.asDecimal()));
    case Kind::Single: return Value::single(static_cast<float>(doubleOp(v.asSingle())));
    case Kind::Date: return Value::date(doubleOp(v.asDate()));
    default: return number(doubleOp(toDouble(v)));
    }
}

Value absFn(const Call& c) {
    Value v = c.arg(0);
    switch (v.kind()) {
    case Kind::Int16:
        if (v.asInt16() == -32768) fail();
        return Value::int16(static_cast<std::int16_t>(std::abs(v.asInt16())));
    case Kind::Int32:
        if (v.asInt32() == -2147483647 - 1) fail();
        return Value::int32(std::abs(v.asInt32()));
    case Kind::Decimal: return Value::decimal(v.asDecimal().abs());
    case Kind::Bool: return Value::int16(v.asBool() ? 1 : 0); // true is -1 as a number
    default:
        return sameKind(
            v, [](const Decimal& d) { return d; }, [](double x) { return std::fabs(x); });
    }
}

Value intFn(const Call& c) {
    return sameKind(
        c.arg(0), [](const Decimal& d) { return d.floor(); },
        [](double x) { return std::floor(x); });
}

Value fixFn(const Call& c) {
    return sameKind(
        c.arg(0), [](const Decimal& d) { return d.truncate(); },
        [](double x) { return std::trunc(x); });
}

Value ceilFn(const Call& c) {
    return sameKind(
        c.arg(0), [](const Decimal& d) { return -((-d).floor()); },
        [](double x) { return std::ceil(x); });
}

// ROUND rounds half to even at the given number of places; a double is rounded through its
// 15-digit decimal form so that ROUND(2.675, 2) sees the digits the user sees.
Value roundFn(const Call& c) {
    Value v = c.arg(0);
    std::int32_t places = c.lng(1);
    if (places < 0) fail();
    int p = std::min(places, Decimal::kMaxScale);
    return sameKind(
        v, [p](const Decimal& d) { return d.roundTo(p); },
        [p](double x) { return Decimal::fromDouble(x).roundTo(p).toDouble(); });
}

Value truncateFn(const Call& c) {
    double x = c.num(0);
    double scale = std::pow(10.0, c.viaText(1));
    return number(roundToInt16(x * scale) / scale);
}

Value arcsine(double x) {
    if (std::fabs(x) > 1) fail();
    if (x == 1 || x == -1) return Value::dbl(sgn(x) * kHalfPi);
    return number(std::atan(x / std::sqrt(1 - x * x)));
}

Value arccosine(double x) {
    if (std::fabs(x) > 1) fail();
    if (x == 1) return Value::int16(0);
    if (x == -1) return Value::dbl(kPi);
    return number(std::atan(-x / std::sqrt(1 - x * x)) + 2 * std::atan(1.0));
}

Value degrees(const Value& v) {
    return number(toDouble(v) * kDegPerRad);
}

// MAX and MIN compare the arguments' texts as numbers and give the chosen text as it stands.
Value maxFn(const Call& c) {
    std::u16string x = c.text(0), y = c.text(1);
    return Value::text(numberFromText(x) <= numberFromText(y) ? y : x);
}

Value minFn(const Call& c) {
    std::u16string x = c.text(0), y = c.text(1);
    return Value::text(numberFromText(x) < numberFromText(y) ? x : y);
}

// e^x overflows long before the quotients built from it would: 2 / (e^1000 + e^-1000) is not 0
// but an overflow.
double hyperbolicSum(double x) {
    return checked(std::exp(x)) + checked(std::exp(-x));
}
double hyperbolicDiff(double x) {
    return checked(std::exp(x)) - checked(std::exp(-x));
}

#define FN(name, body)                                                                             \
    {                                                                                              \
        u"" name, [](const Call& c) -> Value { body }                                              \
    }
#define NUM(name, expr) FN(name, double x = c.num(0); (void)x; return number(expr);)
#define VIA(name, expr) FN(name, double x = c.viaText(0); (void)x; return number(expr);)

const FunctionEntry kMath[] = {
    {u"ABS", absFn},
    NUM("ATAN", std::atan(x)),
    NUM("ATAND", std::atan(x) * kDegPerRad),
    FN("ASIN", return arcsine(c.num(0));),
    FN("ASIND", return degrees(arcsine(c.num(0)));),
    VIA("ASCD", (std::atan(divided(x, sqrtChecked(x* x - 1))) + sgn(x - 1) * 2 * std::atan(1.0)) *
                    kDegPerRad),
    FN("ACOS", return arccosine(c.num(0));),
    FN("ACOSD", return degrees(arccosine(c.num(0)));),
    NUM("ACT", std::atan(x) + 2 * std::atan(1.0)),
    NUM("ACTD", (std::atan(x) + 2 * std::atan(1.0)) * kDegPerRad),
    NUM("CDBL", x),
    {u"CEIL", ceilFn},
    FN("CINT", return Value::int16(c.cint(0));),
    VIA("COT", std::cos(x) / std::sin(x)),
    VIA("COTD", std::cos(x* kRadPerDeg) / std::sin(x * kRadPerDeg)),
    NUM("COS", std::cos(x)),
    NUM("COSD", std::cos(x* kRadPerDeg)),
    NUM("CSC", 1 / std::sin(x)),
    NUM("CSCD", 1 / std::sin(x * kRadPerDeg)),
    FN("CSNG", double x = c.num(0); float f = static_cast<float>(x); if (!std::isfinite(f)) fail();
       return Value::single(f);),
    NUM("CTN", 1 / std::tan(x)),
    NUM("CTND", 1 / std::tan(x * kRadPerDeg)),
    NUM("DEGREES", x* kDegPerRad),
    NUM("EXP", std::exp(x)),
    {u"FIX", fixFn},
    VIA("FP", x - roundToInt16(x)),
    VIA("HSIN", hyperbolicDiff(x) / 2),
    VIA("HCOS", hyperbolicSum(x) / 2),
    VIA("HTAN", hyperbolicDiff(x) / hyperbolicSum(x)),
    VIA("HSEC", 2 / hyperbolicDiff(x)),
    VIA("HCSE", 2 / hyperbolicSum(x)),
    VIA("HCTN", hyperbolicSum(x) / hyperbolicDiff(x)),
    VIA("HASN", lnChecked(x + sqrtChecked(1 - x * x))),
    VIA("HACS", lnChecked(x + sqrtChecked(x * x - 1))),
    VIA("HATN", lnChecked((1 + x) / (1 - x)) / 2),
    VIA("HASC", lnChecked((sqrtChecked(1 - x * x) + 1) / x)),
    VIA("HACSE", lnChecked((sgn(x) * std::sqrt(x * x + 1) + 1) / x)),
    {u"INT", intFn},
    FN("IP", return Value::int16(c.cint(0));),
    NUM("LOG", lnChecked(x)),
    {u"MAX", maxFn},
    {u"MIN", minFn},
    NUM("RADIANS", x* kRadPerDeg),
    {u"ROUND", roundFn},
    VIA("REMINDER",
        [&] {
            double y = c.viaText(1);
            return x - roundToInt16(x / y) * y;
        }()),
    NUM("SEC", 1 / std::cos(x)),
    NUM("SECD", 1 / std::cos(x * kRadPerDeg)),
    FN("SGN", double x = c.num(0); return Value::int16(static_cast<std::int16_t>(sgn(x)));),
    NUM("SIN", std::sin(x)),
    NUM("SIND", std::sin(x* kRadPerDeg)),
    NUM("SQR", sqrtChecked(x)),
    NUM("TAN", std::tan(x)),
    NUM("TAND", std::tan(x* kRadPerDeg)),
    {u"TRUNCATE", truncateFn},
};

#undef FN
#undef NUM
#undef VIA

} // namespace

std::span<const FunctionEntry> mathFunctions() {
    return kMath;
}

} // namespace quill
