#include "engine/operators.h"

#include "engine/convert.h"
#include "engine/error.h"
#include "engine/scan.h"

#include <cmath>
#include <compare>

namespace quill {
namespace {

bool isFloating(const Value& v) {
    return v.is(Kind::Single) || v.is(Kind::Double) || v.is(Kind::Date);
}

std::strong_ordering orderOf(double x, double y) {
    return x < y ? std::strong_ordering::less
                 : (x > y ? std::strong_ordering::greater : std::strong_ordering::equal);
}

// A binary floating-point number against a decimal compares as the decimal it converts to, so
// that 1/3*3 stays below 1; one beyond the decimal range is larger or smaller than every decimal.
std::strong_ordering floatingAgainstDecimal(const Value& f, const Decimal& d) {
    double x = toDouble(f);
    if (std::fabs(x) >= 0x1p96) return orderOf(x, 0);
    return toDecimal(f) <=> d;
}

// Two numbers compare numerically (exactly unless both are binary floating point), two texts
// by UTF-16 code units, a number is smaller than a text; empty acts as 0 against a number and
// as the empty text against a text.
std::strong_ordering compareValues(const Value& a, const Value& b) {
    bool aText = a.isText(), bText = b.isText();
    if (aText && bText) return a.asText() <=> b.asText();
    if (aText && b.isEmpty()) return a.asText() <=> std::u16string();
    if (bText && a.isEmpty()) return std::u16string() <=> b.asText();
    if (aText) return std::strong_ordering::greater;
    if (bText) return std::strong_ordering::less;
    if (isFloating(a) && b.is(Kind::Decimal)) return floatingAgainstDecimal(a, b.asDecimal());
    if (isFloating(b) && a.is(Kind::Decimal)) return 0 <=> floatingAgainstDecimal(b, a.asDecimal());
    if (isFloating(a) || isFloating(b)) return orderOf(toDouble(a), toDouble(b));
    return toDecimal(a) <=> toDecimal(b);
}

Value compare(std::uint16_t op, const Value& a, const Value& b) {
    auto c = compareValues(a, b);
    switch (op) {
    case OpEq: return Value::boolean(c == 0);
    case OpNe: return Value::boolean(c != 0);
    case OpLt: return Value::boolean(c < 0);
    case OpLe: return Value::boolean(c <= 0);
    case OpGt: return Value::boolean(c > 0);
    default: return Value::boolean(c >= 0);
    }
}

Value logical(std::uint16_t op, const Value& a, const Value& b) {
    if (a.is(Kind::Bool) && b.is(Kind::Bool)) {
        bool x = a.asBool(), y = b.asBool();
        return Value::boolean(op == OpAnd ? (x && y) : op == OpOr ? (x || y) : (x != y));
    }
    std::int32_t x = toInt32(a), y = toInt32(b);
    return Value::int32(op == OpAnd ? (x & y) : op == OpOr ? (x | y) : (x ^ y));
}

Value integerDivision(std::uint16_t op, const Value& a, const Value& b) {
    std::int64_t x = toInt32(Value::decimal(toDecimal(a)));
    std::int64_t y = toInt32(Value::decimal(toDecimal(b)));
    if (y == 0) fail();
    std::int64_t r = op == OpIntDiv ? x / y : x % y;
    if (r > 2147483647) fail(); // -2147483648 \ -1
    return Value::int32(static_cast<std::int32_t>(r));
}

Value power(const Value& a, const Value& b) {
    double x = toDecimal(a).toDouble(), y = toDecimal(b).toDouble();
    return Value::dbl(checked(std::pow(x, y)));
}

} // namespace

Value applyOperator(std::uint16_t op, const Value& a, const Value& b) {
    switch (op) {
    case OpAdd: return Value::decimal(toDecimal(a) + toDecimal(b));
    case OpSub: return Value::decimal(toDecimal(a) - toDecimal(b));
    case OpMul: return Value::decimal(toDecimal(a) * toDecimal(b));
    case OpDiv: return Value::decimal(toDecimal(a) / toDecimal(b));
    case OpPow: return power(a, b);
    case OpIntDiv:
    case OpMod: return integerDivision(op, a, b);
    case OpAnd:
    case OpOr:
    case OpXor: return logical(op, a, b);
    default: return compare(op, a, b);
    }
}

Value notOf(const Value& v) {
    if (v.is(Kind::Bool)) return Value::boolean(!v.asBool());
    return Value::int32(~toInt32(v));
}

Value negate(const Value& v) {
    switch (v.kind()) {
    case Kind::Empty: return Value::int16(0);
    case Kind::Bool: return Value::int16(v.asBool() ? 1 : 0);
    case Kind::Int16:
        if (v.asInt16() == -32768) return Value::int32(32768);
        return Value::int16(static_cast<std::int16_t>(-v.asInt16()));
    case Kind::Int32:
        if (v.asInt32() == -2147483647 - 1) return Value::dbl(2147483648.0);
        return Value::int32(-v.asInt32());
    case Kind::Single: return Value::single(-v.asSingle());
    case Kind::Double: return Value::dbl(-v.asDouble());
    case Kind::Decimal: return Value::decimal(-v.asDecimal());
    case Kind::Date: return Value::date(-v.asDate());
    case Kind::Text: return Value::dbl(-numberFromText(v.asText()));
    }
    return v;
}

} // namespace quill
